#include "windows/PfTextureViewer.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSplitter>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "packages/PuUtPackages.h"
#include "packages/PuUtTextBuffer.h"
#include "packages/PuUtTexture.h"
#include "platform/AsciiText.h"
#include "platform/Files.h"
#include "windows/QtDialogs.h"
#include "windows/TextureImage.h"

namespace windows {

const char* const TextureViewerFilter = "UT Packages|*.uxx;*.unr;*.umx;*.uax;*.utx;*.u;*.u3d|All files|*.*";

namespace {
const char* const TextFileFilter = "Text files (*.txt)|*.txt|All files (*.*)|*.*";

// The file name Extract proposes for a text buffer. Several buffers of one
// package share a name (every class's "ScriptText"): the group makes the
// proposal tell them apart. The names come from the file, so they are kept
// to one file name inside the folder the dialog starts in.
std::string ExtractProposal(const packages::TUTExportTableObjectData& entry) {
  std::string proposal = entry.GetObjectName();
  try {
    if (const std::string group = entry.GetPackagePath(); !group.empty()) proposal = group + "." + proposal;
  } catch (const packages::EUTPackageError&) {
    // A group whose name is not in the name table: the name alone.
  }
  for (char& c : proposal)
    if (c == '/' || c == '\\' || c == ':' || static_cast<unsigned char>(c) < 32) c = '_';
  if (proposal.find_first_not_of("._") == std::string::npos) proposal = "TextBuffer";
  return proposal + ".txt";
}

QTreeWidget* MakeReportView(const QStringList& columns, QWidget* parent) {
  auto* view = new QTreeWidget(parent);
  view->setColumnCount(int(columns.size()));
  view->setHeaderLabels(columns);
  view->setRootIsDecorated(false);
  view->setUniformRowHeights(true);
  view->setSelectionMode(QAbstractItemView::SingleSelection);
  return view;
}
}  // namespace

TFmTextureViewer::TFmTextureViewer(TDialogs& dialogs, QWidget* parent) : QDialog(parent), FDialogs(dialogs) {
  setWindowTitle(QStringLiteral("FmTextureViewer"));
  setSizeGripEnabled(true);

  Splitter1 = new QSplitter(Qt::Horizontal, this);
  object_list = MakeReportView({QStringLiteral("Object"), QStringLiteral("Class")}, Splitter1);
  properties = MakeReportView({QStringLiteral("Properties")}, Splitter1);
  object_list->header()->resizeSection(0, 200);
  Splitter1->addWidget(object_list);
  Splitter1->addWidget(properties);
  Splitter1->setStretchFactor(1, 1);
  Splitter1->setSizes({330, 450});

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(BuildTopPanel());
  layout->addWidget(Splitter1, 1);
  resize(800, 560);

  connect(btn_open, &QPushButton::clicked, this, &TFmTextureViewer::btn_openClick);
  connect(btn_extract, &QPushButton::clicked, this, &TFmTextureViewer::btn_extractClick);
  connect(buShowTexture, &QPushButton::clicked, this, &TFmTextureViewer::buShowTextureClick);
  connect(buSearch, &QPushButton::clicked, this, &TFmTextureViewer::buSearchClick);
  connect(object_list, &QTreeWidget::itemSelectionChanged, this, &TFmTextureViewer::object_listSelectItem);
}

QWidget* TFmTextureViewer::BuildTopPanel() {
  auto* top = new QWidget(this);
  btn_open = new QPushButton(QStringLiteral("&Open file ..."), top);
  btn_extract = new QPushButton(QStringLiteral("E&xtract ..."), top);
  btn_extract->setEnabled(false);
  buShowTexture = new QPushButton(QStringLiteral("&Show texture"), top);
  Edit1 = new QLineEdit(top);
  buSearch = new QPushButton(QStringLiteral("&Search"), top);
  StaticText1 = new QLabel(top);
  StaticText1->setTextInteractionFlags(Qt::TextSelectableByMouse);
  Image1 = new TTextureImage(top);
  Image1->setFixedSize(160, 160);

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(btn_open);
  buttons->addWidget(btn_extract);
  buttons->addWidget(buShowTexture);
  buttons->addStretch(1);
  auto* search = new QHBoxLayout;
  search->addWidget(Edit1, 1);
  search->addWidget(buSearch);
  auto* left = new QVBoxLayout;
  left->addLayout(buttons);
  left->addLayout(search);
  left->addWidget(StaticText1);
  left->addStretch(1);
  auto* layout = new QHBoxLayout(top);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addLayout(left, 1);
  layout->addWidget(Image1, 0, Qt::AlignRight | Qt::AlignVCenter);
  return top;
}

TFmTextureViewer::~TFmTextureViewer() {
  // The object belongs to the package's export entry: its read is given
  // back while the package still stands.
  ReleaseCurrentObject();
}

void TFmTextureViewer::ShowError(const std::string& text) {
  FDialogs.MessageDlg(text, TMsgDlgType::mtError, mbOK);
}

void TFmTextureViewer::ReleaseCurrentObject() {
  if (FCurrentObject) FCurrentObject->ReleaseObject();
  FCurrentObject = nullptr;
  properties->clear();
  Image1->Clear();
}

void TFmTextureViewer::btn_openClick() {
  const std::optional<std::string> chosen = FDialogs.OpenFileName({"", FInitialDir, "", TextureViewerFilter});
  if (chosen) OpenPackage(*chosen);
}

bool TFmTextureViewer::OpenPackage(const std::string& fileName) {
  // Nothing of the package shown may stay in use while another is loaded.
  {
    const QSignalBlocker blocker(object_list);
    object_list->clearSelection();
  }
  ReleaseCurrentObject();
  btn_extract->setEnabled(false);
  auto fresh = std::make_unique<packages::TUTPackage>();
  try {
    fresh->Load(fileName);
    fresh->RequireTables();
  } catch (const packages::EUTPackageError& e) {
    ShowError(e.what());
    return false;
  }
  QList<QTreeWidgetItem*> rows;
  rows.reserve(fresh->ExportCount());
  try {
    for (int i = 0; i < fresh->ExportCount(); ++i) {
      const packages::TUTExportTableObjectData* entry = fresh->GetExport(i);
      auto* row = new QTreeWidgetItem({ToQ(entry->GetObjectName()), ToQ(entry->GetClassName())});
      row->setData(0, Qt::UserRole, i);
      rows << row;
    }
  } catch (const packages::EUTPackageError& e) {
    qDeleteAll(rows);
    ShowError(e.what());
    return false;
  }
  {
    const QSignalBlocker blocker(object_list);
    object_list->clear();
    FPackage = std::move(fresh);
    object_list->addTopLevelItems(rows);
  }
  StaticText1->setText(PathToQ(fileName));
  FExtractDir = platform::ExtractFileDir(fileName);
  return true;
}

std::string TFmTextureViewer::SelectedClass() const {
  const QList<QTreeWidgetItem*> selected = object_list->selectedItems();
  return selected.isEmpty() ? std::string() : FromQ(selected.first()->text(1));
}

void TFmTextureViewer::object_listSelectItem() {
  const std::string className = SelectedClass();
  btn_extract->setEnabled(className == "Texture" || className == "TextBuffer");
  ReleaseCurrentObject();
  const QList<QTreeWidgetItem*> selected = object_list->selectedItems();
  if (!selected.isEmpty() && FPackage) ShowObject(selected.first()->data(0, Qt::UserRole).toInt());
}

void TFmTextureViewer::AddPropertyRow(const std::string& text) {
  new QTreeWidgetItem(properties, {ToQ(text)});
}

void TFmTextureViewer::ShowObject(int exportIndex) {
  packages::TUTExportTableObjectData* entry = FPackage->GetExport(exportIndex);
  if (!entry) return;
  try {
    FCurrentObject = &entry->GetObject();
    // Counts one use even when it fails; ReleaseCurrentObject gives it back.
    FCurrentObject->ReadObject(true);
  } catch (const packages::EUTPackageError& e) {
    AddPropertyRow(e.what());
    return;
  }
  for (const auto& property : FCurrentObject->GetProperties()) {
    // One value that cannot be shown must not hide the others.
    try {
      AddPropertyRow(property->GetDescription());
    } catch (const packages::EUTPackageError& e) {
      AddPropertyRow(property->Name() + ": " + e.what());
    }
  }
}

void TFmTextureViewer::btn_extractClick() {
  const QList<QTreeWidgetItem*> selected = object_list->selectedItems();
  if (selected.isEmpty() || !FCurrentObject || SelectedClass() != "TextBuffer") return;
  auto* text = dynamic_cast<packages::TUTObjectClassTextBuffer*>(FCurrentObject);
  if (!text || !text->DataRead()) {
    ShowError("The text of " + FromQ(selected.first()->text(0)) + " could not be read.");
    return;
  }
  const std::optional<std::string> chosen = FDialogs.SaveFileName(
      {"Extract text buffer", FExtractDir, ExtractProposal(*FPackage->GetExport(text->ExportIndex())),
       TextFileFilter, false});
  if (!chosen) return;
  if (platform::FileExists(*chosen) &&
      FDialogs.MessageDlg(*chosen + " already exists.\rReplace it ?", TMsgDlgType::mtConfirmation, mbYes | mbNo,
                          mbNo) != TModalResult::mrYes)
    return;
  try {
    text->SaveToFile(*chosen);
  } catch (const platform::EFileError& e) {
    ShowError(e.what());
    return;
  }
  FExtractDir = platform::ExtractFileDir(*chosen);
}

void TFmTextureViewer::buSearchClick() {
  if (!FPackage) return;
  const int index =
      FPackage->FindObject(packages::tableExports, packages::findObjectName, "", FromQ(Edit1->text()), "");
  if (index < 0 || index >= object_list->topLevelItemCount()) return;
  QTreeWidgetItem* row = object_list->topLevelItem(index);
  object_list->setCurrentItem(row);
  object_list->scrollToItem(row);
  object_list->viewport()->update();
}

void TFmTextureViewer::buShowTextureClick() {
  const std::string className = SelectedClass();
  if (className.empty()) {
    Image1->SetMessage(QStringLiteral("No object selected."));
    return;
  }
  // A scripted texture is drawn by the game at run time: a texture all the
  // same, with no pixels in the file.
  if (FCurrentObject && dynamic_cast<packages::TUTObjectClassScriptedTexture*>(FCurrentObject)) {
    Image1->SetMessage(QStringLiteral("This texture has no pixel data."));
    return;
  }
  if (!FCurrentObject || !dynamic_cast<packages::TUTObjectClassTexture*>(FCurrentObject)) {
    Image1->SetMessage(QStringLiteral("Not a texture."));
    return;
  }
  if (!FCurrentObject->DataRead()) {
    Image1->SetMessage(QStringLiteral("This texture could not be read."));
    return;
  }
  if (const packages::TUTBitmap* mip = FirstMipWithPixels(*FCurrentObject)) {
    const bool masked = packages::VariantToInteger(FCurrentObject->GetProperties().GetValue("bMasked")) != 0;
    Image1->SetImage(BitmapToImage(*mip, masked));
  }
  else
    Image1->SetMessage(QStringLiteral("This texture has no pixel data."));
}

}  // namespace windows
