#include "windows/PfConfigPackagePage.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>

#include "packages/PuUtPackages.h"
#include "platform/AsciiText.h"
#include "platform/Files.h"
#include "windows/BusyCursor.h"
#include "windows/PathEdit.h"
#include "windows/PfBotConfig.h"
#include "windows/QtDialogs.h"

namespace windows {

const char* const ShowAllClasses = "- show all -";
const char* const NoClass = "- no class -";

namespace {

struct TPackageDialogRule {
  const char* Folder;  // below the System directory; empty for the directory itself
  const char* Filter;
  const char* Mask;
  const char* ClassName;  // null keeps the filter's choice
};

const TPackageDialogRule MeshRule{"../Animations", "Meshes (*.ukx)|*.ukx|All files (*.*)|*.*", "*.ukx", "SkeletalMesh"};
const TPackageDialogRule TextureRule{"../Textures", "Textures (*.utx)|*.utx|All files (*.*)|*.*", "*.utx", "Texture"};
const TPackageDialogRule ClassRule{"", "Class-files (*.u)|*.u|All files (*.*)|*.*", "*.u", NoClass};
const TPackageDialogRule OtherRule{"", "Class-files (*.u)|*.u|All files (*.*)|*.*", "*.u", nullptr};

const TPackageDialogRule& RuleOf(int listType) {
  switch (listType) {
    case ltMesh:
    case ltSkeleton: return MeshRule;
    case ltFace:
    case ltSkin:
    case ltPortrait: return TextureRule;
    case ltVoice:
    case ltSpecies: return ClassRule;
    default: return OtherRule;
  }
}

// The class an export is filtered by; an export without one counts as
// "- no class -".
std::string FilterClassOf(const std::string& className) {
  std::string trimmed = platform::Trim(className);
  return trimmed.empty() ? NoClass : trimmed;
}

}  // namespace

TConfigPackagePage::TConfigPackagePage(TDialogs& dialogs, TConfigPageHost& host, int& sortColumn, bool& ascending,
                                       QWidget* parent)
    : TConfigSourcePage(host, parent), FDialogs(dialogs), FPackage(std::make_unique<packages::TUTPackage>()) {
  Label1 = new QLabel(QStringLiteral("&Package :"), this);
  fePackageName = new TPathEdit(dialogs, TPathEdit::TKind::File, this);
  fePackageName->SetDialogTitle("Browse packages");
  fePackageName->SetAcceptFileDrops(true);
  Label1->setBuddy(fePackageName->Edit());
  Label2 = new QLabel(QStringLiteral("&Filter :"), this);
  cbPackageFilter = new QComboBox(this);
  cbPackageFilter->setToolTip(QStringLiteral("Chose what items to show in the list below"));
  Label2->setBuddy(cbPackageFilter);
  lvPackageContent = new TSourceView(
      {QStringLiteral("Name"), QStringLiteral("Group"), QStringLiteral("Class"), QStringLiteral("Parent")}, sortColumn,
      ascending, this);
  lvPackageContent->setToolTip(QStringLiteral("Contents of the package"));
  lvPackageContent->Model()->DragLine = [this](const TSourceRow& row) {
    const std::string path = GetObjectPath(row.Data);
    return path + "=" + path;
  };
  FSourceView = lvPackageContent;

  auto* layout = new QGridLayout(this);
  layout->addWidget(Label1, 0, 0);
  layout->addWidget(fePackageName, 0, 1);
  layout->addWidget(Label2, 1, 0);
  layout->addWidget(cbPackageFilter, 1, 1);
  layout->addWidget(lvPackageContent, 2, 0, 1, 2);
  layout->setRowStretch(2, 1);
  layout->setColumnStretch(1, 1);

  fePackageName->OnBeforeDialog = [this](std::string& name, bool& action) { fePackageNameBeforeDialog(name, action); };
  fePackageName->OnAfterDialog = [this](std::string& name, bool& action) { fePackageNameAfterDialog(name, action); };
  connect(cbPackageFilter, &QComboBox::currentIndexChanged, this, &TConfigPackagePage::cbPackageFilterChange);
}

TConfigPackagePage::~TConfigPackagePage() = default;

void TConfigPackagePage::fePackageNameBeforeDialog(std::string& name, bool&) {
  const TPackageDialogRule& rule = RuleOf(FHost.CurrentListType());
  const std::string folder = *rule.Folder ? platform::JoinPath(FHost.SystemDirectory(), rule.Folder)
                                          : FHost.SystemDirectory();
  fePackageName->SetInitialDir(folder);
  fePackageName->SetFilter(rule.Filter);
  name = ProposedFileName(name, folder, rule.Mask);
}

void TConfigPackagePage::fePackageNameAfterDialog(std::string& name, bool& action) {
  // The edit names the package shown, never one that failed to load.
  if (action) action = OpenPackage(name);
  ShowListTypeClass();
}

// The class the user picked stays picked for the next list.
void TConfigPackagePage::ListTypeChanged() { FillPackageView(); }

void TConfigPackagePage::ShowListTypeClass() {
  if (const char* className = RuleOf(FHost.CurrentListType()).ClassName) {
    const QSignalBlocker blocker(cbPackageFilter);
    // A package without that class leaves the filter blank, which says so;
    // the view then shows all it holds.
    cbPackageFilter->setCurrentIndex(cbPackageFilter->findText(QString::fromLatin1(className), Qt::MatchFixedString));
  }
  FillPackageView();
}

bool TConfigPackagePage::OpenPackage(const std::string& fileName) {
  if (!platform::FileExists(fileName)) {
    FDialogs.MessageDlg("The file " + fileName + " does not exist.", TMsgDlgType::mtError, mbOK);
    return false;
  }
  auto fresh = std::make_unique<packages::TUTPackage>();
  std::vector<TExportRow> rows;
  try {
    fresh->Load(fileName);
    fresh->RequireTables();
    rows.reserve(static_cast<std::size_t>(fresh->ExportCount()));
    for (int i = 0; i < fresh->ExportCount(); ++i) {
      const packages::TUTExportTableObjectData& e = *fresh->GetExport(i);
      rows.push_back({e.GetObjectName(), e.GetPackagePath(), e.GetClassName(), e.GetSuperPath(), i});
    }
  } catch (const packages::EUTPackageError& e) {
    FDialogs.MessageDlg(e.what(), TMsgDlgType::mtError, mbOK);
    return false;
  }
  FPackage = std::move(fresh);
  FExports = std::move(rows);
  FPackageName = platform::ChangeFileExt(platform::ExtractFileName(fileName), "");

  const QSignalBlocker blocker(cbPackageFilter);
  cbPackageFilter->clear();
  QStringList classes{QString::fromLatin1(ShowAllClasses)};
  for (const TExportRow& row : FExports) {
    const QString className = ToQ(FilterClassOf(row.ClassName));
    if (!classes.contains(className, Qt::CaseInsensitive)) classes << className;
  }
  cbPackageFilter->addItems(classes);
  cbPackageFilter->setCurrentIndex(0);
  return true;
}

void TConfigPackagePage::FillPackageView() {
  const TBusyCursor busy;
  // Entry 0 ("- show all -") and no entry at all filter nothing.
  const int filter = cbPackageFilter->currentIndex();
  const std::string className = FromQ(cbPackageFilter->currentText());
  std::vector<TSourceRow> rows;
  rows.reserve(FExports.size());
  for (const TExportRow& e : FExports) {
    if (filter > 0 && FilterClassOf(e.ClassName) != className) continue;
    rows.push_back({{e.Name, e.Group, e.ClassName, e.Parent}, {}, e.Index});
  }
  lvPackageContent->SetRows(std::move(rows));
}

void TConfigPackagePage::cbPackageFilterChange() { FillPackageView(); }

std::string TConfigPackagePage::GetObjectPath(int exportIndex) const {
  if (exportIndex < 0 || exportIndex >= static_cast<int>(FExports.size())) return "";
  const TExportRow& e = FExports[static_cast<std::size_t>(exportIndex)];
  std::string path = FPackageName;
  if (!e.Group.empty()) path += "." + e.Group;
  return path + "." + e.Name;
}

}  // namespace windows
