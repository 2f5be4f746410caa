// The roster as a whole: reading and writing the .upl file, and the
// commands of the File and Edit bots menus.

#include <filesystem>
#include <system_error>

#include <QAction>
#include <QDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QSignalBlocker>
#include <QStringList>

#include "platform/AsciiText.h"
#include "platform/Files.h"
#include "platform/TextFile.h"
#include "platform/Version.h"
#include "windows/PfMainForm.h"
#include "windows/QtDialogs.h"

namespace windows {

// ---------------------------------------------------------------- the file

void TFmMainForm::LoadBotList(const std::string& fileName) {
  // Everything is read into a list of its own first: a line that cannot be
  // parsed leaves the roster, its file name and its state as they were.
  const std::vector<std::string> lines = platform::ReadLines(fileName);
  std::vector<TBotEntry> bots;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (!platform::StartsText("PLAYER", lines[i])) continue;
    bots.push_back(TBotEntry::FromLine(RemoveKeyPart(lines[i])));
    bots.back().Bot->LineIndex = static_cast<int>(i);
  }
  ClearBots();
  FCurrentBot = nullptr;
  FBots = std::move(bots);
  FFileName = fileName;
  UpdateSaveEnabled();
}

void TFmMainForm::SaveBotList(const std::string& fileName) const {
  // Each loaded bot goes back to the line it came from, so the game's own
  // order and any hand-made grouping survive; other lines are not kept.
  std::vector<std::string> out{"[Public]"};
  bool blankBeforeNew = true;
  for (const TBotEntry& entry : FBots) {
    const int index = entry.Bot->LineIndex;
    if (index != -1) {
      blankBeforeNew = true;
      while (static_cast<long long>(out.size()) < index) out.emplace_back();
    } else if (blankBeforeNew) {
      blankBeforeNew = false;
      out.emplace_back();
    }
    out.push_back(entry.Bot->GetPlayerLine());
  }
  platform::WriteLines(fileName, out);
}

std::string TFmMainForm::DefaultBotListFileName() const { return platform::JoinPath(FSystemDir, "xplayersL1.upl"); }

bool TFmMainForm::IsDefaultBotList(const std::string& fileName) const {
  const std::string game = DefaultBotListFileName();
  if (platform::SameText(fileName, game)) return true;
  if (fileName.empty()) return false;
  // The same file under another spelling of its path (a relative or
  // roundabout System folder, a link) is still the game's own roster and
  // must not be overwritten, also while it is not there yet.
  std::error_code ec;
  const std::filesystem::path chosen = std::filesystem::weakly_canonical(fileName, ec);
  const std::filesystem::path own = ec ? std::filesystem::path() : std::filesystem::weakly_canonical(game, ec);
  if (!ec && platform::SameText(chosen.string(), own.string())) return true;
  const std::optional<std::string> onDisk = platform::FindPathIgnoringCase(game);
  return onDisk && std::filesystem::equivalent(fileName, *onDisk, ec);
}

std::string TFmMainForm::NewBotListFileName() {
  std::string name;
  do {
    name = platform::JoinPath(FSystemDir, "NewList_" + std::to_string(FNewListCounter) + ".Upl");
    ++FNewListCounter;
  } while (platform::FileExists(name));
  return name;
}

void TFmMainForm::UpdateSaveEnabled() { acSaveBotlist->setEnabled(!IsDefaultBotList(FFileName)); }

void TFmMainForm::acSaveBotlistExecute() {
  if (!IsDefaultBotList(FFileName)) {
    SaveBotList(FFileName);
    FModified = false;
    FDialogs.ShowMessage("Botlist saved as :\r" + FFileName);
    UpdateCaption(FCurrentBot ? FCurrentBot->GetDefaultName() : std::string());
  } else {
    // The game's own roster is never overwritten.
    FFileName = NewBotListFileName();
    acSaveAsBotlistExecute();
  }
  UpdateSaveEnabled();
}

void TFmMainForm::acSaveAsBotlistExecute() {
  const std::string onEntry = FFileName;
  bool written = false;
  try {
    if (!platform::SameText(FSaveDialogFileName, DefaultBotListFileName())) {
      FFileName = NewBotListFileName();
      if (!FIsNewList) FSaveDialogFileName = FFileName;
    }
    TFileDialogRequest request{"Save Characterlist as ...", platform::ExtractFileDir(FFileName),
                               FSaveDialogFileName, BotListFilter};
    if (std::optional<std::string> chosen = FDialogs.SaveFileName(request)) {
      FSaveDialogFileName = *chosen;
      if (!IsDefaultBotList(*chosen)) {
        SaveBotList(*chosen);
        written = true;
        FModified = false;
        // The file just written is the roster from now on: a later Save
        // goes there.
        FFileName = *chosen;
        FDialogs.ShowMessage("Botlist saved as :\r" + *chosen);
      } else {
        FDialogs.ShowMessage("Altering of XplayersL1.Upl is not allowed.\rUse 'Save as ...' instead.");
      }
    }
  } catch (...) {
    FFileName = onEntry;
    UpdateSaveEnabled();
    throw;
  }
  if (!written) FFileName = onEntry;
  UpdateCaption(FCurrentBot ? FCurrentBot->GetDefaultName() : std::string());
  UpdateSaveEnabled();
}

// ---------------------------------------------------------------- the list

