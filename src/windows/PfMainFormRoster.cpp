// The roster as a whole: reading and writing the .upl file, and the
// commands of the File and Edit bots menus.

#include <QAction>
#include <QDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QSignalBlocker>
#include <QStringList>

#include "platform/AsciiText.h"
#include "platform/Files.h"
#include "platform/FileError.h"
#include "platform/Version.h"
#include "windows/BotProfiles.h"
#include "windows/PfMainForm.h"
#include "windows/QtDialogs.h"

namespace windows {

namespace {

// Of a longer bot name the caption shows its start and its end.
constexpr std::size_t MaxCaptionNameLength = 64;

}  // namespace

// ---------------------------------------------------------------- the file

void TFmMainForm::LoadBotList(const std::string& fileName) {
  // On failure the document keeps the roster it had.
  FRoster.Load(fileName);
  UpdateSaveEnabled();
}

void TFmMainForm::SaveBotList(const std::string& fileName) { FRoster.Save(fileName); }

std::string TFmMainForm::DefaultBotListFileName() const { return FRoster.DefaultBotListFileName(); }

bool TFmMainForm::IsDefaultBotList(const std::string& fileName) const { return FRoster.IsDefaultBotList(fileName); }

std::string TFmMainForm::NewBotListFileName() { return FRoster.NewBotListFileName(); }

void TFmMainForm::UpdateSaveEnabled() { acSaveBotlist->setEnabled(!IsDefaultBotList(FileName())); }

std::string TFmMainForm::NotOpenedText(const std::string& fileName, const std::exception& e) {
  return "\"" + PathText(fileName) + "\" was not opened.\r" + ErrorText(e);
}

bool TFmMainForm::WriteRoster(const std::string& fileName) {
  try {
    SaveBotList(fileName);
  } catch (const platform::EFileError& e) {
    // The roster stays modified: nothing of it reached the file.
    FDialogs.MessageDlg("The botlist was not saved.\r" + ErrorText(e), TMsgDlgType::mtError, mbOK);
    return false;
  }
  FDialogs.ShowMessage("Botlist saved as :\r" + PathText(fileName));
  return true;
}

void TFmMainForm::acSaveBotlistExecute() {
  if (!IsDefaultBotList(FileName())) {
    WriteRoster(FileName());
  } else {
    // The game's own roster is never overwritten.
    acSaveAsBotlistExecute();
  }
  UpdateCaption(FCurrentBot ? FCurrentBot->GetDefaultName() : std::string());
  UpdateSaveEnabled();
}

void TFmMainForm::acSaveAsBotlistExecute() {
  std::string proposal = FileName();
  if (!platform::SameText(FSaveDialogFileName, DefaultBotListFileName())) {
    proposal = NewBotListFileName();
    if (!IsNewList()) FSaveDialogFileName = proposal;
  }
  const TFileDialogRequest request{"Save Characterlist as ...", platform::ExtractFileDir(proposal),
                                   FSaveDialogFileName, BotListFilter};
  if (std::optional<std::string> chosen = FDialogs.SaveFileName(request)) {
    if (IsDefaultBotList(*chosen)) {
      FDialogs.ShowMessage("Altering of XplayersL1.Upl is not allowed.\rUse 'Save as ...' instead.");
    } else if (WriteRoster(*chosen)) {
      // The file just written is the roster from now on: a later Save goes
      // there, and the caption names it.
      FSaveDialogFileName = *chosen;
    }
  }
  UpdateCaption(FCurrentBot ? FCurrentBot->GetDefaultName() : std::string());
  UpdateSaveEnabled();
}

// ---------------------------------------------------------------- the list

void TFmMainForm::RosterReplaced() {
  // The rows go with their bots: a selection left over from the old roster
  // must not pick bots of the next one.
  FCurrentBot = nullptr;
  const QSignalBlocker blocker(lbBotList);
  lbBotList->clear();
  UpdateBotCommands();
}

void TFmMainForm::BotDeleted(const roster::TBotCharacter& bot) {
  if (FCurrentBot != &bot) return;
  FCurrentBot = nullptr;
  UpdateBotCommands();
}

void TFmMainForm::ModifiedChanged(bool) { UpdateCaption(FCurrentBot ? FCurrentBot->GetDefaultName() : std::string()); }

void TFmMainForm::RefreshBotListBox() {
  const QSignalBlocker blocker(lbBotList);
  // Same count: only names changed, and the selection stays where it was.
  if (lbBotList->count() == BotCount()) {
    for (int i = 0; i < BotCount(); ++i) {
      const QString name = ToQ(Bot(i).GetDefaultName());
      if (lbBotList->item(i)->text() != name) lbBotList->item(i)->setText(name);
    }
    return;
  }
  QStringList names;
  names.reserve(BotCount());
  for (int i = 0; i < BotCount(); ++i) names << ToQ(Bot(i).GetDefaultName());
  lbBotList->clear();
  lbBotList->addItems(names);
}

void TFmMainForm::SelectRow(int row) {
  // The bot a command moves to becomes the whole selection: edits go to
  // every selected bot, and a selection the user made before must neither
  // keep receiving them unseen nor lose part of itself at random.
  const QSignalBlocker blocker(lbBotList);
  lbBotList->setCurrentRow(row, QItemSelectionModel::ClearAndSelect);
}

void TFmMainForm::SelectFirstBot() {
  if (lbBotList->count() == 0) return;
  SelectRow(0);
  lbBotListClick();
}

void TFmMainForm::UpdateBotCommands() {
  // Commands that need a bot have nothing to work on without one.
  for (QAction* action : {acDeleteBot, acCopyBot, acEditBio, acAddBio, acCopyBioToClipboard, acCopyBioFromClipboard,
                          acShowProfile, acCreateTemplateFromCharacter, acDefaultCharacter, acResetCharacterSkills,
                          acMaximizeCharacterSkills, acMinimizeCharacterSkills, acSkillRandomizer,
                          acCopyDataToClipboard, acCopyDataFromClipboard})
    action->setEnabled(FCurrentBot != nullptr);
  // The templates, too, are put onto the bot shown.
  pmTemplates->setEnabled(FCurrentBot != nullptr);
}

void TFmMainForm::UpdateCaption(const std::string& botName) {
  // The file that is open, named as the file system spells it. A name of
  // any length is the bot's, but the title bar shows a readable part of
  // it; the name field and the file keep it whole.
  QString caption = ToQ(std::string(ApplicationTitle) + " (" + platform::GetVersionString() + ") - ") +
                    PathToQ(platform::ExtractFileName(FileName())) +
                    ToQ(" - " + platform::Excerpt(botName, MaxCaptionNameLength));
  if (Modified()) caption += QStringLiteral(" *");
  setWindowTitle(caption);
}

int TFmMainForm::CurrentIndex() const { return FCurrentBot ? FRoster.IndexOf(*FCurrentBot) : -1; }

// ---------------------------------------------------------------- commands

void TFmMainForm::acNewBotListExecute() {
  if (!ConfirmDiscardingChanges()) return;
  FRoster.New();
  RefreshBotListBox();
  FSaveDialogFileName = FileName();
  UpdateSaveEnabled();
  ClearDetails();
  acAddBotExecute();
}

void TFmMainForm::acOpenBotlistExecute() {
  if (!ConfirmDiscardingChanges()) return;
  if (FOpenDialogInitialDir.empty() && platform::DirectoryExists(FSystemDir)) FOpenDialogInitialDir = FSystemDir;
  TFileDialogRequest request{"Open Characterlist ...", FOpenDialogInitialDir, "", BotListFilter};
  const std::optional<std::string> chosen = FDialogs.OpenFileName(request);
  if (!chosen) return;
  FOpenDialogInitialDir = platform::ExtractFileDir(*chosen);
  try {
    LoadBotList(*chosen);
  } catch (const std::exception& e) {
    // Nothing changed: the roster shown stays, and so does its file.
    FDialogs.MessageDlg(NotOpenedText(*chosen, e), TMsgDlgType::mtError, mbOK);
    return;
  }
  ClearDetails();
  FSaveDialogFileName = platform::ExtractFileName(FileName());
  RefreshBotListBox();
  SelectFirstBot();
  UpdateCaption(FCurrentBot ? FCurrentBot->GetDefaultName() : std::string());
  UpdateBotCommands();
}

void TFmMainForm::acCloseExecute() { close(); }

void TFmMainForm::acAddBotExecute() {
  FRoster.Add();
  RefreshBotListBox();
  SelectRow(BotCount() - 1);
  lbBotListClick();
  CharacterChanged(FCurrentBot);
}

void TFmMainForm::acDeleteBotExecute() {
  const int index = CurrentIndex();
  if (index < 0) return;
  FRoster.Delete(*FCurrentBot);  // the bot shown is gone with it
  RefreshBotListBox();
  if (BotCount() > 0) SelectRow(index >= 1 ? index - 1 : 0);
  lbBotListClick();
  if (FCurrentBot)
    CharacterChanged(FCurrentBot);
  else
    UpdateCaption("");
}

void TFmMainForm::acFindBotByNameExecute() {
  FindDialog1->show();
  FindDialog1->raise();
  FindDialog1Find();
}

void TFmMainForm::FindDialog1Find() {
  const std::string text = FromQ(edFindText->text());
  const int index = FRoster.Find(text);
  if (index >= 0) {
    SelectRow(index);
    lbBotListClick();
  } else if (!text.empty()) {
    FDialogs.ShowMessage("No botcharacter named \"" + text + "\" found.");
  }
}

void TFmMainForm::acCopyBotExecute() {
  if (!FCurrentBot) return;
  FClipBot = FRoster.PlayerLineOf(*FCurrentBot);
  acPasteBot->setEnabled(true);
  acPasteAsNewBot->setEnabled(acPasteBot->isEnabled());
}

void TFmMainForm::ShowBotAt(int index) {
  // The record was changed as a whole: show it without writing the old
  // control values back into it first.
  FCurrentBot = &Bot(index);
  SelectRow(index);
  ShowCharacter(*FCurrentBot);
  UpdateBotCommands();
}

void TFmMainForm::acPasteBotExecute() {
  if (!FCurrentBot) {
    acPasteAsNewBotExecute();  // nothing to paste over
    return;
  }
  // The key follows the pasted name, as a rename through the name field
  // does, so Find reaches the bot under the name it shows.
  FRoster.Paste(*FCurrentBot, FClipBot);
  RefreshBotListBox();
  ShowBotAt(CurrentIndex());
}

void TFmMainForm::acPasteAsNewBotExecute() {
  FRoster.PasteAsNew(FClipBot);
  RefreshBotListBox();
  ShowBotAt(BotCount() - 1);
}

}  // namespace windows
