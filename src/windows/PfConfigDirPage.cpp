#include "windows/PfConfigDirPage.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QVBoxLayout>

#include "platform/Files.h"
#include "windows/BusyCursor.h"
#include "windows/PathEdit.h"
#include "windows/PfBotConfig.h"
#include "windows/QtDialogs.h"

namespace windows {

std::string FileSizeText(std::uint64_t size) {
  if (size < 1048576) return std::to_string(size);
  return std::to_string(size / 1024) + " kb";
}

TConfigDirPage::TConfigDirPage(TDialogs& dialogs, TConfigPageHost& host, int& sortColumn, bool& ascending,
                               QWidget* parent)
    : TConfigSourcePage(host, parent) {
  Label1 = new QLabel(QStringLiteral("&Directory"), this);
  deSearchDir = new TPathEdit(dialogs, TPathEdit::TKind::Directory, this);
  deSearchDir->SetDialogTitle("Search directory");
  deSearchDir->SetAcceptFileDrops(true);
  Label1->setBuddy(deSearchDir->Edit());
  lvDirView = new TSourceView({QStringLiteral("Filename"), QStringLiteral("Extension"), QStringLiteral("Size"),
                               QStringLiteral("Time"), QStringLiteral("Date")},
                              sortColumn, ascending, this);
  lvDirView->Model()->DragLine = [](const TSourceRow& row) { return row.Cells[0] + "=" + row.Cells[0]; };
  FSourceView = lvDirView;

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(Label1);
  layout->addWidget(deSearchDir);
  layout->addWidget(lvDirView, 1);

  deSearchDir->OnBeforeDialog = [this](std::string& name, bool& action) { deSearchDirBeforeDialog(name, action); };
  deSearchDir->OnAfterDialog = [this](std::string& name, bool& action) { deSearchDirAfterDialog(name, action); };
}

void TConfigDirPage::deSearchDirBeforeDialog(std::string& name, bool&) {
  const std::string system = FHost.SystemDirectory();
  name = FHost.CurrentListType() == ltRagDoll ? AbsolutePath(platform::JoinPath(system, "../KarmaData")) : system;
  deSearchDir->SetText(name);
  deSearchDir->SetInitialDir(name);
}

void TConfigDirPage::deSearchDirAfterDialog(std::string& name, bool& action) {
  if (action) FillDirView(name);
}

void TConfigDirPage::FillDirView(const std::string& folder) {
  const TBusyCursor busy;
  const QLocale locale;
  std::vector<TSourceRow> rows;
  const QFileInfoList files =
      QDir(PathToQ(folder)).entryInfoList(QDir::Files | QDir::Hidden | QDir::System, QDir::NoSort);
  for (const QFileInfo& file : files) {
    const std::string name = PathFromQ(file.fileName());
    const std::string extension = platform::ExtractFileExt(name);
    const QDateTime changed = file.lastModified();
    const auto size = static_cast<std::uint64_t>(file.size());
    TSourceRow row;
    row.Cells = {name.substr(0, name.size() - extension.size()), extension, FileSizeText(size),
                 FromQ(locale.toString(changed.time(), QLocale::LongFormat)),
                 FromQ(locale.toString(changed.date(), QLocale::ShortFormat))};
    row.Keys = {std::nullopt, std::nullopt, static_cast<std::int64_t>(size), changed.time().msecsSinceStartOfDay(),
                changed.date().toJulianDay()};
    rows.push_back(std::move(row));
  }
  lvDirView->SetRows(std::move(rows));
}

}  // namespace windows
