// Commands on one bot as a whole: its profile window and the profile list,
// the templates and skill presets, copying it by drag within the roster
// list and through the system clipboard as text.

#include <QAction>
#include <QApplication>
#include <QListWidget>
#include <QMenu>
#include <QMimeData>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>

#include "platform/AsciiText.h"
#include "roster/PuBotClipboard.h"
#include "windows/BotListBox.h"
#include "windows/BotProfiles.h"
#include "windows/PfMainForm.h"
#include "windows/PfStatViewlist.h"
#include "windows/QtDialogs.h"

namespace windows {

namespace {

// A command with an icon of the style's own, for the tool bar.
QAction* MakeCommand(QObject* owner, const char* name, const char* caption, const char* hint,
                     QStyle::StandardPixmap icon) {
  QAction* action = MakeAction(owner, name, caption, hint);
  action->setIcon(QApplication::style()->standardIcon(icon));
  return action;
}

QToolButton* MakeToolButton(QToolBar* bar, const char* name, QAction* action, QMenu* menu = nullptr) {
  auto* button = new QToolButton(bar);
  button->setObjectName(QString::fromLatin1(name));
  button->setDefaultAction(action);
  if (menu) {
    button->setMenu(menu);
    button->setPopupMode(QToolButton::MenuButtonPopup);
  }
  return button;
}

QMenu* MakeMenu(QWidget* owner, const char* name) {
  auto* menu = new QMenu(owner);
  menu->setObjectName(QString::fromLatin1(name));
  return menu;
}

}  // namespace

void TFmMainForm::BuildProfileAndTemplateCommands() {
  FProfiles = std::make_unique<TBotProfiles>(this, FRoster, FLists.Weapons, FLists.Species);
  FRandom = roster::MakeClockRandomSource();

  acShowProfile = MakeCommand(this, "acShowProfile", "&Show profile", "View the profile as seen in UT'03",
                              QStyle::SP_FileDialogInfoView);
  acShowProfiles = MakeCommand(this, "acShowProfiles", "Show profiles", "choose a profile to view",
                               QStyle::SP_FileDialogListView);
  acCreateTemplateFromCharacter = MakeCommand(this, "acCreateTemplateFromCharacter",
                                              "Create template from selected character", nullptr,
                                              QStyle::SP_FileDialogNewFolder);
  acDefaultCharacter = MakeCommand(this, "acDefaultCharacter", "Reset skills & details to default values",
                                   "Reset skills & details to default values", QStyle::SP_DialogResetButton);
  acResetCharacterSkills = MakeCommand(this, "acResetCharacterSkills", "Reset skills to defaults",
                                       "Reset skills to default values", QStyle::SP_BrowserReload);
  acMaximizeCharacterSkills = MakeCommand(this, "acMaximizeCharacterSkills", "Set all skills to maximum values",
                                          "Set all skills to maximum values", QStyle::SP_ArrowUp);
  acMinimizeCharacterSkills = MakeCommand(this, "acMinimizeCharacterSkills", "Set all skills to minimum values",
                                          "Set all skills to minimum values", QStyle::SP_ArrowDown);
  acSkillRandomizer = MakeCommand(this, "acSkillRandomizer", "Random skills",
                                  "Change all skills to a random level ...", QStyle::SP_MessageBoxQuestion);
  acCopyDataToClipboard = MakeCommand(this, "acCopyDataToClipboard", "Copy character to clipboard",
                                      "Copies pure characterdata to the clipboard", QStyle::SP_ArrowRight);
  acCopyDataFromClipboard = MakeCommand(this, "acCopyDataFromClipboard", "Copy character from clipboard",
                                        "Copies pure characterdata from the clipboard", QStyle::SP_ArrowLeft);

  pmTemplates = MakeMenu(this, "pmTemplates");
  pmStandardSettings = MakeMenu(this, "pmStandardSettings");
  for (QAction* action :
       {acMaximizeCharacterSkills, acResetCharacterSkills, acMinimizeCharacterSkills, acSkillRandomizer})
    pmStandardSettings->addAction(action);

  pmBotlist->addAction(acShowProfile);
  pmBotlist->addSeparator();
  pmBotlist->addAction(acCreateTemplateFromCharacter);
  pmBotlist->addSeparator();
  pmBotlist->addAction(acCopyDataToClipboard);
  pmBotlist->addAction(acCopyDataFromClipboard);

  tbShowProfile = MakeToolButton(ToolBar1, "tbShowProfile", acShowProfile);
  tbShowProfiles = MakeToolButton(ToolBar1, "tbShowProfiles", acShowProfiles);
  tbTemplates = MakeToolButton(ToolBar1, "tbTemplates", acDefaultCharacter, pmTemplates);
  tbStandards = MakeToolButton(ToolBar1, "tbStandards", acResetCharacterSkills, pmStandardSettings);
  tbSkillRandomizer = MakeToolButton(ToolBar1, "tbSkillRandomizer", acSkillRandomizer);
  QAction* before = nullptr;
  for (QAction* action : ToolBar1->actions())
    if (QWidget* widget = ToolBar1->widgetForAction(action); widget && widget->objectName() == "ToolBarSpacer")
      before = action;
  ToolBar1->insertSeparator(before);
  ToolBar1->insertWidget(before, tbShowProfile);
  ToolBar1->insertWidget(before, tbShowProfiles);
  ToolBar1->insertSeparator(before);
  ToolBar1->insertWidget(before, tbTemplates);
  ToolBar1->insertWidget(before, tbStandards);
  ToolBar1->insertWidget(before, tbSkillRandomizer);

  lbBotList->DragLine = [this]() -> std::optional<std::string> {
    if (!FCurrentBot) return std::nullopt;
    return FRoster.PlayerLineOf(*FCurrentBot);
  };
  lbBotList->CanDrop = [this] { return FCurrentBot != nullptr; };
  lbBotList->TakeDropsOn(*this);
  lbBotList->Drop = [this](const QMimeData& mime) {
    bool taken = false;
    Guard([&] { taken = lbBotListDragDrop(mime); });
    return taken;
  };
}

// ---------------------------------------------------------------- profiles

void TFmMainForm::acShowProfileExecute() {
  if (FCurrentBot) FProfiles->Show(*FCurrentBot);
}

void TFmMainForm::lbBotListDblClick() { acShowProfileExecute(); }

void TFmMainForm::acShowProfilesExecute() {
  // Made for this one run and freed when it closes.
  TFmStatViewlist list(this);
  list.SetList(FProfiles->List());
  FDialogs.ShowModal(list);
}

// ---------------------------------------------------------------- one bot

template <class F>
void TFmMainForm::ChangeCurrentBot(F&& change) {
  if (!FCurrentBot) return;
  const roster::TBotCharacter& bot = *FCurrentBot;
  const std::string oldName = bot.GetDefaultName();
  FRoster.Edit(bot, change);
  // A new name is the bot's key from now on, as a rename in the name field
  // makes it, so the list and Find show and reach the bot by it.
  if (bot.GetDefaultName() != oldName) FRoster.Rename(bot, bot.GetDefaultName());
  RefreshBotListBox();
  ShowBotAt(FRoster.IndexOf(bot));
}

// ---------------------------------------------------------------- templates

void TFmMainForm::BuildTemplateMenu() {
  pmTemplates->clear();
  FTemplates.clear();
  roster::EnsureDefaultTemplates(Ini());
  FTemplates = roster::ReadTemplates(Ini(), &FDialogs);
  for (std::size_t i = 0; i < FTemplates.size(); ++i) {
    const std::string name = "\"" + FTemplates[i].Template.GetDefaultName() + "\"";
    QAction* item = pmTemplates->addAction(ToQ("Use template " + name));
    item->setStatusTip(ToQ("Change skills to " + name));
    item->setToolTip(item->statusTip());
    const int index = static_cast<int>(i);
    connect(item, &QAction::triggered, this, [this, index] { Guard([&] { TemplateClick(index); }); });
  }
}

void TFmMainForm::TemplateClick(int index) {
  if (index < 0 || index >= static_cast<int>(FTemplates.size())) return;
  const roster::TBotCharacter& chosen = FTemplates[static_cast<std::size_t>(index)].Template;
  ChangeCurrentBot([&](roster::TBotCharacter& bot) { roster::ApplyTemplateSkills(bot, chosen); });
}

void TFmMainForm::acCreateTemplateFromCharacterExecute() {
  if (!FCurrentBot) return;
  const std::optional<std::string> name =
      FDialogs.InputQuery("Add current character as template", "Name", FCurrentBot->GetDefaultName());
  if (!name) return;
  if (const std::optional<std::string> error = roster::TemplateNameError(*name)) {
    FDialogs.MessageDlg(*error, TMsgDlgType::mtWarning, mbOK);
    return;
  }
  // A file that cannot be written keeps no template in memory either.
  const platform::TIniFile before = Ini();
  try {
    roster::StoreTemplate(*FIni, *name, FCurrentBot->GetPlayerLine());
    FIni->UpdateFile();
  } catch (...) {
    *FIni = before;
    throw;
  }
  BuildTemplateMenu();
}

// ---------------------------------------------------------------- presets

void TFmMainForm::acDefaultCharacterExecute() { ChangeCurrentBot(roster::DefaultCharacter); }

void TFmMainForm::acResetCharacterSkillsExecute() { ChangeCurrentBot(roster::ResetCharacterSkills); }

void TFmMainForm::acMaximizeCharacterSkillsExecute() { ChangeCurrentBot(roster::MaximizeCharacterSkills); }

void TFmMainForm::acMinimizeCharacterSkillsExecute() { ChangeCurrentBot(roster::MinimizeCharacterSkills); }

void TFmMainForm::acSkillRandomizerExecute() {
  ChangeCurrentBot(
      [this](roster::TBotCharacter& bot) { roster::RandomizeCharacterSkills(bot, *FRandom, FLists.Weapons); });
}

// ---------------------------------------------------------------- copying

bool TFmMainForm::lbBotListDragDrop(const QMimeData& mime) {
  if (!lbBotList->Accepts(mime)) return false;
  // The data come from this list only: a bot's own line, read back whole,
  // also when it holds bytes the clipboard would refuse.
  const roster::TBotCharacter& copy = FRoster.PasteAsNew(TBotListBox::DraggedLine(mime));
  FRoster.Rename(copy, copy.GetDefaultName() + "(copy)");
  RefreshBotListBox();
  SelectRow(BotCount() - 1);
  lbBotListClick();
  CharacterChanged(FCurrentBot);
  return true;
}

void TFmMainForm::acCopyDataToClipboardExecute() {
  if (FCurrentBot) FDialogs.SetClipboardText(FRoster.PlayerLineOf(*FCurrentBot));
}

void TFmMainForm::acCopyDataFromClipboardExecute() {
  if (!FCurrentBot) return;
  const std::optional<std::string> text = FDialogs.ClipboardText();
  if (!text || text->empty()) return;
  std::string error;
  const std::optional<std::string> pasted = roster::ReadPastedBot(*text, error, &FDialogs);
  if (!pasted) {
    FDialogs.MessageDlg(error, TMsgDlgType::mtWarning, mbOK);
    return;
  }
  // The whole line was read: only now does the bot take it, name and key
  // included.
  FRoster.Paste(*FCurrentBot, *pasted);
  RefreshBotListBox();
  ShowBotAt(CurrentIndex());
}

}  // namespace windows
