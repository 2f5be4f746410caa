#pragma once

// The main window's two pages of bot controls (skills; name, looks and
// biography) and the way between them and a bot record: showing a bot, and
// writing what the controls show back into a record. The editor knows
// neither the roster nor the selection: the window decides which bots a
// change goes to and hands each one in through the roster.

#include <bitset>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include <QObject>
#include <QScopedValueRollback>

#include "roster/PuBotCharacter.h"
#include "roster/PuValueLists.h"
#include "roster/StringList.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QSpinBox;
class QTabWidget;
class QWidget;

namespace windows {

// The editing controls that write into a bot, in the order they are shown.
enum TBotControl {
  bcName, bcMesh, bcSpecies, bcBodySkin, bcFaceSkin, bcPortrait, bcText, bcSex, bcMenu, bcVoice,
  bcFavoriteWeapon, bcRagdoll, bcSkeleton, bcJumpy, bcAggressiveness, bcCombatStyle, bcStrafingAbility,
  bcTactics, bcAccuracy, bcReactionTime, bcControlCount
};

// A right click on `widget` pops `menu` up, while the menu has entries.
void ConnectPopupMenu(QWidget* widget, QMenu* menu);

class TBotEditor : public QObject {
 public:
  // Builds the skills page and the details page into `pages`.
  TBotEditor(QTabWidget* pages, const roster::TValueLists& lists);

  // The user changed a control (the name as it is typed). Skill fields
  // report the program's own filling too: Ready() tells them apart.
  std::function<void(TBotControl)> Edited;

  // ---- showing
  // Shows the bot; each reference a value list lacks adds a line to
  // `report`.
  void Show(const roster::TBotCharacter& bot, std::string& report);
  // Shows no bot: nothing shown is written back.
  void Clear();
  // Refills the pick lists from their value lists; none shows the bot
  // any more until it is shown again.
  void FillPickLists();
  // Refills the biography list alone.
  void FillBioTexts();
  // The biography the biography list shows, in the memo.
  void ShowBioText();
  // The name the name field holds.
  std::string TypedName() const;
  // After an edit of the name field was refused: the field shows `name`
  // again, the cursor back before what the refused edit put in.
  void TakeBackName(const std::string& name);
  // While the returned guard lives, the controls are the program's: no
  // change of theirs is the user's.
  [[nodiscard]] QScopedValueRollback<bool> Filling() { return QScopedValueRollback<bool>(FReady, false); }
  bool Ready() const { return FReady; }

  // ---- applying
  // Writes every control into `bot` except those that could not show the
  // bot's value (a reference its list lacks, a skill between two steps):
  // writing them would change the bot without the user asking.
  void ApplyAll(roster::TBotCharacter& bot) const;
  // Writes one control into `bot`.
  void Apply(TBotControl control, roster::TBotCharacter& bot) const;
  // The control is the user's own choice from now on, written back
  // whatever it shows.
  void TakeChoice(TBotControl control) { FUnshown.reset(control); }

  QWidget* SkillsPage() const { return FSkillsPage; }
  // The biography's pop-up menu, on the biography controls.
  void SetBioMenu(QMenu* menu);

 private:
  using TSetter = void (TBotEditor::*)(roster::TBotCharacter&) const;
  // A pick list that writes a reference into a bot: its control, the value
  // list behind it, the row 0 standing for no value (if it has one) and the
  // setter that writes the chosen reference.
  struct TPickList {
    TBotControl Control;
    QComboBox* TBotEditor::*Combo;
    roster::TUtStringlist roster::TValueLists::*List;
    const char* Placeholder;
    // Row 0 stands for no value: the placeholder, or the menu list's first
    // row whatever it reads.
    bool NoneAtRowZero() const { return Placeholder || Control == bcMenu; }
  };
  static const std::vector<TPickList>& PickLists();
  static const TPickList& PickOf(TBotControl control);
  // Every control with its setter, in the order ApplyAll writes them.
  static const std::vector<std::pair<TBotControl, TSetter>>& Setters();
  const roster::TStringList& ListOf(const TPickList& pick) const { return FLists.*pick.List; }

  void BuildSkillsPage(QTabWidget* pages);
  void BuildDetailsPage(QTabWidget* pages);
  void ConnectControls();

  void ShowReference(TBotControl control, const std::string& value, const char* label, std::string& report);
  // The reference of the row chosen in that pick list; nothing for no row,
  // its placeholder or a stale row.
  std::optional<std::string> PickedReference(TBotControl control) const;
  void ShowSkill(TBotControl control, QSpinBox* edit, double value);

  void SetDefaultNameFromControl(roster::TBotCharacter& bot) const;
  // The reference picked in that pick list; with no row picked, the empty
  // reference, or (KeepWhenNone) the bot's own left as it is.
  template <TBotControl Control, void (roster::TBotCharacter::*Set)(const std::string&), bool KeepWhenNone = false>
  void SetReference(roster::TBotCharacter& bot) const;
  void SetTextFromControl(roster::TBotCharacter& bot) const;
  void SetMenuFromControl(roster::TBotCharacter& bot) const;
  void SetJumpyFromControl(roster::TBotCharacter& bot) const;
  // A skill field's position is the skill times 100.
  template <QSpinBox* TBotEditor::*Edit, void (roster::TBotCharacter::*Set)(double)>
  void SetSkill(roster::TBotCharacter& bot) const;

  const roster::TValueLists& FLists;
  bool FReady = true;
  // Controls that could not show the shown bot's value (a reference the
  // value list lacks, a skill between two steps). Writing them back would
  // change the bot without the user asking, so they are left out until the
  // user changes them.
  std::bitset<bcControlCount> FUnshown;

  QWidget* FSkillsPage = nullptr;
  QSpinBox* edAggressiveness = nullptr;
  QSpinBox* edCombatStyle = nullptr;
  QSpinBox* edStrafingAbility = nullptr;
  QSpinBox* edTactics = nullptr;
  QSpinBox* edReactionTime = nullptr;
  QSpinBox* edAccuracy = nullptr;
  QComboBox* cbFavoriteWeapon = nullptr;
  QCheckBox* cbJumpy = nullptr;
  QLineEdit* edDefaultName = nullptr;
  QComboBox* cbMesh = nullptr;
  QComboBox* cbSpecies = nullptr;
  QComboBox* cbBodySkin = nullptr;
  QComboBox* cbFaceSkin = nullptr;
  QComboBox* cbPortrait = nullptr;
  QComboBox* cbSex = nullptr;
  QComboBox* cbVoiceClassName = nullptr;
  QComboBox* cbMenu = nullptr;
  QComboBox* cbRagDoll = nullptr;
  QComboBox* cbSkeleton = nullptr;
  QGroupBox* gbBio = nullptr;
  QComboBox* cbText = nullptr;
  QPlainTextEdit* meBio = nullptr;
};

}  // namespace windows
