#include "windows/PfBotConfig.h"

#include <algorithm>
#include <filesystem>

#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QElapsedTimer>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTabBar>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "platform/AsciiText.h"
#include "platform/Files.h"
#include "roster/LineParts.h"
#include "roster/PuRosterHarvest.h"
#include "roster/PuUtTypes.h"
#include "roster/PuValueItem.h"
#include "windows/LineView.h"
#include "windows/PathEdit.h"
#include "windows/PfConfigDirPage.h"
#include "windows/PfConfigIntPage.h"
#include "windows/PfConfigPackagePage.h"
#include "windows/PfItemEdit.h"
#include "windows/PuKarmaData.h"
#include "windows/QtDialogs.h"
#include "windows/SourceView.h"

namespace windows {

const char* const ListTypeNames[ListTypeCount] = {"Mesh",    "Face",     "Skin",    "Voice",
                                                  "Portrait", "Species", "RagDoll", "Skeleton",
                                                  "Biography (reference)"};

void ColumnClick(int column, int& sortColumn, bool& ascending) {
  if (column == sortColumn) ascending = !ascending;
  sortColumn = column;
}

namespace {

// The client area the window was laid out for; the platform's fonts may
// ask for more, never for less.
constexpr int DesignWidth = 900;
constexpr int DesignHeight = 480;
// A long fill repaints the window this often, in milliseconds.
constexpr int RepaintInterval = 100;

// The value list each list type shows, the biography references aside.
using L = roster::TValueLists;
constexpr roster::TUtStringlist L::*ListTypeLists[ltBiography] = {
    &L::Meshes, &L::Faces, &L::Skins, &L::Voice, &L::Portraits, &L::Species, &L::RagDoll, &L::Skeleton};

QPushButton* MakeButton(QWidget* parent, const char* name, const char* caption, const char* hint) {
  auto* button = new QPushButton(QString::fromLatin1(caption), parent);
  button->setObjectName(QString::fromLatin1(name));
  button->setAutoDefault(false);
  SetHint(button, hint);
  return button;
}

QWidget* MakePage(QTabWidget* tabs, const char* name, const char* caption, const char* hint) {
  auto* page = new QWidget(tabs);
  page->setObjectName(QString::fromLatin1(name));
  new QVBoxLayout(page);
  const int index = tabs->addTab(page, QString::fromLatin1(caption));
  if (hint) tabs->setTabToolTip(index, QString::fromLatin1(hint));
  return page;
}

// The reference text as the biography list shows it beside the reference.
std::string ResolvedText(const std::string& ref) {
  roster::TUtType text;
  text.SetString(ref);
  return text.AsIntString();
}

}  // namespace

// ---------------------------------------------------------------- long fills

TLongFill::TLongFill(QWidget* view, QProgressBar* progress, int count, const QElapsedTimer& clock)
    : FView(view), FProgress(progress), FClock(clock), FLastRepaint(0) {
  FView->setUpdatesEnabled(false);
  QApplication::setOverrideCursor(Qt::BusyCursor);
  // A range of 0..0 would show Qt's endless busy bar.
  FProgress->setRange(0, std::max(count - 1, 1));
  FProgress->setValue(0);
}

TLongFill::~TLongFill() {
  FView->setUpdatesEnabled(true);
  QApplication::restoreOverrideCursor();
  FProgress->setValue(0);
}

void TLongFill::Step(int index) {
  FProgress->setValue(index);
  if (FClock.elapsed() - FLastRepaint < RepaintInterval) return;
  FLastRepaint = FClock.elapsed();
  // Paint events only: a click now would act on a view half filled.
  QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

// ---------------------------------------------------------------- window

TFmConfig::TFmConfig(TDialogs& dialogs, TConfigViewState& viewState, QWidget* owner)
    : QDialog(owner), FDialogs(dialogs), FViewState(viewState) {
  FRepaintClock.start();
  setObjectName(QStringLiteral("FmConfig"));
  setWindowTitle(QStringLiteral("Configuration"));
  BuildControls();
  for (QAbstractItemView* view : {static_cast<QAbstractItemView*>(lvListContent),
                                  static_cast<QAbstractItemView*>(lvKarmaData),
                                  static_cast<QAbstractItemView*>(PackagePage->lvPackageContent),
                                  static_cast<QAbstractItemView*>(DirectoryPage->lvDirView)})
    ShowGridLines(view);
  ShowHintsInStatusBar();
  FixWindowSize();
}

void TFmConfig::ShowHintsInStatusBar() {
  // Every control's hint, and each page's, also shows in the status bar
  // while the mouse is over it.
  for (int i = 0; i < PageControl1->count(); ++i) PageControl1->widget(i)->setStatusTip(PageControl1->tabToolTip(i));
  for (QWidget* widget : findChildren<QWidget*>())
    if (widget->statusTip().isEmpty()) widget->setStatusTip(widget->toolTip());
  PageControl1->tabBar()->setAttribute(Qt::WA_Hover);
  PageControl1->tabBar()->installEventFilter(this);
}

bool TFmConfig::eventFilter(QObject* watched, QEvent* event) {
  // A tab's hint, while the mouse is over the tab.
  QTabBar* tabs = PageControl1->tabBar();
  const QEvent::Type type = event->type();
  if (watched == tabs && (type == QEvent::HoverEnter || type == QEvent::HoverMove || type == QEvent::HoverLeave)) {
    const int tab =
        type == QEvent::HoverLeave ? -1 : tabs->tabAt(static_cast<QHoverEvent*>(event)->position().toPoint());
    const QString hint = tab >= 0 ? tabs->tabToolTip(tab) : QString();
    if (hint != StatusBar1->currentMessage()) StatusBar1->showMessage(hint);
  }
  return QDialog::eventFilter(watched, event);
}

TFmConfig::~TFmConfig() = default;

void TFmConfig::SetEditBiography(TEditBiography edit) {
  FEditBiography = std::move(edit);
  UpdateItemButtons();
}

void TFmConfig::BuildControls() {
  auto* layout = new QVBoxLayout(this);
  auto* top = new QHBoxLayout();
  cbListType = new QComboBox(this);
  cbListType->setObjectName(QStringLiteral("cbListType"));
  SetHint(cbListType, "Chose which items to edit ...");
  for (const char* name : ListTypeNames) cbListType->addItem(QString::fromLatin1(name));
  cbListType->setMaxVisibleItems(ListTypeCount);
  cbListType->setCurrentIndex(-1);  // chosen at the first show; none in an unseen run
  laListType = new QLabel(QStringLiteral("Select list"), this);
  laListType->setBuddy(cbListType);
  top->addWidget(laListType);
  top->addWidget(cbListType);
  top->addStretch(1);
  layout->addLayout(top);

  auto* middle = new QHBoxLayout();
  middle->addWidget(BuildSourcePages(), 2);
  auto* arrows = new QVBoxLayout();
  buAddSelected = MakeButton(this, "buAddSelected", ">", "Add selected items to list");
  buAddAll = MakeButton(this, "buAddAll", ">>", "Add all items to list");
  arrows->addStretch(1);
  arrows->addWidget(buAddSelected);
  arrows->addWidget(buAddAll);
  arrows->addStretch(1);
  middle->addLayout(arrows);
  middle->addWidget(BuildListGroup(), 3);
  layout->addLayout(middle, 1);

  ProgressBar1 = new QProgressBar(this);
  ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
  ProgressBar1->setTextVisible(false);
  ProgressBar1->setValue(0);
  layout->addWidget(ProgressBar1);
  StatusBar1 = new QStatusBar(this);
  StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
  StatusBar1->setSizeGripEnabled(false);
  layout->addWidget(StatusBar1);

  connect(cbListType, &QComboBox::currentIndexChanged, this, [this] { Guard([this] { rgListClick(); }); });
  connect(buAddSelected, &QPushButton::clicked, this, [this] { Guard([this] { buAddSelectedClick(); }); });
  connect(buAddAll, &QPushButton::clicked, this, [this] { Guard([this] { buAddAllClick(); }); });
  connect(buNewListItem, &QPushButton::clicked, this, [this] { Guard([this] { buNewListItemClick(); }); });
  connect(buEditListItem, &QPushButton::clicked, this, [this] { Guard([this] { buEditListItemClick(); }); });
  connect(buDeleteListItem, &QPushButton::clicked, this, [this] { Guard([this] { buDeleteListItemClick(); }); });
  connect(buDoUplSearch, &QPushButton::clicked, this, [this] { Guard([this] { buDoUplSearchClick(); }); });
  connect(lvListContent, &QTreeWidget::itemSelectionChanged, this, &TFmConfig::UpdateItemButtons);
}

QWidget* TFmConfig::BuildSourcePages() {
  PageControl1 = new QTabWidget(this);
  PageControl1->setObjectName(QStringLiteral("PageControl1"));
  taPackageExplorer = MakePage(PageControl1, "taPackageExplorer", "&Packages", "Explore the available packages ...");
  PackagePage =
      new TConfigPackagePage(FDialogs, *this, FPackageSortColumn, FViewState.PackageSortAscending, taPackageExplorer);
  AddSourcePage(taPackageExplorer, PackagePage);
  // The package view follows the list type: the class it starts with.
  connect(this, &TFmConfig::ListTypeChanged, PackagePage, &TConfigPackagePage::ListTypeChanged);
  taKarmaData = MakePage(PageControl1, "taKarmaData", "&Karmadata", "Look for available ragdolls ...");
  taKarmaData->layout()->addWidget(BuildKarmaPage());
  taDirectorySearch = MakePage(PageControl1, "taDirectorySearch", "&Directory", nullptr);
  DirectoryPage = new TConfigDirPage(FDialogs, *this, FDirSortColumn, FViewState.DirSortAscending, taDirectorySearch);
  AddSourcePage(taDirectorySearch, DirectoryPage);
  taWizard = MakePage(PageControl1, "taWizard", "&Wizard",
                      "Automated search for available skins, models, voices, etc. It's not perfect though!");
  taWizard->layout()->addWidget(BuildWizardPage());
  taIntFileContent = MakePage(PageControl1, "taIntFileContent", "&Int-file", nullptr);
  IntFilePage = new TConfigIntPage(FDialogs, *this, taIntFileContent);
  taIntFileContent->layout()->addWidget(IntFilePage);
  SetPageShown(taDirectorySearch, false);
  SetPageShown(taIntFileContent, false);
  return PageControl1;
}

void TFmConfig::AddSourcePage(QWidget* tab, TConfigSourcePage* page) {
  tab->layout()->setContentsMargins(0, 0, 0, 0);
  tab->layout()->addWidget(page);
  SetLineSource(tab, [page](bool all) { return all ? page->AllLines() : page->SelectedLines(); });
}

QWidget* TFmConfig::BuildKarmaPage() {
  auto* page = new QWidget(taKarmaData);
  auto* layout = new QVBoxLayout(page);
  layout->setContentsMargins(0, 0, 0, 0);
  feKarmaData = new TPathEdit(FDialogs, TPathEdit::TKind::File, page);
  feKarmaData->setObjectName(QStringLiteral("feKarmaData"));
  feKarmaData->SetDialogTitle("Browse Karma-datafiles");
  feKarmaData->SetFilter("Karmadata (*.ka)|*.ka|All files (*.*)|*.*");
  feKarmaData->OnBeforeDialog = [this](std::string& name, bool& action) { feKarmaDataBeforeDialog(name, action); };
  feKarmaData->OnAfterDialog = [this](std::string& name, bool& action) {
    if (action) ReadKarmaData(name);
  };
  auto* label = new QLabel(QStringLiteral("&Filename"), page);
  label->setBuddy(feKarmaData->Edit());
  auto* row = new QHBoxLayout();
  row->addWidget(label);
  row->addWidget(feKarmaData, 1);
  layout->addLayout(row);

  lvKarmaData = new TLineView(page);
  lvKarmaData->setObjectName(QStringLiteral("lvKarmaData"));
  lvKarmaData->setHeaderLabels({QStringLiteral("Item")});
  lvKarmaData->setSelectionMode(QAbstractItemView::SingleSelection);
  lvKarmaData->KeepSelectionVisible();
  SetHint(lvKarmaData, "Contents of the KarmaFile");
  const auto rows = [this](bool all) {
    std::vector<std::string> lines;
    for (int i = 0; i < lvKarmaData->topLevelItemCount(); ++i) {
      const QTreeWidgetItem* item = lvKarmaData->topLevelItem(i);
      if (!all && !item->isSelected()) continue;
      const std::string id = FromQ(item->text(0));
      lines.push_back(id + "=" + id);
    }
    return lines;
  };
  lvKarmaData->DragLines = [rows] { return rows(false); };
  SetLineSource(taKarmaData, rows);
  layout->addWidget(lvKarmaData, 1);
  return page;
}

QWidget* TFmConfig::BuildWizardPage() {
  auto* page = new QWidget(taWizard);
  auto* layout = new QVBoxLayout(page);
  layout->setContentsMargins(0, 0, 0, 0);
  buDoUplSearch = MakeButton(page, "buDoUplSearch", "Start &automated search", nullptr);
  layout->addWidget(buDoUplSearch, 0, Qt::AlignLeft);
  lvBotLists = new QTreeWidget(page);
  lvBotLists->setObjectName(QStringLiteral("lvBotLists"));
  lvBotLists->setHeaderHidden(true);
  lvBotLists->setRootIsDecorated(false);
  lvBotLists->setEditTriggers(QAbstractItemView::NoEditTriggers);
  SetHint(lvBotLists, "items that were searched by the wizard ...");
  layout->addWidget(lvBotLists, 1);
  laSkipped = new QLabel(page);
  laSkipped->setObjectName(QStringLiteral("laSkipped"));
  laSkipped->setWordWrap(true);
  laSkipped->hide();
  layout->addWidget(laSkipped);
  return page;
}

QWidget* TFmConfig::BuildListGroup() {
  gbListContent = new QGroupBox(this);
  gbListContent->setObjectName(QStringLiteral("gbListContent"));
  auto* layout = new QVBoxLayout(gbListContent);
  auto* buttons = new QHBoxLayout();
  buNewListItem = MakeButton(gbListContent, "buNewListItem", "&New item", "add a new item from scratch");
  buEditListItem = MakeButton(gbListContent, "buEditListItem", "&Edit item", "Edit the human-readable name ...");
  buDeleteListItem = MakeButton(gbListContent, "buDeleteListItem", "&Delete item",
                                "Remove the selected item from the configuration");
  for (QPushButton* button : {buNewListItem, buEditListItem, buDeleteListItem}) buttons->addWidget(button);
  buttons->addStretch(1);
  layout->addLayout(buttons);

  lvListContent = new TLineView(gbListContent);
  lvListContent->setObjectName(QStringLiteral("lvListContent"));
  lvListContent->setHeaderLabels({QStringLiteral("Name"), QStringLiteral("Translation")});
  lvListContent->setSelectionMode(QAbstractItemView::SingleSelection);
  lvListContent->setDragEnabled(false);
  lvListContent->KeepSelectionVisible();
  lvListContent->header()->setDefaultSectionSize(lvListContent->fontMetrics().horizontalAdvance(QLatin1Char('x')) *
                                                 24);
  // FitNameColumn measures every row, not only the first thousand.
  lvListContent->header()->setResizeContentsPrecision(-1);
  lvListContent->OnDropLines = [this](const std::vector<std::string>& lines) {
    Guard([&] { AddLines(lines); });
  };
  layout->addWidget(lvListContent, 1);
  UpdateItemButtons();
  return gbListContent;
}

void TFmConfig::FixWindowSize() {
  layout()->activate();
  const QSize hint = minimumSizeHint();
  setFixedSize(std::max(hint.width(), DesignWidth), std::max(hint.height(), DesignHeight));
}

template <class F>
void TFmConfig::Guard(F&& command) {
  GuardCommand(FDialogs, std::forward<F>(command));
}

bool TFmConfig::event(QEvent* event) {
  // A dialog has no main window to show hints: its own status bar does.
  if (event->type() == QEvent::StatusTip) {
    StatusBar1->showMessage(static_cast<QStatusTipEvent*>(event)->tip());
    return true;
  }
  return QDialog::event(event);
}

void TFmConfig::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (cbListType->currentIndex() >= 0) return;
  cbListType->setCurrentIndex(ltMesh);
  // The class filter starts with the mesh list's class.
  PackagePage->ShowListTypeClass();
}

void TFmConfig::SetPageShown(QWidget* page, bool shown) {
  PageControl1->setTabVisible(PageControl1->indexOf(page), shown);
}

void TFmConfig::SetLineSource(QWidget* page, TLineSource source) {
  for (auto& entry : FLineSources)
    if (entry.first == page) {
      entry.second = std::move(source);
      return;
    }
  FLineSources.emplace_back(page, std::move(source));
}

// ---------------------------------------------------------------- list type

int TFmConfig::ListType() const { return cbListType->currentIndex(); }

roster::TStringList* TFmConfig::ListOf(int listType) {
  if (listType == ltBiography) return &FLists.Texts;
  return listType >= 0 && listType < ltBiography ? &(FLists.*ListTypeLists[listType]) : nullptr;
}

void TFmConfig::rgListClick() {
  const int type = ListType();
  emit ListTypeChanged(type);
  if (type != FLastListType) {
    ShowList(type);
    FLastListType = type;
  }
  const QString name = type >= 0 && type < ListTypeCount ? QString::fromLatin1(ListTypeNames[type]) : QString();
  gbListContent->setTitle(QStringLiteral(" &") + name + QStringLiteral(" "));
  const bool ragdoll = type == ltRagDoll;
  SetPageShown(taDirectorySearch, false);
  SetPageShown(taKarmaData, ragdoll);
  SetPageShown(taPackageExplorer, true);
  SetPageShown(taWizard, true);
  SetPageShown(taIntFileContent, false);
  PageControl1->setCurrentWidget(ragdoll ? taKarmaData : taWizard);
}

// ---------------------------------------------------------------- the view

void TFmConfig::ShowList(int listType) {
  if (listType == ltBiography)
    ShowBiographyList();
  else
    ShowNameList(ListOf(listType));
}

void TFmConfig::ShowNameList(roster::TStringList* list) {
  FCurrentList = list;
  {
    TLongFill fill(lvListContent, ProgressBar1, list ? list->Count() : 0, FRepaintClock);
    lvListContent->clear();
    for (int i = 0; list && i < list->Count(); ++i) {
      // Each row shows its own line: row k is line k, whatever other lines
      // share its name.
      const std::string& line = (*list)[i];
      AddListRow(std::string(roster::LineName(line).value_or(line)), false,
                 std::string(roster::LineValue(line).value_or("")));
      fill.Step(i);
    }
  }
  FitNameColumn();
  UpdateItemButtons();
}

void TFmConfig::ShowBiographyList() {
  const roster::TStringList& refs = FLists.Texts;
  FCurrentList = &FLists.Texts;
  {
    TLongFill fill(lvListContent, ProgressBar1, refs.Count(), FRepaintClock);
    lvListContent->clear();
    for (int i = 0; i < refs.Count(); ++i) {
      AddListRow(refs[i], false, ResolvedText(refs[i]));
      fill.Step(i);
    }
  }
  FitNameColumn();
  UpdateItemButtons();
}

void TFmConfig::FitNameColumn() {
  // Names are shown whole where the view has room; the translations keep
  // a quarter of it, and room for their heading. Short names keep the
  // column's usual width.
  QTreeWidget* view = lvListContent;
  view->resizeColumnToContents(0);
  const int needed = view->columnWidth(0);
  const int width = view->viewport()->width();
  const int most =
      std::max(width - std::max(width / 4, view->header()->sectionSizeHint(1)), view->header()->defaultSectionSize());
  view->setColumnWidth(0, std::clamp(needed, view->header()->defaultSectionSize(), most));
}

void TFmConfig::AddListRow(const std::string& name, bool addToList, const std::string& translation) {
  auto* item = new QTreeWidgetItem(lvListContent);
  item->setText(0, ToQ(name));
  item->setText(1, ToQ(translation));
  if (!addToList || !FCurrentList) return;
  // The biography list holds bare references.
  FCurrentList->Add(ShowingBiographies() ? name : name + "=" + translation);
}

int TFmConfig::SelectedRow() const {
  const QList<QTreeWidgetItem*> selected = lvListContent->selectedItems();
  if (selected.size() != 1) return -1;
  return lvListContent->indexOfTopLevelItem(selected.front());
}

void TFmConfig::UpdateItemButtons() {
  const bool selected = SelectedRow() >= 0;
  const bool editable = FCurrentList && (!ShowingBiographies() || FEditBiography);
  buNewListItem->setEnabled(editable);
  buEditListItem->setEnabled(selected && editable);
  buDeleteListItem->setEnabled(selected);
}

int TFmConfig::AddLines(const std::vector<std::string>& lines) {
  if (!FCurrentList) return 0;
  const bool needsPackage = FCurrentList != &FLists.RagDoll;
  int added = 0;
  for (const std::string& line : lines) {
    const std::string name = platform::Trim(roster::LineName(line).value_or(line));
    if (!roster::ItemNameError(name, needsPackage).empty()) continue;
    if (ShowingBiographies()) {
      if (FLists.Texts.IndexOf(name) >= 0) continue;
      AddListRow(name, true, ResolvedText(name));
    } else {
      const std::string translation(roster::LineValue(line).value_or(name));
      if (FCurrentList->IndexOfName(name) >= 0 || !roster::TranslationError(translation).empty()) continue;
      AddListRow(name, true, translation);
    }
    ++added;
  }
  const int left = static_cast<int>(lines.size()) - added;
  StatusBar1->showMessage(QStringLiteral("%1 added, %2 already in the list or not usable").arg(added).arg(left));
  if (added > 0) {
    FitNameColumn();
    lvListContent->scrollToBottom();
  }
  return added;
}

// ---------------------------------------------------------------- items

std::string TFmConfig::ItemCheck(const std::string& name, const std::string& translation, bool isNew) const {
  if (isNew) {
    const std::string refusal = roster::ItemNameError(name, FCurrentList != &FLists.RagDoll);
    if (!refusal.empty()) return refusal;
    const std::string trimmed = platform::Trim(name);
    if (FCurrentList->IndexOfName(trimmed) >= 0) return "\"" + trimmed + "\" is already in the list.";
  }
  return roster::TranslationError(translation);
}

void TFmConfig::buNewListItemClick() {
  if (ShowingBiographies())
    EditBiographyRow(false);
  else if (FCurrentList)
    NewItem();
}

void TFmConfig::NewItem() {
  TFmItemEdit editor(FDialogs, this);
  editor.setWindowTitle(QStringLiteral("New item"));
  const std::string proposal = "NewItem" + std::to_string(lvListContent->topLevelItemCount());
  editor.SetItemName(proposal);
  editor.SetTranslation(proposal);
  editor.Check = [this](const std::string& name, const std::string& translation) {
    return ItemCheck(name, translation, true);
  };
  if (FDialogs.ShowModal(editor) != TModalResult::mrOk) return;
  AddListRow(platform::Trim(editor.GetItemName()), true, editor.GetTranslation());
  FitNameColumn();
  lvListContent->setCurrentItem(lvListContent->topLevelItem(lvListContent->topLevelItemCount() - 1));
}

void TFmConfig::buEditListItemClick() {
  const int row = SelectedRow();
  if (ShowingBiographies())
    EditBiographyRow(row >= 0);
  else if (row < 0)
    buNewListItemClick();
  else
    EditItemRow(row);
}

void TFmConfig::EditItemRow(int row) {
  QTreeWidgetItem* item = lvListContent->topLevelItem(row);
  if (!FCurrentList || row >= FCurrentList->Count()) return;
  TFmItemEdit editor(FDialogs, this);
  editor.setWindowTitle(QStringLiteral("Edit item"));
  editor.SetItemName(FromQ(item->text(0)));
  editor.SetItemNameEditable(false);
  editor.SetTranslation(FromQ(item->text(1)));
  editor.Check = [this](const std::string& name, const std::string& translation) {
    return ItemCheck(name, translation, false);
  };
  if (FDialogs.ShowModal(editor) != TModalResult::mrOk) return;
  const std::string translation = editor.GetTranslation();
  item->setText(1, ToQ(translation));
  FCurrentList->SetStrings(row, editor.GetItemName() + "=" + translation);
}

void TFmConfig::buDeleteListItemClick() {
  const int row = SelectedRow();
  if (row < 0) return;
  delete lvListContent->takeTopLevelItem(row);
  if (FCurrentList && row < FCurrentList->Count()) FCurrentList->Delete(row);
  UpdateItemButtons();
}

void TFmConfig::EditBiographyRow(bool editExisting) {
  if (!FEditBiography) return;
  TBiographyEdit request;
  request.SystemDir = FSystemDir;
  const int row = SelectedRow();
  if (editExisting && row >= 0 && row < FLists.Texts.Count()) {
    request.Ref = FLists.Texts[row];
    request.EditExisting = true;
  } else {
    // A new biography's key comes from its bot's name ("<Name>Bio").
    const std::optional<std::string> name = FDialogs.InputQuery("New biography", "Name of the bot :", FBotName);
    if (!name || platform::Trim(*name).empty()) return;
    request.BotName = platform::Trim(*name);
  }
  const std::optional<std::string> ref = FEditBiography(request);
  if (!ref) return;
  // The new reference can be picked as soon as the window closes.
  roster::AddUniqueReference(FLists.Texts, *ref);
  ShowBiographyList();
  const int shown = FLists.Texts.IndexOf(platform::Trim(*ref));
  if (shown >= 0) lvListContent->setCurrentItem(lvListContent->topLevelItem(shown));
}

// ---------------------------------------------------------------- sources

void TFmConfig::buAddSelectedClick() {
  for (const auto& [page, source] : FLineSources)
    if (page == PageControl1->currentWidget() && source) AddLines(source(false));
}

void TFmConfig::buAddAllClick() {
  for (const auto& [page, source] : FLineSources)
    if (page == PageControl1->currentWidget() && source) AddLines(source(true));
}

void TFmConfig::feKarmaDataBeforeDialog(std::string& name, bool&) {
  namespace fs = std::filesystem;
  std::string folder = fs::absolute(fs::path(platform::JoinPath(FSystemDir, "../KarmaData"))).lexically_normal();
  if (!folder.empty() && folder.back() == '/') folder.pop_back();
  // The game's folders may be spelled in any case ("Karmadata").
  folder = platform::PathOnDisk(folder);
  feKarmaData->SetInitialDir(folder);
  const std::string current = name.empty() ? std::string()
                                           : fs::absolute(fs::path(name)).lexically_normal().parent_path().string();
  if (platform::UpperCase(current) != platform::UpperCase(folder)) name = "*.ka";
}

void TFmConfig::ReadKarmaData(const std::string& fileName) {
  lvKarmaData->clear();
  std::vector<std::string> ids;
  try {
    ids = ReadKarmaAssetIds(fileName);
  } catch (const EKarmaDataError& e) {
    FDialogs.MessageDlg(e.what(), TMsgDlgType::mtError, mbOK);
    return;
  }
  // Kept in the case-blind order of every list of the program.
  std::stable_sort(ids.begin(), ids.end(), platform::TextLess());
  for (const std::string& id : ids) new QTreeWidgetItem(lvKarmaData, QStringList{ToQ(id)});
}

// ---------------------------------------------------------------- harvest

void TFmConfig::SearchBotLists() {
  lvBotLists->clear();
  roster::THarvester harvest(roster::THarvestLists{FLists.Skins, FLists.Faces, FLists.Meshes, FLists.Voice,
                                                   FLists.RagDoll, FLists.Portraits, FLists.Skeleton, FLists.Texts});
  roster::TRosterScan scan;
  {
    TLongFill fill(lvBotLists, ProgressBar1, 0, FRepaintClock);
    scan = roster::ScanRosters(FSystemDir, [&](const roster::TBotCharacter& bot) { harvest.Add(bot); });
  }
  // The listing's case-blind order.
  for (const std::string& file : scan.Files) new QTreeWidgetItem(lvBotLists, QStringList{PathToQ(file)});
  FSkippedLines = scan.SkippedLines;
  laSkipped->setText(ToQ(roster::SkippedReport(scan)));
  laSkipped->setVisible(!laSkipped->text().isEmpty());
  ShowList(ListType());
}

}  // namespace windows
