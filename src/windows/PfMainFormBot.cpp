// The main window's side of one bot in the editing controls: which bot
// they show, and which bots a control the user changed writes into, each
// through the roster; the name field renames. The controls themselves and
// the way between them and a record are TBotEditor's.

#include <QAction>
#include <QListWidget>
#include <QMenu>

#include "windows/PfMainForm.h"

namespace windows {

// ---------------------------------------------------------------- handlers

void TFmMainForm::ConnectHandlers() {
  const auto command = [this](QAction* action, void (TFmMainForm::*handler)()) {
    connect(action, &QAction::triggered, this, [this, handler] { Guard([&] { (this->*handler)(); }); });
  };
  command(acNewBotList, &TFmMainForm::acNewBotListExecute);
  command(acOpenBotlist, &TFmMainForm::acOpenBotlistExecute);
  command(acSaveBotlist, &TFmMainForm::acSaveBotlistExecute);
  command(acSaveAsBotlist, &TFmMainForm::acSaveAsBotlistExecute);
  command(acClose, &TFmMainForm::acCloseExecute);
  command(acAddBot, &TFmMainForm::acAddBotExecute);
  command(acDeleteBot, &TFmMainForm::acDeleteBotExecute);
  command(acFindBotByName, &TFmMainForm::acFindBotByNameExecute);
  command(acCopyBot, &TFmMainForm::acCopyBotExecute);
  command(acPasteBot, &TFmMainForm::acPasteBotExecute);
  command(acPasteAsNewBot, &TFmMainForm::acPasteAsNewBotExecute);
  command(acShowProfile, &TFmMainForm::acShowProfileExecute);
  command(acShowProfiles, &TFmMainForm::acShowProfilesExecute);
  command(acCreateTemplateFromCharacter, &TFmMainForm::acCreateTemplateFromCharacterExecute);
  command(acDefaultCharacter, &TFmMainForm::acDefaultCharacterExecute);
  command(acResetCharacterSkills, &TFmMainForm::acResetCharacterSkillsExecute);
  command(acMaximizeCharacterSkills, &TFmMainForm::acMaximizeCharacterSkillsExecute);
  command(acMinimizeCharacterSkills, &TFmMainForm::acMinimizeCharacterSkillsExecute);
  command(acSkillRandomizer, &TFmMainForm::acSkillRandomizerExecute);
  command(acCopyDataToClipboard, &TFmMainForm::acCopyDataToClipboardExecute);
  command(acCopyDataFromClipboard, &TFmMainForm::acCopyDataFromClipboardExecute);

  // The bot shown follows the selection: moving the current row alone
  // (Ctrl+arrows, Ctrl+End) shows nothing new, so every edit reaches the
  // bots that are highlighted, the shown one among them.
  connect(lbBotList, &QListWidget::currentRowChanged, this, [this] { Guard([this] { lbBotListClick(); }); });
  connect(lbBotList, &QListWidget::itemSelectionChanged, this, [this] { Guard([this] { lbBotListClick(); }); });
  connect(lbBotList, &QListWidget::itemDoubleClicked, this, [this] { Guard([this] { lbBotListDblClick(); }); });
  // The pop-up menus fill as the commands that use them join.
  ConnectPopupMenu(lbBotList, pmBotlist);
  FEditor->SetBioMenu(pmBio);
  FEditor->Edited = [this](TBotControl control) { Guard([&] { ControlEdited(control); }); };
}

// ---------------------------------------------------------------- showing

int TFmMainForm::RowToShow() const {
  const auto selected = [this](int row) {
    return row >= 0 && row < lbBotList->count() && row < BotCount() && lbBotList->item(row)->isSelected();
  };
  if (selected(lbBotList->currentRow())) return lbBotList->currentRow();
  if (selected(CurrentIndex())) return CurrentIndex();
  for (int row = 0; row < lbBotList->count(); ++row)
    if (selected(row)) return row;
  return -1;
}

void TFmMainForm::lbBotListClick() {
  // The position names the bot, not its text: two bots may share a name,
  // and a pasted name may differ from the bot's key.
  const int row = RowToShow();
  if (FCurrentBot && row == CurrentIndex()) return;  // it is shown already
  if (FCurrentBot) {
    ApplyAllControls();
    CharacterChanged(FCurrentBot);
  }
  if (row < 0) {
    // Nothing is current: the blank bot's values must never be written
    // into the bot shown before.
    FCurrentBot = nullptr;
    const roster::TBotCharacter blank;
    ShowCharacter(blank);
  } else {
    FCurrentBot = &Bot(row);
    ShowCharacter(*FCurrentBot);
  }
  UpdateBotCommands();
}

void TFmMainForm::ShowCharacter(const roster::TBotCharacter& bot) {
  std::string report;
  {
    // The program's own filling: no control writes into a bot meanwhile,
    // also when an error leaves early.
    const auto filling = FEditor->Filling();
    FEditor->Show(bot, report);
    CharacterChanged(&bot);
  }
  if (!report.empty()) ReportMissing(report);
}

void TFmMainForm::ReportMissing(const std::string& report) {
  ++FMissingCount;
  if (FMissingCount == 1) {
    // The first time, the references the System directory's rosters use
    // are harvested before anyone is asked.
    HarvestRosterReferencesUnseen();
    TakeBackValueLists();
    return;
  }
  const TModalResult answer = FDialogs.MessageDlg(
      "Not every item in the next list could be found!\r" + report + "\rProceed anyway ?\r" +
          "\r(No = Manual package search, Cancel = quit program)",
      TMsgDlgType::mtError, mbYes | mbNo | mbCancel);
  if (answer == TModalResult::mrNo) {
    ShowConfigurationWindow();
    TakeBackValueLists();
  } else if (answer == TModalResult::mrCancel && ConfirmLosingChanges()) {
    // Quitting drops unsaved edits only as Exit does, when the user agrees;
    // otherwise the bot is shown as after "Proceed anyway".
    Halt(405);
  }
}

void TFmMainForm::ClearDetails() {
  FEditor->Clear();
  UpdateCaption("");
}

void TFmMainForm::CharacterChanged(const roster::TBotCharacter* bot) {
  if (!bot) return;
  UpdateCaption(bot->GetDefaultName());
  if (isVisible() && !isActiveWindow()) activateWindow();
}

// ---------------------------------------------------------------- applying

void TFmMainForm::ApplyAllControls() {
  FRoster.Edit(*FCurrentBot, [this](roster::TBotCharacter& bot) { FEditor->ApplyAll(bot); });
}

void TFmMainForm::ControlEdited(TBotControl control) {
  if (control == bcName) {
    edStatChange();
    return;
  }
  if (control == bcText) FEditor->ShowBioText();
  ApplyToSelected(control);
}

void TFmMainForm::ApplyToSelected(TBotControl control) {
  if (FEditor->Ready() && FCurrentBot) {
    FEditor->TakeChoice(control);  // the user's own choice from now on
    for (int i = 0; i < lbBotList->count() && i < BotCount(); ++i) {
      if (!lbBotList->item(i)->isSelected()) continue;
      FRoster.Edit(Bot(i), [this, control](roster::TBotCharacter& bot) { FEditor->Apply(control, bot); });
    }
    CharacterChanged(FCurrentBot);
  }
}

void TFmMainForm::edStatChange() {
  if (!FEditor->Ready() || !FCurrentBot) return;
  if (const std::optional<std::string> error = roster::BotNameError(FEditor->TypedName())) {
    // Nothing of a name the roster cannot write reaches the bot: the field
    // shows the stored name again before the user is told why.
    FEditor->TakeBackName(FCurrentBot->GetDefaultName());
    FDialogs.MessageDlg(*error, TMsgDlgType::mtWarning, mbOK);
    return;
  }
  FEditor->TakeChoice(bcName);
  const std::string oldName = FCurrentBot->GetDefaultName();
  ApplyAllControls();
  const std::string newName = FCurrentBot->GetDefaultName();
  // Compared exactly: a name typed in other letter case is still the
  // user's change. A rename is a change like any other: Exit must not lose
  // it unasked.
  if (newName != oldName) {
    FRoster.Rename(*FCurrentBot, newName);
    RefreshBotListBox();  // keeps the selection, so later edits still reach the bot
  }
  CharacterChanged(FCurrentBot);
}

}  // namespace windows
