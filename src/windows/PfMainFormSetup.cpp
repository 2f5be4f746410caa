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
  window.SetLists(FLists);
  if (FCurrentBot) window.SetBotName(FCurrentBot->GetDefaultName());
  window.SetEditBiography(BiographyEditor());
  // No OK or Cancel: however the window closes, the edits stand.
  if (shown)
    FDialogs.ShowModal(window);
  else
    window.SearchBotLists();
  FLists.AssignEdited(window.Lists(), roster::TValueLists::TTexts::Included);
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
  window.AddLists(FLists);
  if (shown)
    FDialogs.ShowModal(window);
  else
    window.CheckContent();
  // The biography references it found are only shown.
  FLists.AssignEdited(window.Lists(), roster::TValueLists::TTexts::Left);
}

}  // namespace windows
