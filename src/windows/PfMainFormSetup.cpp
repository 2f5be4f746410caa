// The "&Setup" menu's windows: the configuration window with its roster
// harvest and the custom content check. Both work on copies of the value
// lists and hand them back whole; the caller then refills the pick lists,
// writes the value-list file and shows the bot again.

#include <QAction>
#include <QMenu>

#include "windows/PfBotConfig.h"
#include "windows/PfCustomContentCheck.h"
#include "windows/PfMainForm.h"

namespace windows {

namespace {

void Replace(roster::TStringList& target, const roster::TStringList& source) {
  target.Clear();
  for (const std::string& line : source.Lines()) target.Add(line);
}

}  // namespace

void TFmMainForm::BuildConfigurationCommands() {
  // They come first in the Setup menu, before the export.
  QAction* const first = mmSetup->actions().value(0);
  miManualPackageSearch = new QAction(QStringLiteral("&Search Packages ..."), this);
  mmSetup->insertAction(first, miManualPackageSearch);
  miManualPackageSearch->setObjectName(QStringLiteral("miManualPackageSearch"));
  connect(miManualPackageSearch, &QAction::triggered, this, [this] {
    Guard([this] {
      ShowConfigurationWindow();
      TakeBackValueLists();
    });
  });
  acCustomContentCheck = new QAction(QStringLiteral("&Check for custom content ..."), this);
  mmSetup->insertAction(first, acCustomContentCheck);
  acCustomContentCheck->setObjectName(QStringLiteral("acCustomContentCheck"));
  acCustomContentCheck->setStatusTip(QStringLiteral("Find new custom content & update configuration-file"));
  acCustomContentCheck->setVisible(false);
  connect(acCustomContentCheck, &QAction::triggered, this, [this] {
    Guard([this] {
      RunContentCheck(true);
      TakeBackValueLists();
    });
  });
}

void TFmMainForm::ShowConfigurationWindow() { RunConfiguration(true); }

void TFmMainForm::HarvestRosterReferencesUnseen() { RunConfiguration(false); }

void TFmMainForm::RunConfiguration(bool shown) {
  TFmConfig window(FDialogs, this);
  window.SetSystemDir(FSystemDir);
  window.SetMeshList(FMeshes);
  window.SetSkeletonList(FSkeleton);
  window.SetSkinList(FSkins);
  window.SetFaceList(FFaces);
  window.SetPortraitList(FPortraits);
  window.SetVoiceList(FVoice);
  window.SetRagDollList(FRagDoll);
  window.SetSpeciesList(FSpecies);
  window.SetBiographyList(FTexts);
  if (FCurrentBot) window.SetBotName(FCurrentBot->GetDefaultName());
  window.SetEditBiography(BiographyEditor());
  // No OK or Cancel: however the window closes, the edits stand.
  if (shown)
    FDialogs.ShowModal(window);
  else
    window.SearchBotLists();
  Replace(FSpecies, window.SpeciesList());
  Replace(FMeshes, window.MeshList());
  Replace(FFaces, window.FaceList());
  Replace(FSkins, window.SkinList());
  Replace(FPortraits, window.PortraitList());
  Replace(FVoice, window.VoiceList());
  Replace(FRagDoll, window.RagDollList());
  Replace(FSkeleton, window.SkeletonList());
  Replace(FTexts, window.BiographyList());
}

void TFmMainForm::CheckCustomContentUnseen() {
  // An error here must not keep the first start from writing the value-list
  // file and filling the pick lists: it is shown, and the built-in lists
  // stand as they are.
  Guard([this] { RunContentCheck(false); });
}

void TFmMainForm::RunContentCheck(bool shown) {
  TFrmCustomContentCheck window(FDialogs, this);
  window.SetCheckDir(FSystemDir);
  window.AddSpecies(FSpecies);
  window.AddMeshes(FMeshes);
  window.AddFaces(FFaces);
  window.AddSkins(FSkins);
  window.AddPortraits(FPortraits);
  window.AddVoices(FVoice);
  window.AddRagdolls(FRagDoll);
  window.AddSkeletons(FSkeleton);
  if (shown)
    FDialogs.ShowModal(window);
  else
    window.CheckContent();
  Replace(FSpecies, window.GetSpecies());
  Replace(FMeshes, window.GetMeshes());
  Replace(FFaces, window.GetFaces());
  Replace(FSkins, window.GetSkins());
  Replace(FPortraits, window.GetPortraits());
  Replace(FVoice, window.GetVoices());
  Replace(FRagDoll, window.GetRagdolls());
  Replace(FSkeleton, window.GetSkeletons());
}

}  // namespace windows
