#include "windows/PfUccLog.h"

#include <cstring>

#include <QPlainTextEdit>
#include <QVBoxLayout>

#include "platform/TextFile.h"
#include "windows/QtDialogs.h"

namespace windows {

TFmUccLog::TFmUccLog(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("FmUccLog"));
  setWindowTitle(QStringLiteral("UCC Log"));
  setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  // A log holds "<" and "&" as they are: plain text, never markup.
  reLog = MakeTextView(this, "reLog");
  reLog->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  const QFontMetrics metrics(reLog->font());
  reLog->setMinimumSize(metrics.horizontalAdvance(QString(90, QLatin1Char('x'))), metrics.lineSpacing() * 25);
  layout->addWidget(reLog);
}

void TFmUccLog::LoadFromFile(const std::string& fileName) {
  const std::string bytes = platform::ReadFileBytes(fileName);
  // The engine may write its log as UTF-16 with a byte-order mark.
  if (bytes.size() >= 2 && bytes[0] == '\xFF' && bytes[1] == '\xFE') {
    std::u16string text((bytes.size() - 2) / 2, u'\0');
    std::memcpy(text.data(), bytes.data() + 2, text.size() * 2);
    reLog->setPlainText(QString::fromStdU16String(text));
  } else {
    reLog->setPlainText(ToQ(bytes));
  }
}

}  // namespace windows
