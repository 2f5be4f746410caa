// One bot in the editing controls and back: showing it, writing a control
// the user changed into every selected bot, and renaming through the name
// field.

#include <cmath>
#include <stdexcept>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QGroupBox>
#include <QPlainTextEdit>
#include <QScopedValueRollback>
#include <QSpinBox>

#include "platform/AsciiText.h"
#include "roster/PuUtTypes.h"
#include "windows/BotProfiles.h"
#include "windows/PfMainForm.h"
#include "windows/QtDialogs.h"

namespace windows {

namespace {

// The reference of row `row` of a pick list whose rows start `offset` rows
// after the list's lines; nothing for no row, a placeholder or a stale row.
std::optional<std::string> ReferenceAt(const roster::TStringList& list, int row, int offset) {
  const int line = row - offset;
  if (row < 0 || line < 0 || line >= list.Count()) return std::nullopt;
  return list.Names(line);
}

}  // namespace

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
  const auto popup = [this](QWidget* widget, QMenu* menu) {
    connect(widget, &QWidget::customContextMenuRequested, this, [widget, menu](const QPoint& at) {
      if (!menu->isEmpty()) menu->popup(widget->mapToGlobal(at));
    });
  };
  popup(lbBotList, pmBotlist);
  popup(gbBio, pmBio);
  popup(cbText, pmBio);
  popup(meBio, pmBio);

  const auto apply = [this](auto* widget, auto signal, TBotControl control, TSetter setter) {
    connect(widget, signal, this, [this, control, setter] { Guard([&] { ApplyToSelected(control, setter); }); });
  };
  // Skill fields: valueChanged also comes from the program's own filling,
  // which ApplyToSelected ignores while the controls are not ready.
  apply(edAggressiveness, &QSpinBox::valueChanged, bcAggressiveness, &TFmMainForm::SetAggressivenessFromControl);
  apply(edCombatStyle, &QSpinBox::valueChanged, bcCombatStyle, &TFmMainForm::SetCombatStyleFromControl);
  apply(edStrafingAbility, &QSpinBox::valueChanged, bcStrafingAbility, &TFmMainForm::SetStrafingAbilityFromControl);
  apply(edTactics, &QSpinBox::valueChanged, bcTactics, &TFmMainForm::SetTacticsFromControl);
  apply(edReactionTime, &QSpinBox::valueChanged, bcReactionTime, &TFmMainForm::SetReactionTimeFromControl);
  apply(edAccuracy, &QSpinBox::valueChanged, bcAccuracy, &TFmMainForm::SetAccuracyFromControl);

