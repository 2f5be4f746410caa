#pragma once

// The editor's one long-lived window: the roster list on the left, the bot's
// skills and looks on two pages on the right, and the roster commands.
// It is a view of the roster document `FRoster`: it shows the bots, asks the
// user, and hands every change to the document. The value lists behind the
// pick lists and the bot shown in the controls, `FCurrentBot`, are its own.

#include <exception>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <QMainWindow>

#include "platform/IniFile.h"
#include "roster/PuBotCharacter.h"
#include "roster/PuBotPresets.h"
#include "roster/PuBotTemplates.h"
#include "roster/PuRosterDocument.h"
#include "roster/PuValueLists.h"
#include "roster/StringList.h"
#include "windows/BotEditor.h"
#include "windows/BotListBox.h"
#include "windows/Dialogs.h"
#include "windows/PfBotConfig.h"

class QAction;
class QDialog;
class QGroupBox;
class QLineEdit;
class QMenu;
class QMimeData;
class QProgressBar;
class QTabWidget;
class QToolBar;
class QToolButton;
class QWidget;

namespace windows {

class TBotProfiles;
struct TProgramRun;

extern const char* const ApplicationTitle;  // "Orvy's Rosterwell"
extern const char* const BotListFilter;     // the roster dialogs' filter

class TFmMainForm : public QMainWindow, private roster::TRosterObserver {
  Q_OBJECT

 public:
  // `args` is the command line, the program's own path first. Nothing is
  // read or asked before FormCreate.
  TFmMainForm(TDialogs& dialogs, std::vector<std::string> args, QWidget* parent = nullptr);
  ~TFmMainForm() override;

  // The start-up: command line, value-list file, System directory, value
  // lists, first roster. False when the process was told to halt.
  bool FormCreate();

  // Roster commands.
  void acNewBotListExecute();
  void acOpenBotlistExecute();
  void acSaveBotlistExecute();
  void acSaveAsBotlistExecute();
  void acCloseExecute();
  void acAddBotExecute();
  void acDeleteBotExecute();
  void acFindBotByNameExecute();
  void FindDialog1Find();
  void acCopyBotExecute();
  void acPasteBotExecute();
  void acPasteAsNewBotExecute();

  // Biographies.
  void EditBio(const std::string& ref, const std::string& botName, bool editExisting, const std::string& dir);
  void EditBioText(const std::string& ref, const std::string& botName, const std::string& text,
                   const std::string& dir);
  void acEditBioExecute();
  void acAddBioExecute();
  void acCopyBioToClipboardExecute();
  void acCopyBioFromClipboardExecute();

  // UnrealScript export and compilation; the about window.
  void miExportPlayerRecordClassClick();
  // False when the compiler could not be started, was cancelled or failed.
  bool CompilePackages(const std::vector<std::string>& packages);
  TProgramRun RunUcc(const std::string& compiler, const std::string& config);
  void mmAboutClick();

  // Roster file: thin forwards to the document.
  void LoadBotList(const std::string& fileName);
  void SaveBotList(const std::string& fileName);
  std::string DefaultBotListFileName() const;
  std::string NewBotListFileName();

  // Value lists and pick lists.
  void InitValueLists(const std::string& dir);
  void LoadValueLists();
  void SaveValueLists();
  void FillCombos();
  void LoadBioTexts();
  void FillWeaponsFromIntObjects();
  void FillDefaultMeshes();
  void FillDefaultSkins();
  void FillDefaultVoices();
  void FillDefaultSpecies();
  void ClearRagdolls();
  void FillDefaultSkeletons();
  void FillDefaultSex();
  void FillDefaultMenu();

  // Profiles, templates, skill presets, drag copy and the character
  // clipboard.
  void acShowProfileExecute();
  void acShowProfilesExecute();
  // A double click on a roster row: that bot's profile window.
  void lbBotListDblClick();
  void BuildTemplateMenu();
  void TemplateClick(int index);
  void acCreateTemplateFromCharacterExecute();
  void acDefaultCharacterExecute();
  void acResetCharacterSkillsExecute();
  void acMaximizeCharacterSkillsExecute();
  void acMinimizeCharacterSkillsExecute();
  void acSkillRandomizerExecute();
  void acCopyDataToClipboardExecute();
  void acCopyDataFromClipboardExecute();
  // A drop on the roster list, or anywhere on the window: a copy of the
  // dragged bot at the end of the roster. False when refused (not a bot,
  // not from this list, no bot shown).
  bool lbBotListDragDrop(const QMimeData& mime);
  // The random preset draws from the clock-seeded source unless a test
  // hands in its own.
  void SetRandomSource(std::unique_ptr<roster::TRandomSource> random) { FRandom = std::move(random); }
  TBotProfiles& Profiles() const { return *FProfiles; }
  const std::vector<roster::TBotTemplate>& Templates() const { return FTemplates; }

