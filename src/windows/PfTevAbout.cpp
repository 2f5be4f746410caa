#include "windows/PfTevAbout.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/Files.h"
#include "platform/TextFile.h"
#include "platform/Version.h"
#include "windows/PfMainForm.h"
#include "windows/QtDialogs.h"

namespace windows {

TFmTevAboutDlg::TFmTevAboutDlg(const std::string& programDir, QWidget* parent)
    : QDialog(parent), FProgramDir(programDir) {
  setObjectName(QStringLiteral("FmTevAboutDlg"));
  setWindowTitle(QStringLiteral("About ..."));
  setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
  auto* layout = new QVBoxLayout(this);
  Memo1 = new QPlainTextEdit(this);
  Memo1->setObjectName(QStringLiteral("Memo1"));
  Memo1->setReadOnly(true);
  Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  Memo1->setTabChangesFocus(false);
  // Readme.txt is written for 78 columns.
  const QFontMetrics metrics(Memo1->font());
  Memo1->setMinimumSize(metrics.horizontalAdvance(QString(80, QLatin1Char('x'))), metrics.lineSpacing() * 20);
  layout->addWidget(Memo1, 1);
  Button1 = new QPushButton(QStringLiteral("&Close"), this);
  Button1->setObjectName(QStringLiteral("Button1"));
  Button1->setDefault(true);
  layout->addWidget(Button1, 0, Qt::AlignHCenter);
  connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
}

void TFmTevAboutDlg::showEvent(QShowEvent* event) {
  FormShow();
  QDialog::showEvent(event);
}

void TFmTevAboutDlg::FormShow() {
  // Without a Readme.txt (a program copied on its own) the window still
  // says which program and version this is.
  std::string text;
  try {
    text = platform::ReadFileBytes(platform::JoinPath(FProgramDir, "Readme.txt"));
  } catch (const platform::EFileError&) {
  }
  Memo1->setPlainText(ToQ(text));
  setWindowTitle(ToQ(std::string("About ") + ApplicationTitle + " (" + platform::GetVersionString() + ")"));
}

}  // namespace windows
