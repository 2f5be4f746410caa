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

// Sections of the value-list file, in the order they are written.
struct TListSection {
  const char* Name;
  roster::TUtStringlist TFmMainForm::*List;
};

}  // namespace

void TFmMainForm::InitValueLists(const std::string& dir) {
  for (roster::TUtStringlist* list :
       {&FMeshes, &FSpecies, &FSkins, &FFaces, &FPortraits, &FSex, &FMenu, &FVoice, &FWeapons, &FRagDoll, &FSkeleton})
    list->Clear();
  FTexts.Clear();
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
  platform::TIniFile& ini = Ini();
  static const TListSection wholeLines[] = {
      {"FSex", &TFmMainForm::FSex},       {"FWeapons", &TFmMainForm::FWeapons},
      {"FMeshes", &TFmMainForm::FMeshes}, {"FSkins", &TFmMainForm::FSkins},
      {"FFaces", &TFmMainForm::FFaces},   {"FPortraits", &TFmMainForm::FPortraits},
      {"FVoice", &TFmMainForm::FVoice},   {"FRagDoll", &TFmMainForm::FRagDoll},
      {"FSkeleton", &TFmMainForm::FSkeleton},
  };
  for (const TListSection& s : wholeLines)
    for (const std::string& line : ini.ReadSectionLines(s.Name)) (this->*s.List).Add(line);
  // Species keep only what the cached .int files still name.
  for (const std::string& key : ini.ReadSectionKeys("FSpecies")) roster::AddSpeciesName(key, FSpecies);
  for (const std::string& key : ini.ReadSectionKeys("FMenu")) FMenu.Add(key);
  FillCombos();
  if (FCurrentBot) ShowCharacter(*FCurrentBot);
}

void TFmMainForm::WriteListSection(const std::string& section, const roster::TStringList& list) {
  std::vector<std::pair<std::string, std::string>> entries;
  entries.reserve(static_cast<std::size_t>(list.Count()));
  for (const std::string& line : list.Lines()) {
    const std::size_t eq = line.find('=');
    if (eq == std::string::npos)
      entries.emplace_back(line, line);
    else
      entries.emplace_back(line.substr(0, eq), line.substr(eq + 1));
  }
  // The lines of a hand-edited file that the lists leave as they were stay
  // where they stand, with the comments around them.
  Ini().WriteSection(section, entries);
}

void TFmMainForm::SaveValueLists() {
  static const TListSection sections[] = {
      {"FSex", &TFmMainForm::FSex},         {"FMenu", &TFmMainForm::FMenu},
      {"FWeapons", &TFmMainForm::FWeapons}, {"FMeshes", &TFmMainForm::FMeshes},
      {"FSkins", &TFmMainForm::FSkins},     {"FFaces", &TFmMainForm::FFaces},
      {"FPortraits", &TFmMainForm::FPortraits}, {"FVoice", &TFmMainForm::FVoice},
      {"FSpecies", &TFmMainForm::FSpecies}, {"FRagdoll", &TFmMainForm::FRagDoll},
      {"FSkeleton", &TFmMainForm::FSkeleton},
  };
  // A file that cannot be written (no name given, a folder in its place, no
  // rights) is reported and the editor goes on: the lists stay in memory.
  Guard([&] {
    for (const TListSection& s : sections) WriteListSection(s.Name, this->*s.List);
  });
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
  FWeapons.Clear();
  const roster::TUtObjectList& objects = roster::GameFiles().UtObjects();
  for (int i = 0; i < objects.Count(); ++i) {
    const roster::TMyUtObject& object = objects.Object(i);
    if (object.GetMetaClass() != "Engine.Weapon") continue;  // exact: the game's own spelling
    std::string display = platform::Trim(object.ItemName);
    if (display.empty()) display = platform::Trim(object.GetName());
    FWeapons.Add(object.GetName() + "=" + display);
  }
}

void TFmMainForm::FillDefaultMeshes() { AddRows(FMeshes, BuiltInMeshes()); }

void TFmMainForm::FillDefaultSkins() {
  AddRows(FSkins, BuiltInBodySkins());
  AddRows(FFaces, BuiltInFaceSkins());
  AddRows(FPortraits, BuiltInPortraits());
}

void TFmMainForm::FillDefaultVoices() { AddRows(FVoice, BuiltInVoices()); }

void TFmMainForm::FillDefaultSpecies() {
  FSpecies.Clear();
  for (const std::string& ref : BuiltInSpecies()) roster::AddSpeciesName(ref, FSpecies);
}

void TFmMainForm::ClearRagdolls() { FRagDoll.Clear(); }

void TFmMainForm::FillDefaultSkeletons() { AddRows(FSkeleton, BuiltInSkeletons()); }

void TFmMainForm::FillDefaultSex() { AddRows(FSex, BuiltInSex()); }

void TFmMainForm::FillDefaultMenu() { AddRows(FMenu, BuiltInMenu()); }

void TFmMainForm::LoadBioTexts() {
  FTexts.Clear();
  const roster::TIntFileList& files = roster::GameFiles().IntFiles();
  for (int i = 0; i < files.Count(); ++i) {
    const std::string& name = files.Name(i);
    const std::size_t dot = name.find('.');
    const std::string package = dot == std::string::npos ? std::string() : name.substr(0, dot + 1);
    for (const std::string& line : files.Object(i).ReadDecoText()) {
      const std::size_t eq = line.find('=');
      FTexts.Add(package + (eq == std::string::npos ? std::string() : line.substr(0, eq)));
    }
  }
  FEditor->FillBioTexts();
}

// ---------------------------------------------------------------- pick lists

void TFmMainForm::FillCombos() { FEditor->FillPickLists(); }

}  // namespace windows