  // Showing and applying a bot.
  void ShowCharacter(const roster::TBotCharacter& bot);
  // Writes every control that shows the shown bot's value back into it,
  // through the roster.
  void ApplyAllControls();
  void lbBotListClick();
  void RefreshBotListBox();
  void SelectFirstBot();
  void ClearDetails();
  void UpdateCaption(const std::string& botName);

  // The roster the window shows; the later windows work on it too.
  roster::TRosterDocument& Roster() { return FRoster; }
  const roster::TRosterDocument& Roster() const { return FRoster; }

  // What tests and the later windows read.
  int BotCount() const { return FRoster.Count(); }
  const roster::TBotCharacter& Bot(int index) const { return FRoster.Bot(index); }
  const std::string& BotKey(int index) const { return FRoster.Key(index); }
  const roster::TBotCharacter* CurrentBot() const { return FCurrentBot; }
  const std::string& FileName() const { return FRoster.FileName(); }
  const std::string& SystemDir() const { return FSystemDir; }
  const std::string& IniFileName() const { return FIniFileName; }
  bool Modified() const { return FRoster.Modified(); }
  bool IsNewList() const { return FRoster.IsNewList(); }
  int MissingCount() const { return FMissingCount; }
  const roster::TValueLists& Lists() const { return FLists; }

