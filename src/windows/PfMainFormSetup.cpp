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
  TFmConfig window(FDialogs, FConfigViewState, this);
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
  FSpecies.AssignLines(window.SpeciesList().Lines());
  FMeshes.AssignLines(window.MeshList().Lines());
  FFaces.AssignLines(window.FaceList().Lines());
  FSkins.AssignLines(window.SkinList().Lines());
  FPortraits.AssignLines(window.PortraitList().Lines());
  FVoice.AssignLines(window.VoiceList().Lines());
  FRagDoll.AssignLines(window.RagDollList().Lines());
  FSkeleton.AssignLines(window.SkeletonList().Lines());
  FTexts.AssignLines(window.BiographyList().Lines());
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
  FSpecies.AssignLines(window.GetSpecies().Lines());
  FMeshes.AssignLines(window.GetMeshes().Lines());
  FFaces.AssignLines(window.GetFaces().Lines());
  FSkins.AssignLines(window.GetSkins().Lines());
  FPortraits.AssignLines(window.GetPortraits().Lines());
  FVoice.AssignLines(window.GetVoices().Lines());
  FRagDoll.AssignLines(window.GetRagdolls().Lines());
  FSkeleton.AssignLines(window.GetSkeletons().Lines());
}

}  // namespace windows
