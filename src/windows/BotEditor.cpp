#include "windows/BotEditor.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <stdexcept>
#include <unordered_map>

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QSpinBox>
#include <QStringList>
#include <QTabWidget>
#include <QVBoxLayout>

#include "platform/AsciiText.h"
#include "roster/PuUtTypes.h"
#include "windows/QtDialogs.h"

namespace windows {

namespace {

QComboBox* MakePickList(QWidget* parent, const char* name, const char* hint) {
  auto* combo = new QComboBox(parent);
  combo->setObjectName(QString::fromLatin1(name));
  // Rows are references' display names; a long one must not widen the
  // fixed-size window.
  combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  combo->setMinimumContentsLength(18);
  combo->setMaxVisibleItems(20);
  if (hint) SetHint(combo, hint);
  return combo;
}

// The menu, ragdoll and skeleton lists stand out: they are the ones the
// game's own menus treat specially.
void MarkBoldRed(QWidget* widget) {
  QFont font = widget->font();
  font.setBold(true);
  widget->setFont(font);
  QPalette palette = widget->palette();
  palette.setColor(QPalette::WindowText, Qt::red);
  palette.setColor(QPalette::ButtonText, Qt::red);
  palette.setColor(QPalette::Text, Qt::red);
  widget->setPalette(palette);
}

// The reference of row `row` of a pick list whose rows start `offset` rows
// after the list's lines; nothing for no row, a placeholder or a stale row.
std::optional<std::string> ReferenceAt(const roster::TStringList& list, int row, int offset) {
  const int line = row - offset;
  if (row < 0 || line < 0 || line >= list.Count()) return std::nullopt;
  return list.Names(line);
}

// Each row shows the display name of the first line with its reference.
QStringList DisplayRows(const roster::TStringList& list) {
  std::unordered_map<std::string, std::string> firstValue;
  for (const std::string& line : list.Lines()) {
    const std::size_t eq = line.find('=');
    if (eq != std::string::npos) firstValue.emplace(platform::UpperCase(line.substr(0, eq)), line.substr(eq + 1));
  }
  QStringList rows;
  rows.reserve(list.Count());
  for (const std::string& line : list.Lines()) {
    const std::size_t eq = line.find('=');
    rows << (eq == std::string::npos ? QString() : ToQ(firstValue[platform::UpperCase(line.substr(0, eq))]));
  }
  return rows;
}

// Biography references are shown as they stand.
void FillBioTextRows(QComboBox* combo, const roster::TStringList& texts) {
  combo->clear();
  combo->addItems(LinesToQ(texts.Lines()));
}

}  // namespace

void ConnectPopupMenu(QWidget* widget, QMenu* menu) {
  QObject::connect(widget, &QWidget::customContextMenuRequested, menu, [widget, menu](const QPoint& at) {
    if (!menu->isEmpty()) menu->popup(widget->mapToGlobal(at));
  });
}

TBotEditor::TBotEditor(QTabWidget* pages, const roster::TValueLists& lists) : FLists(lists) {
  BuildSkillsPage(pages);
  BuildDetailsPage(pages);
  ConnectControls();
}

// ---------------------------------------------------------------- pages

void TBotEditor::BuildSkillsPage(QTabWidget* pages) {
  FSkillsPage = new QWidget(pages);
  FSkillsPage->setObjectName(QStringLiteral("tsSkills"));
  auto* grid = new QGridLayout(FSkillsPage);
  struct TSkillRow {
    QSpinBox** edit;
    const char* name;
    const char* caption;
    const char* hint;
    int low, high;
  };
  const TSkillRow rows[] = {
      {&edAggressiveness, "edAggressiveness", "&Aggressiveness", nullptr, 0, 100},
      {&edCombatStyle, "edCombatStyle", "&CombatStyle", "Chose between camping (skill < 0) and offensive (skill > 0)",
       -100, 100},
      {&edStrafingAbility, "edStrafingAbility", "&StrafingAbility", nullptr, -500, 500},
      {&edTactics, "edTactics", "&Tactics", "Got brains ?", -500, 500},
      {&edReactionTime, "edReactionTime", "&ReactionTime",
       "How fast the character reacts to events (higher = faster & better!)", -500, 500},
      {&edAccuracy, "edAccuracy", "&Accuracy", nullptr, -500, 500},
  };
  int row = 0;
  for (const TSkillRow& r : rows) {
    auto* edit = new QSpinBox(FSkillsPage);
    edit->setObjectName(QString::fromLatin1(r.name));
    // The position is the skill times 100, stepping by 5 without wrapping.
    edit->setRange(r.low, r.high);
    edit->setSingleStep(5);
    edit->setWrapping(false);
    if (r.hint) SetHint(edit, r.hint);
    *r.edit = edit;
    grid->addWidget(MakeLabel(FSkillsPage, r.caption, edit), row, 0);
    grid->addWidget(edit, row, 1);
    ++row;
  }
  cbFavoriteWeapon = MakePickList(FSkillsPage, "cbFavoriteWeapon", "Prefers this weapon ");
  grid->addWidget(MakeLabel(FSkillsPage, "&Favorite Weapon", cbFavoriteWeapon), row, 0);
  grid->addWidget(cbFavoriteWeapon, row, 1);
  ++row;
  cbJumpy = new QCheckBox(QStringLiteral("&Jumpy"), FSkillsPage);
  cbJumpy->setObjectName(QStringLiteral("cbJumpy"));
  cbJumpy->setLayoutDirection(Qt::RightToLeft);  // the box at the right of its text
  SetHint(cbJumpy, "Feel like a bunny ?");
  grid->addWidget(cbJumpy, row, 0, 1, 2, Qt::AlignAbsolute | Qt::AlignLeft);
  grid->setRowStretch(row + 1, 1);
  grid->setColumnStretch(1, 1);
  pages->addTab(FSkillsPage, QStringLiteral("&Skills"));
}

void TBotEditor::BuildDetailsPage(QTabWidget* pages) {
  auto* tsBio = new QWidget(pages);
  tsBio->setObjectName(QStringLiteral("tsBio"));
  auto* page = new QVBoxLayout(tsBio);
  auto* form = new QFormLayout();
  form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
  edDefaultName = new QLineEdit(tsBio);
  edDefaultName->setObjectName(QStringLiteral("edDefaultName"));
  // A name of any length is shown whole: a cut name written back would
  // change the bot by merely looking at it.
  edDefaultName->setMaxLength(std::numeric_limits<int>::max());
  form->addRow(MakeLabel(tsBio, "&Name", edDefaultName), edDefaultName);
  struct TPickRow {
    QComboBox** combo;
    const char* name;
    const char* caption;
    const char* hint;
    bool boldRed;
  };
  const TPickRow rows[] = {
      {&cbMesh, "cbMesh", "&Mesh", "Charactermodel used", false},
      {&cbSpecies, "cbSpecies", "&Species", "Species ...", false},
      {&cbBodySkin, "cbBodySkin", "&BodySkin", "What to wear ...", false},
      {&cbFaceSkin, "cbFaceSkin", "&FaceSkin", "Looking good are we ?", false},
      {&cbPortrait, "cbPortrait", "&Portrait", "Looking good are we ?", false},
      {&cbSex, "cbSex", "&Sex", "exactly ...", false},
      {&cbVoiceClassName, "cbVoiceClassName", "&Voice", "Is this thing on ?", false},
      {&cbMenu, "cbMenu", "Menu", "only choose 'DUP' if it's a non-selectable character", true},
      {&cbRagDoll, "cbRagDoll", "&Ragdoll", nullptr, true},
      {&cbSkeleton, "cbSkeleton", "S&keleton", nullptr, true},
  };
  for (const TPickRow& r : rows) {
    QComboBox* combo = MakePickList(tsBio, r.name, r.hint);
    QLabel* label = MakeLabel(tsBio, r.caption, combo);
    if (r.boldRed) {
      MarkBoldRed(label);
      MarkBoldRed(combo);
    }
    *r.combo = combo;
    form->addRow(label, combo);
  }
  page->addLayout(form);

  gbBio = new QGroupBox(QStringLiteral(" &Bio "), tsBio);
  gbBio->setObjectName(QStringLiteral("gbBio"));
  gbBio->setContextMenuPolicy(Qt::CustomContextMenu);
  auto* bio = new QVBoxLayout(gbBio);
  cbText = MakePickList(gbBio, "cbText", "Pick a biography that fits ...");
  cbText->setContextMenuPolicy(Qt::CustomContextMenu);
  meBio = MakeTextView(gbBio, "meBio");
  meBio->setContextMenuPolicy(Qt::CustomContextMenu);
  SetHint(meBio, "Why I'm here ...");
  // A biography reads as a few lines at least.
  meBio->setMinimumHeight(meBio->fontMetrics().lineSpacing() * 6 + 2 * meBio->frameWidth() +
                          meBio->horizontalScrollBar()->sizeHint().height());
  bio->addWidget(cbText);
  bio->addWidget(meBio, 1);
  page->addWidget(gbBio, 1);
  pages->addTab(tsBio, QStringLiteral("&Details"));
}

void TBotEditor::ConnectControls() {
  const auto edited = [this](TBotControl control) {
    return [this, control] {
      if (Edited) Edited(control);
    };
  };
  // Skill fields: valueChanged also comes from the program's own filling,
  // which the window ignores while the controls are not Ready.
  const std::pair<QSpinBox*, TBotControl> skills[] = {
      {edAggressiveness, bcAggressiveness}, {edCombatStyle, bcCombatStyle}, {edStrafingAbility, bcStrafingAbility},
      {edTactics, bcTactics},               {edReactionTime, bcReactionTime}, {edAccuracy, bcAccuracy},
  };
  for (const auto& [edit, control] : skills) connect(edit, &QSpinBox::valueChanged, this, edited(control));
  // Pick lists write on the user's own choice only, never when the program
  // fills them or shows a bot.
  for (const TPickList& pick : PickLists()) connect(this->*pick.Combo, &QComboBox::activated, this, edited(pick.Control));
  connect(cbText, &QComboBox::activated, this, edited(bcText));
  connect(cbJumpy, &QCheckBox::clicked, this, edited(bcJumpy));
  connect(edDefaultName, &QLineEdit::textEdited, this, edited(bcName));
}

void TBotEditor::SetBioMenu(QMenu* menu) {
  for (QWidget* widget : {static_cast<QWidget*>(gbBio), static_cast<QWidget*>(cbText), static_cast<QWidget*>(meBio)})
    ConnectPopupMenu(widget, menu);
}

// ---------------------------------------------------------------- pick lists

const std::vector<TBotEditor::TPickList>& TBotEditor::PickLists() {
  static const std::vector<TPickList> picks = {
      {bcMesh, &TBotEditor::cbMesh, &roster::TValueLists::Meshes, nullptr},
      {bcSpecies, &TBotEditor::cbSpecies, &roster::TValueLists::Species, "- no species -"},
      {bcBodySkin, &TBotEditor::cbBodySkin, &roster::TValueLists::Skins, nullptr},
      {bcFaceSkin, &TBotEditor::cbFaceSkin, &roster::TValueLists::Faces, nullptr},
      {bcPortrait, &TBotEditor::cbPortrait, &roster::TValueLists::Portraits, nullptr},
      {bcSex, &TBotEditor::cbSex, &roster::TValueLists::Sex, nullptr},
      {bcMenu, &TBotEditor::cbMenu, &roster::TValueLists::Menu, nullptr},
      {bcVoice, &TBotEditor::cbVoiceClassName, &roster::TValueLists::Voice, "- default species voice -"},
      {bcFavoriteWeapon, &TBotEditor::cbFavoriteWeapon, &roster::TValueLists::Weapons, "- no favourite -"},
      {bcRagdoll, &TBotEditor::cbRagDoll, &roster::TValueLists::RagDoll, "- no ragdoll -"},
      {bcSkeleton, &TBotEditor::cbSkeleton, &roster::TValueLists::Skeleton, "- no Skeleton -"},
  };
  return picks;
}

const TBotEditor::TPickList& TBotEditor::PickOf(TBotControl control) {
  for (const TPickList& pick : PickLists())
    if (pick.Control == control) return pick;
  throw std::logic_error("not a pick list");
}

void TBotEditor::FillPickLists() {
  // Refilling is the program's doing: nothing of it reaches a bot, since
  // only a user's choice (activated) writes.
  for (const TPickList& pick : PickLists()) {
    QComboBox* combo = this->*pick.Combo;
    combo->clear();
    if (pick.Placeholder) combo->addItem(QString::fromLatin1(pick.Placeholder));
    combo->addItems(DisplayRows(ListOf(pick)));
    combo->setCurrentIndex(-1);
    // The pick list no longer shows the shown bot's reference: until it is
    // shown again it must not be written back into it.
    FUnshown.set(pick.Control);
  }
  FillBioTextRows(cbText, FLists.Texts);
  cbText->setCurrentIndex(-1);
  FUnshown.set(bcText);
}

void TBotEditor::FillBioTexts() { FillBioTextRows(cbText, FLists.Texts); }

// ---------------------------------------------------------------- showing

void TBotEditor::ShowReference(TBotControl control, const std::string& value, const char* label,
                               std::string& report) {
  const TPickList& pick = PickOf(control);
  QComboBox* combo = this->*pick.Combo;
  const roster::TStringList& list = ListOf(pick);
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

void TBotEditor::ShowSkill(TBotControl control, QSpinBox* edit, double value) {
  const double position = std::nearbyint(value * 100);  // halves to even
  edit->setValue(static_cast<int>(position));
  FUnshown.set(control, position / 100 != value || edit->value() != static_cast<int>(position));
}

void TBotEditor::ShowBioText() {
  roster::TUtType text;
  text.SetString(FromQ(cbText->currentText()));
  meBio->clear();
  meBio->setPlainText(MessageToQ(text.AsIntText()));
}

std::string TBotEditor::TypedName() const { return FromQ(edDefaultName->text()); }

void TBotEditor::TakeBackName(const std::string& name) {
  const auto filling = Filling();
  const QString stored = ToQ(name);
  // The cursor stands behind what the refused edit put in.
  const qsizetype added = std::max<qsizetype>(edDefaultName->text().size() - stored.size(), 0);
  const qsizetype at = std::clamp<qsizetype>(edDefaultName->cursorPosition() - added, 0, stored.size());
  edDefaultName->setText(stored);
  edDefaultName->setCursorPosition(static_cast<int>(at));
}

void TBotEditor::Show(const roster::TBotCharacter& bot, std::string& report) {
  // The program's own filling: no control writes into a bot meanwhile,
  // also when an error leaves early.
  const auto filling = Filling();
  edDefaultName->setText(ToQ(bot.GetDefaultName()));
  FUnshown.set(bcName, FromQ(edDefaultName->text()) != bot.GetDefaultName());
  ShowReference(bcMesh, bot.GetMesh(), "Playermodel = ", report);
  ShowReference(bcSpecies, bot.GetSpecies(), "Species = ", report);
  ShowReference(bcBodySkin, bot.GetBodySkin(), "Bodyskin = ", report);
  ShowReference(bcFaceSkin, bot.GetFaceSkin(), "Faceskin = ", report);
  ShowReference(bcPortrait, bot.GetPortrait(), "Portrait = ", report);

  const roster::TStringList& texts = FLists.Texts;
  const int text = bot.Text.empty() ? -1 : texts.IndexOf(bot.Text);
  cbText->setCurrentIndex(text);
  if (!bot.Text.empty() && text < 0) report.append("\rBiography-reference = ").append(platform::Excerpt(bot.Text));
  FUnshown.set(bcText, text < 0 || texts[text] != bot.Text);
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
}

void TBotEditor::Clear() {
  const auto filling = Filling();
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

// ---------------------------------------------------------------- applying

std::optional<std::string> TBotEditor::PickedReference(TBotControl control) const {
  const TPickList& pick = PickOf(control);
  return ReferenceAt(ListOf(pick), (this->*pick.Combo)->currentIndex(), pick.Placeholder ? 1 : 0);
}

template <TBotControl Control, void (roster::TBotCharacter::*Set)(const std::string&), bool KeepWhenNone>
void TBotEditor::SetReference(roster::TBotCharacter& bot) const {
  const std::optional<std::string> ref = PickedReference(Control);
  if (ref || !KeepWhenNone) (bot.*Set)(ref.value_or(""));
}

template <QSpinBox* TBotEditor::*Edit, void (roster::TBotCharacter::*Set)(double)>
void TBotEditor::SetSkill(roster::TBotCharacter& bot) const {
  (bot.*Set)((this->*Edit)->value() / 100.0);
}

const std::vector<std::pair<TBotControl, TBotEditor::TSetter>>& TBotEditor::Setters() {
  using B = roster::TBotCharacter;
  static const std::vector<std::pair<TBotControl, TSetter>> order = {
      {bcName, &TBotEditor::SetDefaultNameFromControl},
      {bcMesh, &TBotEditor::SetReference<bcMesh, &B::SetMesh>},
      {bcSpecies, &TBotEditor::SetReference<bcSpecies, &B::SetSpecies>},
      {bcVoice, &TBotEditor::SetReference<bcVoice, &B::SetVoice>},
      {bcBodySkin, &TBotEditor::SetReference<bcBodySkin, &B::SetBodySkin, true>},
      {bcFaceSkin, &TBotEditor::SetReference<bcFaceSkin, &B::SetFaceSkin, true>},
      {bcPortrait, &TBotEditor::SetReference<bcPortrait, &B::SetPortrait>},
      {bcText, &TBotEditor::SetTextFromControl},
      {bcSex, &TBotEditor::SetReference<bcSex, &B::SetSex, true>},
      {bcMenu, &TBotEditor::SetMenuFromControl},
      {bcAccuracy, &TBotEditor::SetSkill<&TBotEditor::edAccuracy, &B::SetAccuracy>},
      {bcAggressiveness, &TBotEditor::SetSkill<&TBotEditor::edAggressiveness, &B::SetAggressiveness>},
      {bcCombatStyle, &TBotEditor::SetSkill<&TBotEditor::edCombatStyle, &B::SetCombatStyle>},
      {bcTactics, &TBotEditor::SetSkill<&TBotEditor::edTactics, &B::SetTactics>},
      {bcFavoriteWeapon, &TBotEditor::SetReference<bcFavoriteWeapon, &B::SetFavoriteWeapon>},
      {bcJumpy, &TBotEditor::SetJumpyFromControl},
      {bcStrafingAbility, &TBotEditor::SetSkill<&TBotEditor::edStrafingAbility, &B::SetStrafingAbility>},
      {bcReactionTime, &TBotEditor::SetSkill<&TBotEditor::edReactionTime, &B::SetReactionTime>},
      {bcRagdoll, &TBotEditor::SetReference<bcRagdoll, &B::SetRagdoll>},
      {bcSkeleton, &TBotEditor::SetReference<bcSkeleton, &B::SetSkeleton>},
  };
  return order;
}

void TBotEditor::ApplyAll(roster::TBotCharacter& bot) const {
  for (const auto& [control, setter] : Setters())
    if (!FUnshown.test(control)) (this->*setter)(bot);
}

void TBotEditor::Apply(TBotControl control, roster::TBotCharacter& bot) const {
  for (const auto& [each, setter] : Setters())
    if (each == control) (this->*setter)(bot);
}

// ---------------------------------------------------------------- setters

void TBotEditor::SetDefaultNameFromControl(roster::TBotCharacter& bot) const {
  bot.SetDefaultName(TypedName());
}

void TBotEditor::SetMenuFromControl(roster::TBotCharacter& bot) const {
  // Row 0 stands for no menu, whatever it reads.
  bot.SetMenu(cbMenu->currentIndex() >= 1 ? PickedReference(bcMenu).value_or("") : std::string());
}

void TBotEditor::SetTextFromControl(roster::TBotCharacter& bot) const {
  const roster::TStringList& texts = FLists.Texts;
  const int row = cbText->currentIndex();
  if (row >= 0 && row < texts.Count()) bot.SetText(texts[row]);
}

void TBotEditor::SetJumpyFromControl(roster::TBotCharacter& bot) const { bot.SetJumpy(cbJumpy->isChecked()); }

}  // namespace windows