 protected:
  // Hooks for the windows that join later. Each is called where that
  // window's work belongs; the main window's own steps around it (taking
  // the lists back, refilling, writing the value-list file, showing the bot
  // again, the questions) are already done here.
  //
  // The custom content check run unseen at the very first start: adds the
  // references the System directory's rosters use to the value lists.
  virtual void CheckCustomContentUnseen();
  // The configuration window's roster harvest, run unseen the first time a
  // shown bot has references missing from the value lists.
  virtual void HarvestRosterReferencesUnseen();
  // The configuration window, shown modally ("Manual package search").
  virtual void ShowConfigurationWindow();
  // What runs the biography editor for the configuration window's
  // biography list.
  virtual TEditBiography BiographyEditor();
  void closeEvent(QCloseEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  // What the roster tells its views.
  void BotDeleted(const roster::TBotCharacter& bot) override;
  void RosterReplaced() override;
  void ModifiedChanged(bool modified) override;

  void BuildProfileAndTemplateCommands();
  void BuildActions();
  void BuildMenus();
  void BuildControls();
  void BuildFindDialog();
  void BuildBioCommands();
  void BuildSetupAndAboutCommands();
  // After a biography was written: the file read again, the shown bot
  // pointed at the biography and shown again.
  void BioWritten(const std::string& fileName, const std::string& ref);
  // The written .int file read again into the game files; false (and
  // said) for a file of that name outside the System folder.
  bool RereadBioFile(const std::string& fileName);
  // The Setup menu's configuration window and content check.
  void BuildConfigurationCommands();
  // The configuration window shown, or its harvest run unseen; the lists
  // come back whole either way.
  void RunConfiguration(bool shown);
  // The custom content check shown, or run unseen.
  void RunContentCheck(bool shown);
  void ConnectHandlers();
  void FixWindowSize();

  void ReadCommandLine(std::string& rosterName);
  bool SettleSystemDir();
  // The start roster; what the user is told when it could not be read.
  std::optional<std::string> OpenStartRoster(const std::string& rosterName);
  bool AskForNewRosterWhenEmpty(const std::string& rosterName, const std::optional<std::string>& failure);
  void Halt(int exitCode);
  // Runs a command and shows what it raised, as the platform's default
  // error report did.
  template <class F>
  void Guard(F&& command);

  // Runs `change` on the shown bot, then shows it again; the roster is
  // marked changed when the bot's line changed.
  template <class F>
  void ChangeCurrentBot(F&& change);
  bool IsDefaultBotList(const std::string& fileName) const;
  void UpdateSaveEnabled();
  void UpdateBotCommands();
  // Exit (the menu and the title bar's close button), and New and Open:
  // whether unsaved changes may be dropped, "No" by default.
  bool ConfirmLosingChanges();
  bool ConfirmDiscardingChanges();
  bool ConfirmUnsaved(const std::string& question);
  // Writes the roster; false (and the user told why) when it was not.
  bool WriteRoster(const std::string& fileName);
  // What the user is told of a roster that was not opened: the file, once,
  // and the reason the load raised.
  static std::string NotOpenedText(const std::string& fileName, const std::exception& e);
  void SelectRow(int row);
  void ShowBotAt(int index);
  // The row whose bot the controls show: the current row when it is
  // selected, else the shown bot while it stays selected, else the first
  // selected row; -1 when nothing is selected.
  int RowToShow() const;
  // The shown bot's place in the roster; -1 when no bot is shown.
  int CurrentIndex() const;

  void TakeBackValueLists();

  void ReportMissing(const std::string& report);
  void CharacterChanged(const roster::TBotCharacter* bot);
  // A control the user changed: the name renames the shown bot, any other
  // control writes into every selected bot.
  void ControlEdited(TBotControl control);
  void ApplyToSelected(TBotControl control);
  void edStatChange();


  // Controls, named as the commands know them; tests find them by the
  // same object names.
  TBotListBox* lbBotList = nullptr;
  QGroupBox* gbBotlist = nullptr;
  QTabWidget* PageControl1 = nullptr;
  QToolBar* ToolBar1 = nullptr;
  QProgressBar* pbWaitingline = nullptr;
  QMenu* mmFile = nullptr;
  QMenu* mmEditBots = nullptr;
  QMenu* miBiography = nullptr;  // the biography commands join it
  QMenu* pmBotlist = nullptr;    // the roster list's pop-up menu
  QMenu* pmBio = nullptr;        // the biography pop-up menu
  QMenu* pmTemplates = nullptr;         // the templates, below tbTemplates
  QMenu* pmStandardSettings = nullptr;  // the skill presets, below tbStandards
  QToolButton* tbShowProfile = nullptr;
  QToolButton* tbShowProfiles = nullptr;
  QToolButton* tbTemplates = nullptr;
  QToolButton* tbStandards = nullptr;
  QToolButton* tbSkillRandomizer = nullptr;
  QDialog* FindDialog1 = nullptr;
  QLineEdit* edFindText = nullptr;

  QAction* acNewBotList = nullptr;
  QAction* acOpenBotlist = nullptr;
  QAction* acSaveBotlist = nullptr;
  QAction* acSaveAsBotlist = nullptr;
  QAction* acClose = nullptr;
  QAction* acAddBot = nullptr;
  QAction* acDeleteBot = nullptr;
  QAction* acFindBotByName = nullptr;
  QAction* acCopyBot = nullptr;
  QAction* acPasteBot = nullptr;
  QAction* acPasteAsNewBot = nullptr;
  QAction* acShowProfile = nullptr;  // also the roster list's miShowStats
  QAction* acShowProfiles = nullptr;
  QAction* acCreateTemplateFromCharacter = nullptr;
  QAction* acDefaultCharacter = nullptr;
  QAction* acResetCharacterSkills = nullptr;
  QAction* acMaximizeCharacterSkills = nullptr;
  QAction* acMinimizeCharacterSkills = nullptr;
  QAction* acSkillRandomizer = nullptr;
  QAction* acCopyDataToClipboard = nullptr;
  QAction* acCopyDataFromClipboard = nullptr;

  QAction* acEditBio = nullptr;
  QAction* acAddBio = nullptr;
  QAction* acDelBio = nullptr;
  QAction* acCopyBioToClipboard = nullptr;
  QAction* acCopyBioFromClipboard = nullptr;
  QMenu* mmSetup = nullptr;
  QAction* miManualPackageSearch = nullptr;
  QAction* acCustomContentCheck = nullptr;  // on the menu, not visible
  QAction* miExportPlayerRecordClass = nullptr;
  QAction* mmAbout = nullptr;

  TDialogs& FDialogs;
  std::vector<std::string> FArgs;
  bool FHalted = false;

  int FMissingCount = 0;
  std::unique_ptr<platform::TIniFile> FIni;
  // The value-list file, read on first use (EFileError when it cannot be).
  platform::TIniFile& Ini();
  std::string FClipBot;  // the line of the bot Copy Bot took, as a save writes it
  roster::TRosterDocument FRoster;
  const roster::TBotCharacter* FCurrentBot = nullptr;
  roster::TValueLists FLists;
  // Sort directions the configuration windows share, one after the other.
  TConfigViewState FConfigViewState;
  std::string FSystemDir;
  std::string FIniFileName;

  // What the save and open dialogs remember between runs.
  std::string FSaveDialogFileName;
  std::string FOpenDialogInitialDir;

  // The bot's controls, showing the bot and writing it back.
  std::unique_ptr<TBotEditor> FEditor;

  std::unique_ptr<roster::TRandomSource> FRandom;
  std::vector<roster::TBotTemplate> FTemplates;
  // Last: its windows go before the bots and lists they show.
  std::unique_ptr<TBotProfiles> FProfiles;
};

template <class F>
void TFmMainForm::Guard(F&& command) {
  GuardCommand(FDialogs, std::forward<F>(command));
}

}  // namespace windows
