#include "windows/PfConfigIntPage.h"

#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "platform/Files.h"
#include "roster/LineParts.h"
#include "roster/PuIntFile.h"
#include "windows/PathEdit.h"
#include "windows/SourceView.h"

namespace windows {

TConfigIntPage::TConfigIntPage(TDialogs& dialogs, TConfigPageHost& host, QWidget* parent)
    : QWidget(parent), FHost(host) {
  Label1 = new QLabel(QStringLiteral("&Filename"), this);
  feIntFilename = new TPathEdit(dialogs, TPathEdit::TKind::File, this);
  feIntFilename->SetDialogTitle("Browse Int-files");
  feIntFilename->SetFilter("Int-files (*.int)|*.int|All files (*.*)|*.*");
  Label1->setBuddy(feIntFilename->Edit());
  cbIntFilter = new QComboBox(this);
  cbIntFilter->addItems({QStringLiteral("Public"), QStringLiteral("DecoText"), QStringLiteral("Object")});
  cbIntFilter->setCurrentIndex(-1);
  lvIntFiles = new TSourceView({QString(), QString()}, FSortColumn, FAscending, this);
  lvIntFiles->setSelectionMode(QAbstractItemView::SingleSelection);
  lvIntFiles->header()->setSectionsClickable(false);
  lvIntFiles->header()->setSortIndicatorShown(false);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(Label1);
  layout->addWidget(feIntFilename);
  layout->addWidget(cbIntFilter);
  layout->addWidget(lvIntFiles, 1);

  feIntFilename->OnBeforeDialog = [this](std::string& name, bool& action) { feIntFilenameBeforeDialog(name, action); };
  feIntFilename->OnAfterDialog = [this](std::string& name, bool& action) { feIntFilenameAfterDialog(name, action); };
  connect(cbIntFilter, &QComboBox::currentIndexChanged, this, &TConfigIntPage::cbIntFilterChange);
}

void TConfigIntPage::feIntFilenameBeforeDialog(std::string& name, bool&) {
  const std::string folder = AbsolutePath(FHost.SystemDirectory());
  feIntFilename->SetInitialDir(folder);
  name = ProposedFileName(name, folder, "*.int");
}

void TConfigIntPage::feIntFilenameAfterDialog(std::string& name, bool& action) {
  if (action) FillIntFileView(name);
}

void TConfigIntPage::cbIntFilterChange() { FillIntFileView(feIntFilename->Text()); }

void TConfigIntPage::FillIntFileView(const std::string& fileName) {
  std::vector<TSourceRow> rows;
  if (platform::FileExists(fileName)) {
    if (cbIntFilter->currentIndex() < 0) {
      const QSignalBlocker blocker(cbIntFilter);
      cbIntFilter->setCurrentIndex(1);
    }
    const roster::TIntFile file(fileName);
    const int filter = cbIntFilter->currentIndex();
    const std::vector<std::string> lines =
        filter == 0 ? file.ReadPublic() : (filter == 2 ? file.ReadObjects() : file.ReadDecoText());
    for (const std::string& line : lines) {
      // Each row shows its own line's value: object lines all share the
      // name "Object".
      const std::string name(roster::LineName(line).value_or(line));
      const std::string value(roster::LineValue(line).value_or(""));
      rows.push_back({{name, value}, {}, static_cast<int>(rows.size())});
    }
  }
  lvIntFiles->SetRows(std::move(rows));
}

}  // namespace windows