void TFmMainForm::ClearBots() {
  CloseAllProfiles();
  // The rows go with their bots: a selection left over from the old roster
  // must not pick bots of the next one.
  const QSignalBlocker blocker(lbBotList);
  lbBotList->clear();
  FBots.clear();
}

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
  for (const TBotEntry& entry : FBots) names << ToQ(entry.Bot->GetDefaultName());
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
  acDeleteBot->setEnabled(FCurrentBot != nullptr);
  acCopyBot->setEnabled(FCurrentBot != nullptr);
  for (QAction* action : {acEditBio, acAddBio, acCopyBioToClipboard, acCopyBioFromClipboard})
    action->setEnabled(FCurrentBot != nullptr);
}

void TFmMainForm::UpdateCaption(const std::string& botName) {
  std::string caption = std::string(ApplicationTitle) + " (" + platform::GetVersionString() + ") - " +
                        FSaveDialogFileName + " - " + botName;
  if (FModified) caption += " *";
  setWindowTitle(ToQ(caption));
}

int TFmMainForm::CurrentIndex() const {
  for (int i = 0; i < BotCount(); ++i)
    if (FBots[static_cast<std::size_t>(i)].Bot.get() == FCurrentBot) return i;
  return -1;
}

int TFmMainForm::FindBotByKey(const std::string& name) const {
  for (int i = 0; i < BotCount(); ++i)
    if (platform::SameText(FBots[static_cast<std::size_t>(i)].Key, name)) return i;
  return -1;
}

// ---------------------------------------------------------------- commands

void TFmMainForm::acNewBotListExecute() {
  if (!ConfirmLosingChanges()) return;
  ClearBots();
  FCurrentBot = nullptr;
  RefreshBotListBox();
  FIsNewList = true;
  FFileName = NewBotListFileName();
  FSaveDialogFileName = FFileName;
  UpdateSaveEnabled();
  ClearDetails();
  acAddBotExecute();
}

void TFmMainForm::acOpenBotlistExecute() {
  if (!ConfirmLosingChanges()) return;
  if (FOpenDialogInitialDir.empty() && platform::DirectoryExists(FSystemDir)) FOpenDialogInitialDir = FSystemDir;
  TFileDialogRequest request{"Open Characterlist ...", FOpenDialogInitialDir, "", BotListFilter};
  const std::optional<std::string> chosen = FDialogs.OpenFileName(request);
  if (!chosen) return;
  FOpenDialogInitialDir = platform::ExtractFileDir(*chosen);
  LoadBotList(*chosen);  // on failure nothing below runs and nothing changed
  FModified = false;
  FIsNewList = false;
  ClearDetails();
  FSaveDialogFileName = platform::ExtractFileName(FFileName);
  RefreshBotListBox();
  SelectFirstBot();
  UpdateCaption(FCurrentBot ? FCurrentBot->GetDefaultName() : std::string());
  UpdateBotCommands();
}

void TFmMainForm::acCloseExecute() { close(); }

void TFmMainForm::acAddBotExecute() {
  auto bot = std::make_unique<roster::TBotCharacter>();
  bot->SetDefaultName("BOT" + std::to_string(BotCount() + 1));
  FBots.push_back(TBotEntry::Of(std::move(bot)));
  RefreshBotListBox();
  SelectRow(BotCount() - 1);
  lbBotListClick();
  FModified = true;
  CharacterChanged(FCurrentBot);
}

void TFmMainForm::acDeleteBotExecute() {
  const int index = CurrentIndex();
  if (index < 0) return;
  CloseProfile(BotKey(index));
  FCurrentBot = nullptr;
  FBots.erase(FBots.begin() + index);
  RefreshBotListBox();
  if (BotCount() > 0) SelectRow(index >= 1 ? index - 1 : 0);
  lbBotListClick();
  FModified = true;
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
  const int index = FindBotByKey(text);
  if (index >= 0) {
    SelectRow(index);
    lbBotListClick();
  } else if (!text.empty()) {
    FDialogs.ShowMessage("No botcharacter named \"" + text + "\" found.");
  }
}

void TFmMainForm::acCopyBotExecute() {
  if (!FCurrentBot) return;
  FClipBot.SetPlayerLine(FCurrentBot->GetPlayerLine());
  acPasteBot->setEnabled(true);
  acPasteAsNewBot->setEnabled(acPasteBot->isEnabled());
}

void TFmMainForm::ShowBotAt(int index) {
  // The record was changed as a whole: show it without writing the old
  // control values back into it first.
  FCurrentBot = FBots.at(static_cast<std::size_t>(index)).Bot.get();
  SelectRow(index);
  ShowCharacter(*FCurrentBot);
  UpdateBotCommands();
}

void TFmMainForm::acPasteBotExecute() {
  if (!FCurrentBot) {
    acPasteAsNewBotExecute();  // nothing to paste over
    return;
  }
  FCurrentBot->SetPlayerLine(FClipBot.GetPlayerLine());
  // The key follows the pasted name, as a rename through the name field
  // does, so Find reaches the bot under the name it shows.
  const int index = CurrentIndex();
  FBots.at(static_cast<std::size_t>(index)).Key = FCurrentBot->GetDefaultName();
  RefreshBotListBox();
  FModified = true;
  ShowBotAt(index);
}

void TFmMainForm::acPasteAsNewBotExecute() {
  FBots.push_back(TBotEntry::FromLine(FClipBot.GetPlayerLine()));
  RefreshBotListBox();
  FModified = true;
  ShowBotAt(BotCount() - 1);
}

}  // namespace windows