  // Pick lists write on the user's own choice only, never when the program
  // fills them or shows a bot.
  for (const TPickList& pick : PickLists()) apply(this->*pick.Combo, &QComboBox::activated, pick.Control, pick.Setter);
  connect(cbText, &QComboBox::activated, this, [this] { Guard([this] { cbTextChange(); }); });
  apply(cbJumpy, &QCheckBox::clicked, bcJumpy, &TFmMainForm::SetJumpyFromControl);
  connect(edDefaultName, &QLineEdit::textEdited, this, [this] { Guard([this] { edStatChange(); }); });
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
    ApplyAllControls(*FCurrentBot);
    FRoster.BotChanged(*FCurrentBot);
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

const std::vector<TFmMainForm::TPickList>& TFmMainForm::PickLists() {
  static const std::vector<TPickList> picks = {
      {bcMesh, &TFmMainForm::cbMesh, &roster::TValueLists::Meshes, nullptr, &TFmMainForm::SetMeshFromControl},
      {bcSpecies, &TFmMainForm::cbSpecies, &roster::TValueLists::Species, "- no species -",
       &TFmMainForm::SetSpeciesFromControl},
      {bcBodySkin, &TFmMainForm::cbBodySkin, &roster::TValueLists::Skins, nullptr,
       &TFmMainForm::SetBodySkinFromControl},
      {bcFaceSkin, &TFmMainForm::cbFaceSkin, &roster::TValueLists::Faces, nullptr,
       &TFmMainForm::SetFaceSkinFromControl},
      {bcPortrait, &TFmMainForm::cbPortrait, &roster::TValueLists::Portraits, nullptr,
       &TFmMainForm::SetPortraitFromControl},
      {bcSex, &TFmMainForm::cbSex, &roster::TValueLists::Sex, nullptr, &TFmMainForm::SetSexFromControl},
      {bcMenu, &TFmMainForm::cbMenu, &roster::TValueLists::Menu, nullptr, &TFmMainForm::SetMenuFromControl},
      {bcVoice, &TFmMainForm::cbVoiceClassName, &roster::TValueLists::Voice, "- default species voice -",
       &TFmMainForm::SetVoiceClassNameFromControl},
      {bcFavoriteWeapon, &TFmMainForm::cbFavoriteWeapon, &roster::TValueLists::Weapons, "- no favourite -",
       &TFmMainForm::SetFavoriteWeaponFromControl},
      {bcRagdoll, &TFmMainForm::cbRagDoll, &roster::TValueLists::RagDoll, "- no ragdoll -",
       &TFmMainForm::SetRagdollFromControl},
      {bcSkeleton, &TFmMainForm::cbSkeleton, &roster::TValueLists::Skeleton, "- no Skeleton -",
       &TFmMainForm::SetSkeletonFromControl},
  };
  return picks;
}

const TFmMainForm::TPickList& TFmMainForm::PickOf(TBotControl control) {
  for (const TPickList& pick : PickLists())
    if (pick.Control == control) return pick;
  throw std::logic_error("not a pick list");
}

void TFmMainForm::ShowReference(TBotControl control, const std::string& value, const char* label,
                                std::string& report) {
  const TPickList& pick = PickOf(control);
  QComboBox* combo = this->*pick.Combo;
  const roster::TStringList& list = FLists.*pick.List;
  const int offset = pick.Placeholder ? 1 : 0;
  const int line = value.empty() ? -1 : list.IndexOfName(value);
  // A value the list cannot show is shown as no row, never as another
  // value's row; only an empty value has a row of its own, row 0.
  const int row = line >= 0 ? line + offset : (value.empty() && pick.NoneAtRowZero() ? 0 : -1);
  combo->setCurrentIndex(row < combo->count() ? row : -1);
  if (!value.empty() && line < 0) report.append("\r").append(label).append(platform::Excerpt(value));

  // Whether the row now chosen gives back exactly the bot's value. A
  // reference found in other letter case is shown, but writing the list's
  // spelling back would still change the bot.
  bool exact = (line >= 0 && list.Names(line) == value) || (value.empty() && pick.NoneAtRowZero());
  if (control == bcMenu && line == 0 && !value.empty()) exact = false;  // row 0 means no menu
  FUnshown.set(control, !exact);
}

void TFmMainForm::ShowSkill(TBotControl control, QSpinBox* edit, double value) {
  const double position = std::nearbyint(value * 100);  // halves to even
  edit->setValue(static_cast<int>(position));
  FUnshown.set(control, position / 100 != value || edit->value() != static_cast<int>(position));
}

void TFmMainForm::ShowBioText() {
  roster::TUtType text;
  text.SetString(FromQ(cbText->currentText()));
  meBio->clear();
  meBio->setPlainText(MessageToQ(text.AsIntText()));
}

void TFmMainForm::ShowCharacter(const roster::TBotCharacter& bot) {
  std::string report;
  {
    // The program's own filling: no control writes into a bot meanwhile,
    // also when an error leaves early.
    const QScopedValueRollback notReady(FControlsReady, false);
    edDefaultName->setText(ToQ(bot.GetDefaultName()));
    FUnshown.set(bcName, FromQ(edDefaultName->text()) != bot.GetDefaultName());
    ShowReference(bcMesh, bot.GetMesh(), "Playermodel = ", report);
    ShowReference(bcSpecies, bot.GetSpecies(), "Species = ", report);
    ShowReference(bcBodySkin, bot.GetBodySkin(), "Bodyskin = ", report);
    ShowReference(bcFaceSkin, bot.GetFaceSkin(), "Faceskin = ", report);
    ShowReference(bcPortrait, bot.GetPortrait(), "Portrait = ", report);

    const int text = bot.Text.empty() ? -1 : FLists.Texts.IndexOf(bot.Text);
    cbText->setCurrentIndex(text);
    if (!bot.Text.empty() && text < 0) report.append("\rBiography-reference = ").append(platform::Excerpt(bot.Text));
    FUnshown.set(bcText, text < 0 || FLists.Texts[text] != bot.Text);
    ShowBioText();

    ShowReference(bcSex, bot.GetSex(), "Sex = ", report);
    ShowReference(bcMenu, bot.GetMenu(), "\"Menu\" = ", report);
    ShowReference(bcVoice, bot.GetVoice(), "Voice = ", report);
    ShowReference(bcFavoriteWeapon, bot.GetFavoriteWeapon(), "Favorite Weapon = ", report);
    cbJumpy->setChecked(bot.GetJumpy());
    FUnshown.reset(bcJumpy);
    ShowReference(bcRagdoll, bot.GetRagdoll(), "Ragdoll = ", report);
    ShowReference(bcSkeleton, bot.GetSkeleton(), "Skeleton = ", report);

    ShowSkill(bcAggressiveness, edAggressiveness, bot.GetAggressiveness());
    ShowSkill(bcCombatStyle, edCombatStyle, bot.GetCombatStyle());
    ShowSkill(bcStrafingAbility, edStrafingAbility, bot.GetStrafingAbility());
    ShowSkill(bcTactics, edTactics, bot.GetTactics());
    ShowSkill(bcAccuracy, edAccuracy, bot.GetAccuracy());
    ShowSkill(bcReactionTime, edReactionTime, bot.GetReactionTime());
    CharacterChanged(const_cast<roster::TBotCharacter*>(&bot));
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
  } else if (answer == TModalResult::mrCancel) {
    Halt(405);
  }
}

void TFmMainForm::ClearDetails() {
  {
    const QScopedValueRollback notReady(FControlsReady, false);
    edDefaultName->clear();
    for (const TPickList& pick : PickLists()) {
      QComboBox* combo = this->*pick.Combo;
      combo->setCurrentIndex(pick.NoneAtRowZero() && combo->count() > 0 ? 0 : -1);
    }
    cbText->setCurrentIndex(-1);
    ShowBioText();
    for (QSpinBox* edit : {edAggressiveness, edCombatStyle, edStrafingAbility, edTactics, edAccuracy, edReactionTime})
      edit->setValue(0);
    cbJumpy->setChecked(false);
    // Nothing shown belongs to a bot.
    FUnshown.set();
  }
  UpdateCaption("");
}

void TFmMainForm::CharacterChanged(roster::TBotCharacter* bot) {
  if (!bot) return;
  UpdateCaption(bot->GetDefaultName());
  bot->Changed();
  if (isVisible() && !isActiveWindow()) activateWindow();
}

// ---------------------------------------------------------------- applying

void TFmMainForm::ApplyAllControls(roster::TBotCharacter& bot) {
  static const std::pair<TBotControl, TSetter> order[] = {
      {bcName, &TFmMainForm::SetDefaultNameFromControl},
      {bcMesh, &TFmMainForm::SetMeshFromControl},
      {bcSpecies, &TFmMainForm::SetSpeciesFromControl},
      {bcVoice, &TFmMainForm::SetVoiceClassNameFromControl},
      {bcBodySkin, &TFmMainForm::SetBodySkinFromControl},
      {bcFaceSkin, &TFmMainForm::SetFaceSkinFromControl},
      {bcPortrait, &TFmMainForm::SetPortraitFromControl},
      {bcText, &TFmMainForm::SetTextFromControl},
      {bcSex, &TFmMainForm::SetSexFromControl},
      {bcMenu, &TFmMainForm::SetMenuFromControl},
      {bcAccuracy, &TFmMainForm::SetAccuracyFromControl},
      {bcAggressiveness, &TFmMainForm::SetAggressivenessFromControl},
      {bcCombatStyle, &TFmMainForm::SetCombatStyleFromControl},
      {bcTactics, &TFmMainForm::SetTacticsFromControl},
      {bcFavoriteWeapon, &TFmMainForm::SetFavoriteWeaponFromControl},
      {bcJumpy, &TFmMainForm::SetJumpyFromControl},
      {bcStrafingAbility, &TFmMainForm::SetStrafingAbilityFromControl},
      {bcReactionTime, &TFmMainForm::SetReactionTimeFromControl},
      {bcRagdoll, &TFmMainForm::SetRagdollFromControl},
      {bcSkeleton, &TFmMainForm::SetSkeletonFromControl},
  };
  for (const auto& [control, setter] : order)
    if (!FUnshown.test(control)) (this->*setter)(bot);
  CharacterChanged(&bot);
}

void TFmMainForm::ApplyToSelected(TBotControl control, TSetter setter) {
  if (FControlsReady && FCurrentBot) {
    FUnshown.reset(control);  // the user's own choice from now on
    for (int i = 0; i < lbBotList->count() && i < BotCount(); ++i) {
      if (!lbBotList->item(i)->isSelected()) continue;
      roster::TBotCharacter& bot = Bot(i);
      (this->*setter)(bot);
      FRoster.BotChanged(bot);
    }
    CharacterChanged(FCurrentBot);
  }
}

void TFmMainForm::edStatChange() {
  if (!FControlsReady || !FCurrentBot) return;
  FUnshown.reset(bcName);
  const std::string oldName = FCurrentBot->GetDefaultName();
  ApplyAllControls(*FCurrentBot);
  const std::string newName = FCurrentBot->GetDefaultName();
  // Compared exactly: a name typed in other letter case is still the
  // user's change. A rename is a change like any other: Exit must not lose
  // it unasked.
  if (newName != oldName) {
    FRoster.Rename(*FCurrentBot, newName);
    RefreshBotListBox();  // keeps the selection, so later edits still reach the bot
  }
  FRoster.BotChanged(*FCurrentBot);
  CharacterChanged(FCurrentBot);
}

void TFmMainForm::cbTextChange() {
  ShowBioText();
  ApplyToSelected(bcText, &TFmMainForm::SetTextFromControl);
}

// ---------------------------------------------------------------- setters

void TFmMainForm::SetDefaultNameFromControl(roster::TBotCharacter& bot) {
  bot.SetDefaultName(FromQ(edDefaultName->text()));
}

std::optional<std::string> TFmMainForm::PickedReference(TBotControl control) {
  const TPickList& pick = PickOf(control);
  return ReferenceAt(FLists.*pick.List, (this->*pick.Combo)->currentIndex(), pick.Placeholder ? 1 : 0);
}

void TFmMainForm::SetMeshFromControl(roster::TBotCharacter& bot) {
  bot.SetMesh(PickedReference(bcMesh).value_or(""));
}

void TFmMainForm::SetBodySkinFromControl(roster::TBotCharacter& bot) {
  if (auto ref = PickedReference(bcBodySkin)) bot.SetBodySkin(*ref);
}

void TFmMainForm::SetFaceSkinFromControl(roster::TBotCharacter& bot) {
  if (auto ref = PickedReference(bcFaceSkin)) bot.SetFaceSkin(*ref);
}

void TFmMainForm::SetPortraitFromControl(roster::TBotCharacter& bot) {
  bot.SetPortrait(PickedReference(bcPortrait).value_or(""));
}

void TFmMainForm::SetSexFromControl(roster::TBotCharacter& bot) {
  if (auto ref = PickedReference(bcSex)) bot.SetSex(*ref);
}

void TFmMainForm::SetMenuFromControl(roster::TBotCharacter& bot) {
  // Row 0 stands for no menu, whatever it reads.
  bot.SetMenu(cbMenu->currentIndex() >= 1 ? PickedReference(bcMenu).value_or("") : std::string());
}

void TFmMainForm::SetFavoriteWeaponFromControl(roster::TBotCharacter& bot) {
  bot.SetFavoriteWeapon(PickedReference(bcFavoriteWeapon).value_or(""));
}

void TFmMainForm::SetSpeciesFromControl(roster::TBotCharacter& bot) {
  bot.SetSpecies(PickedReference(bcSpecies).value_or(""));
}

void TFmMainForm::SetVoiceClassNameFromControl(roster::TBotCharacter& bot) {
  bot.SetVoice(PickedReference(bcVoice).value_or(""));
}

void TFmMainForm::SetRagdollFromControl(roster::TBotCharacter& bot) {
  bot.SetRagdoll(PickedReference(bcRagdoll).value_or(""));
}

void TFmMainForm::SetSkeletonFromControl(roster::TBotCharacter& bot) {
  bot.SetSkeleton(PickedReference(bcSkeleton).value_or(""));
}

void TFmMainForm::SetTextFromControl(roster::TBotCharacter& bot) {
  const int row = cbText->currentIndex();
  if (row >= 0 && row < FLists.Texts.Count()) bot.SetText(FLists.Texts[row]);
}

void TFmMainForm::SetJumpyFromControl(roster::TBotCharacter& bot) { bot.SetJumpy(cbJumpy->isChecked()); }

void TFmMainForm::SetAccuracyFromControl(roster::TBotCharacter& bot) { bot.SetAccuracy(edAccuracy->value() / 100.0); }

void TFmMainForm::SetAggressivenessFromControl(roster::TBotCharacter& bot) {
  bot.SetAggressiveness(edAggressiveness->value() / 100.0);
}

void TFmMainForm::SetCombatStyleFromControl(roster::TBotCharacter& bot) {
  bot.SetCombatStyle(edCombatStyle->value() / 100.0);
}

void TFmMainForm::SetTacticsFromControl(roster::TBotCharacter& bot) { bot.SetTactics(edTactics->value() / 100.0); }

void TFmMainForm::SetStrafingAbilityFromControl(roster::TBotCharacter& bot) {
  bot.SetStrafingAbility(edStrafingAbility->value() / 100.0);
}

void TFmMainForm::SetReactionTimeFromControl(roster::TBotCharacter& bot) {
  bot.SetReactionTime(edReactionTime->value() / 100.0);
}

}  // namespace windows
