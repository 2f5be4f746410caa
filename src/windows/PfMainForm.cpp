#include "windows/PfMainForm.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QStyle>
#include <QTabWidget>
#include <QToolBar>
#include <QVBoxLayout>

#include <algorithm>

#include "platform/AsciiText.h"
#include "platform/FileError.h"
#include "platform/Files.h"
#include "platform/Registry.h"
#include "roster/PuGameFiles.h"
#include "windows/BotProfiles.h"
#include "windows/QtDialogs.h"

namespace windows {

const char* const ApplicationTitle = "Orvy's Rosterwell";
const char* const BotListFilter = "Characterlist (*.upl)|*.upl|All files (*.*)|*.*";

namespace {

// The client area the window was laid out for; the platform's fonts may
// ask for more, never for less.
constexpr int DesignClientWidth = 537;
constexpr int DesignClientHeight = 540;

}  // namespace

TFmMainForm::TFmMainForm(TDialogs& dialogs, std::vector<std::string> args, QWidget* parent)
    : QMainWindow(parent), FDialogs(dialogs), FArgs(std::move(args)), FRoster(std::string(), &dialogs) {
  FRoster.AddObserver(*this);
  setObjectName(QStringLiteral("FmMainForm"));
  setWindowTitle(QStringLiteral("TFmMainForm"));
  BuildActions();
  BuildMenus();
  BuildControls();
  BuildBioCommands();
  BuildSetupAndAboutCommands();
  BuildConfigurationCommands();
  BuildFindDialog();
  BuildProfileAndTemplateCommands();
  ConnectHandlers();
  FixWindowSize();
  ClearDetails();
  UpdateBotCommands();
}

TFmMainForm::~TFmMainForm() {
  FRoster.RemoveObserver(*this);
  roster::GameFiles().FreeIntFiles();
  roster::GameFiles().FreeUtObjects();
}

void TFmMainForm::BuildActions() {
  acNewBotList = MakeAction(this, "acNewBotList", "&New", "Create new botlist");
  acOpenBotlist = MakeAction(this, "acOpenBotlist", "Open Characterlist ...", "Open list of botcharacters ...");
  acOpenBotlist->setShortcut(QKeySequence(QStringLiteral("Ctrl+O")));
  acSaveBotlist = MakeAction(this, "acSaveBotlist", "Save Characterlist", "Save botlist");
  acSaveBotlist->setShortcut(QKeySequence(QStringLiteral("Ctrl+S")));
  acSaveAsBotlist = MakeAction(this, "acSaveAsBotlist", "Save Characterlist as ...", "Save as botlist with new name");
  acClose = MakeAction(this, "acClose", "E&xit", "Close rosterwell");
  acClose->setShortcut(QKeySequence(QStringLiteral("Alt+F4")));
  acAddBot = MakeAction(this, "acAddBot", "&Add Bot", "Add new bot to list");
  acDeleteBot = MakeAction(this, "acDeleteBot", "&Delete Bot", "Delete selected bot from list");
  acFindBotByName = MakeAction(this, "acFindBotByName", "&Find Bot by name ...", "Find a named character");
  acFindBotByName->setShortcut(QKeySequence(QStringLiteral("Ctrl+F")));
  acCopyBot = MakeAction(this, "acCopyBot", "&Copy Bot", "Copy bot");
  acPasteBot = MakeAction(this, "acPasteBot", "&Paste Bot", "Paste bot over selected bot");
  acPasteAsNewBot = MakeAction(this, "acPasteAsNewBot", "Paste as &new bot", "Paste bot as new bot into list");
  // Nothing to paste before the first Copy Bot.
  acPasteBot->setEnabled(false);
  acPasteAsNewBot->setEnabled(acPasteBot->isEnabled());

  QStyle* style = QApplication::style();
  acClose->setIcon(style->standardIcon(QStyle::SP_DialogCloseButton));
  acFindBotByName->setIcon(style->standardIcon(QStyle::SP_FileDialogContentsView));
  acNewBotList->setIcon(style->standardIcon(QStyle::SP_FileIcon));
  acOpenBotlist->setIcon(style->standardIcon(QStyle::SP_DialogOpenButton));
  acSaveBotlist->setIcon(style->standardIcon(QStyle::SP_DialogSaveButton));
  acSaveAsBotlist->setIcon(style->standardIcon(QStyle::SP_DriveFDIcon));
}

void TFmMainForm::BuildMenus() {
  mmFile = menuBar()->addMenu(QStringLiteral("&File"));
  mmFile->setObjectName(QStringLiteral("mmFile"));
  mmFile->addAction(acNewBotList);
  mmFile->addAction(acOpenBotlist);
  mmFile->addAction(acSaveBotlist);
  mmFile->addAction(acSaveAsBotlist);
  mmFile->addSeparator();
  mmFile->addAction(acClose);

  mmEditBots = menuBar()->addMenu(QStringLiteral("&Edit bots"));
  mmEditBots->setObjectName(QStringLiteral("mmEditBots"));
  mmEditBots->addAction(acAddBot);
  mmEditBots->addAction(acDeleteBot);
  mmEditBots->addSeparator();
  miBiography = mmEditBots->addMenu(QStringLiteral("Biography"));
  miBiography->setObjectName(QStringLiteral("miBiography"));
  mmEditBots->addSeparator();
  mmEditBots->addAction(acCopyBot);
  mmEditBots->addAction(acPasteBot);
  mmEditBots->addAction(acPasteAsNewBot);
  mmEditBots->addSeparator();
  mmEditBots->addAction(acFindBotByName);

  ToolBar1 = addToolBar(QStringLiteral("ToolBar1"));
  ToolBar1->setObjectName(QStringLiteral("ToolBar1"));
  ToolBar1->setMovable(false);
  ToolBar1->setFloatable(false);
  ToolBar1->setContextMenuPolicy(Qt::PreventContextMenu);
  for (QAction* action : {acClose, acFindBotByName, acNewBotList, acOpenBotlist, acSaveBotlist, acSaveAsBotlist})
    ToolBar1->addAction(action);
  auto* spacer = new QWidget(ToolBar1);
  spacer->setObjectName(QStringLiteral("ToolBarSpacer"));  // later tool buttons go before it
  spacer->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
  ToolBar1->addWidget(spacer);
  pbWaitingline = new QProgressBar(ToolBar1);
  pbWaitingline->setObjectName(QStringLiteral("pbWaitingline"));
  pbWaitingline->setRange(0, 100);
  pbWaitingline->setValue(0);
  pbWaitingline->setTextVisible(false);
  pbWaitingline->setMaximumWidth(150);
  ToolBar1->addWidget(pbWaitingline);

  pmBotlist = new QMenu(this);
  pmBotlist->setObjectName(QStringLiteral("pmBotlist"));
  pmBio = new QMenu(this);
  pmBio->setObjectName(QStringLiteral("pmBio"));
  statusBar()->setObjectName(QStringLiteral("StatusBar1"));
}

void TFmMainForm::BuildControls() {
  auto* central = new QWidget(this);
  auto* layout = new QHBoxLayout(central);

  gbBotlist = new QGroupBox(QStringLiteral(" &Quicklist "), central);
  gbBotlist->setObjectName(QStringLiteral("gbBotlist"));
  SetHint(gbBotlist, "Select a character to edit");
  auto* listLayout = new QVBoxLayout(gbBotlist);
  lbBotList = new TBotListBox(gbBotlist);
  lbBotList->setObjectName(QStringLiteral("lbBotList"));
  lbBotList->setSelectionMode(QAbstractItemView::ExtendedSelection);
  lbBotList->setUniformItemSizes(true);
  lbBotList->setContextMenuPolicy(Qt::CustomContextMenu);
  SetHint(lbBotList, "Select a character to edit");
  listLayout->addWidget(lbBotList);
  layout->addWidget(gbBotlist, 2);

  PageControl1 = new QTabWidget(central);
  PageControl1->setObjectName(QStringLiteral("PageControl1"));
  FEditor = std::make_unique<TBotEditor>(PageControl1, FLists);
  layout->addWidget(PageControl1, 3);
  setCentralWidget(central);
}

void TFmMainForm::BuildFindDialog() {
  FindDialog1 = new QDialog(this);
  FindDialog1->setObjectName(QStringLiteral("FindDialog1"));
  FindDialog1->setWindowTitle(QStringLiteral("Find"));
  FindDialog1->setModal(false);
  auto* layout = new QHBoxLayout(FindDialog1);
  edFindText = new QLineEdit(FindDialog1);
  edFindText->setObjectName(QStringLiteral("edFindText"));
  layout->addWidget(MakeLabel(FindDialog1, "Fi&nd what:", edFindText));
  layout->addWidget(edFindText, 1);
  auto* findNext = new QPushButton(QStringLiteral("&Find Next"), FindDialog1);
  findNext->setObjectName(QStringLiteral("buFindNext"));
  findNext->setDefault(true);
  auto* cancel = new QPushButton(QStringLiteral("Cancel"), FindDialog1);
  layout->addWidget(findNext);
  layout->addWidget(cancel);
  connect(findNext, &QPushButton::clicked, this, [this] { Guard([this] { FindDialog1Find(); }); });
  connect(cancel, &QPushButton::clicked, FindDialog1, &QDialog::hide);
}

void TFmMainForm::FixWindowSize() {
  // The design's client area at least; more when this platform's fonts
  // need it, so that no label or control is cut.
  centralWidget()->layout()->activate();
  const QSize hint = minimumSizeHint();
  const int extra = menuBar()->sizeHint().height();
  setFixedSize(std::max(hint.width(), DesignClientWidth), std::max(hint.height(), DesignClientHeight + extra));
  setWindowFlags((windowFlags() & ~Qt::WindowMaximizeButtonHint) | Qt::MSWindowsFixedSizeDialogHint);
}

void TFmMainForm::showEvent(QShowEvent* event) {
  // FormShow: the skills page comes first every time.
  if (PageControl1->currentWidget() != FEditor->SkillsPage()) PageControl1->setCurrentWidget(FEditor->SkillsPage());
  QMainWindow::showEvent(event);
}

void TFmMainForm::closeEvent(QCloseEvent* event) {
  // FormCloseQuery
  if (!ConfirmLosingChanges()) {
    event->ignore();
    return;
  }
  event->accept();
}

bool TFmMainForm::ConfirmLosingChanges() { return ConfirmUnsaved("Exit now?"); }

bool TFmMainForm::ConfirmDiscardingChanges() { return ConfirmUnsaved("Discard the changes?"); }

bool TFmMainForm::ConfirmUnsaved(const std::string& question) {
  if (!Modified()) return true;
  // Enter alone must not throw the user's work away.
  return FDialogs.MessageDlg("Botlist has changed, but it has not been saved.  " + question,
                             TMsgDlgType::mtConfirmation, mbYes | mbNo, mbNo) == TModalResult::mrYes;
}

void TFmMainForm::Halt(int exitCode) {
  FHalted = true;
  FDialogs.Halt(exitCode);
}

// ---------------------------------------------------------------- start-up

bool TFmMainForm::FormCreate() {
  FClipBot.clear();
  acPasteBot->setEnabled(false);
  acPasteAsNewBot->setEnabled(acPasteBot->isEnabled());
  std::string rosterName;
  FSystemDir.clear();
  FIniFileName = platform::ChangeFileExt(FArgs.empty() ? std::string("Rosterwell") : FArgs[0], ".INI");
  ReadCommandLine(rosterName);
  if (platform::Trim(FSystemDir).empty()) FSystemDir = platform::GetGameSystemDir();
  if (!SettleSystemDir()) return false;
  FRoster.SetSystemDir(FSystemDir);

  Guard([this] { InitValueLists(FSystemDir); });
  if (FHalted) return false;
  if (platform::Trim(rosterName).empty()) rosterName = DefaultBotListFileName();
  const std::optional<std::string> failure = OpenStartRoster(rosterName);
  if (FHalted) return false;
  return AskForNewRosterWhenEmpty(rosterName, failure);
}

void TFmMainForm::ReadCommandLine(std::string& rosterName) {
  // A switch counts only at the start of a parameter: on this platform
  // every path holds "/", and "/srv/..." or "/usr/share/f..." must not be
  // taken for a System directory or a roster. The program's own path is
  // no switch either.
  for (std::size_t i = 1; i < FArgs.size(); ++i) {
    const std::string& arg = FArgs[i];
    if (arg.size() < 2 || arg[0] != '/') continue;
    const std::string value = arg.substr(2);
    if (arg[1] == 'f') rosterName = value;
    if (arg[1] == 's') FSystemDir = value;
    if (arg[1] == 'i') FIniFileName = value;
  }
}

bool TFmMainForm::SettleSystemDir() {
  while (!platform::DirectoryExists(FSystemDir)) {
    std::optional<std::string> answer =
        FDialogs.InputQuery("UT 2003 directory not found", "Specify location of UT2003", FSystemDir);
    if (!answer) break;
    FSystemDir = *answer;
  }
  if (platform::DirectoryExists(FSystemDir)) return true;
  FDialogs.MessageDlg("Can't locate directory :\r" + FSystemDir + "\rTerminating program.", TMsgDlgType::mtError,
                      mbOK);
  Halt(404);
  return false;
}

std::optional<std::string> TFmMainForm::OpenStartRoster(const std::string& rosterName) {
  std::optional<std::string> failure;
  // The game's files may be spelled in any case ("XPlayersL1.upl").
  const std::optional<std::string> found = platform::FindPathIgnoringCase(rosterName);
  const bool there = found && platform::FileExists(*found);
  if (there) {
    try {
      LoadBotList(*found);
    } catch (const std::exception& e) {
      failure = NotOpenedText(*found, e);
    }
  }
  if (!there || failure) FRoster.Clear();
  FSaveDialogFileName = platform::ExtractFileName(FileName());
  RefreshBotListBox();
  SelectFirstBot();
  if (FHalted) return failure;
  UpdateBotCommands();
  UpdateSaveEnabled();
  return failure;
}

bool TFmMainForm::AskForNewRosterWhenEmpty(const std::string& rosterName, const std::optional<std::string>& failure) {
  if (lbBotList->count() > 0) return true;
  // A roster that could not be read says why, not that it was empty.
  const std::string why = failure ? *failure : "File was not found or empty.\r\r\"" + PathText(rosterName) + "\"";
  const TModalResult answer =
      FDialogs.MessageDlg(why + "\r\rContinue with new botlist ?", TMsgDlgType::mtWarning, mbYes | mbNo);
  if (answer != TModalResult::mrYes) {
    Halt(404);
    return false;
  }
  acNewBotListExecute();
  return !FHalted;
}

}  // namespace windows
