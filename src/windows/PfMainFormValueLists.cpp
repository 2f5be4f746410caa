// The value lists behind the pick lists: filled at start-up from the
// value-list file, or at the very first start from the built-in tables and
// the weapons the .int files declare; written back to the file whole.

#include "platform/AsciiText.h"
#include "platform/Files.h"
#include "roster/PuGameFiles.h"
#include "roster/PuSpecies.h"
#include "windows/BotProfiles.h"
#include "windows/PfMainForm.h"
#include "windows/PuBuiltInTables.h"

namespace windows {

namespace {

void AddRows(roster::TUtStringlist& list, const std::vector<std::string>& rows) {
  list.Clear();
  for (const std::string& row : rows) list.Add(row);
}

}  // namespace

void TFmMainForm::InitValueLists(const std::string& dir) {
  FLists.Clear();
  if (!dir.empty()) {
    roster::GameFiles().LoadIntFiles(dir);
    LoadBioTexts();
  }
  if (!platform::FileExists(FIniFileName)) {
    FillWeaponsFromIntObjects();
    FillDefaultMeshes();
    FillDefaultSkins();
    FillDefaultVoices();
    FillDefaultSpecies();
    ClearRagdolls();
    FillDefaultSkeletons();
    FillDefaultSex();
    FillDefaultMenu();
    CheckCustomContentUnseen();
    SaveValueLists();
    FillCombos();
  } else {
    LoadValueLists();  // fills the pick lists itself
  }
  BuildTemplateMenu();
}

platform::TIniFile& TFmMainForm::Ini() {
  if (!FIni) FIni = std::make_unique<platform::TIniFile>(FIniFileName);
  return *FIni;
}

void TFmMainForm::LoadValueLists() {
  FLists.Load(Ini());
  FillCombos();
  if (FCurrentBot) ShowCharacter(*FCurrentBot);
}

void TFmMainForm::SaveValueLists() {
  // A file that cannot be written (no name given, a folder in its place, no
  // rights) is reported and the editor goes on: the lists stay in memory.
  Guard([&] { FLists.Save(Ini()); });
  if (FIni) Guard([&] { FIni->UpdateFile(); });
}

void TFmMainForm::TakeBackValueLists() {
  FProfiles->ListsChanged();
  FillCombos();
  SaveValueLists();
  if (FCurrentBot) ShowCharacter(*FCurrentBot);
}

// ---------------------------------------------------------------- built-in

void TFmMainForm::FillWeaponsFromIntObjects() {
  roster::GameFiles().LoadAllUtObjects();
  FLists.Weapons.Clear();
  const roster::TUtObjectList& objects = roster::GameFiles().UtObjects();
  for (int i = 0; i < objects.Count(); ++i) {
    const roster::TMyUtObject& object = objects.Object(i);
    if (object.GetMetaClass() != "Engine.Weapon") continue;  // exact: the game's own spelling
    std::string display = platform::Trim(object.ItemName);
    if (display.empty()) display = platform::Trim(object.GetName());
    FLists.Weapons.Add(object.GetName() + "=" + display);
  }
}

void TFmMainForm::FillDefaultMeshes() { AddRows(FLists.Meshes, BuiltInMeshes()); }

void TFmMainForm::FillDefaultSkins() {
  AddRows(FLists.Skins, BuiltInBodySkins());
  AddRows(FLists.Faces, BuiltInFaceSkins());
  AddRows(FLists.Portraits, BuiltInPortraits());
}

void TFmMainForm::FillDefaultVoices() { AddRows(FLists.Voice, BuiltInVoices()); }

void TFmMainForm::FillDefaultSpecies() {
  FLists.Species.Clear();
  for (const std::string& ref : BuiltInSpecies()) roster::AddSpeciesName(ref, FLists.Species);
}

void TFmMainForm::ClearRagdolls() { FLists.RagDoll.Clear(); }

void TFmMainForm::FillDefaultSkeletons() { AddRows(FLists.Skeleton, BuiltInSkeletons()); }

void TFmMainForm::FillDefaultSex() { AddRows(FLists.Sex, BuiltInSex()); }

void TFmMainForm::FillDefaultMenu() { AddRows(FLists.Menu, BuiltInMenu()); }

void TFmMainForm::LoadBioTexts() {
  FLists.Texts.Clear();
  const roster::TIntFileList& files = roster::GameFiles().IntFiles();
  for (int i = 0; i < files.Count(); ++i) {
    const std::string& name = files.Name(i);
    const std::size_t dot = name.find('.');
    const std::string package = dot == std::string::npos ? std::string() : name.substr(0, dot + 1);
    for (const std::string& line : files.Object(i).ReadDecoText()) {
      const std::size_t eq = line.find('=');
      FLists.Texts.Add(package + (eq == std::string::npos ? std::string() : line.substr(0, eq)));
    }
  }
  FEditor->FillBioTexts();
}

// ---------------------------------------------------------------- pick lists

void TFmMainForm::FillCombos() { FEditor->FillPickLists(); }

}  // namespace windows
