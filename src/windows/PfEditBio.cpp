#include "windows/PfEditBio.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextBlock>
#include <QTextDocument>

#include "platform/AsciiText.h"
#include "platform/Files.h"
#include "platform/TextFile.h"
#include "roster/PuBioEntry.h"
#include "roster/PuUtTypes.h"
#include "windows/PathEdit.h"
#include "windows/PfMainForm.h"
#include "windows/QtDialogs.h"

namespace windows {

namespace {

// A read-only field shows the window's colour, as a label would.
void ShowReadOnly(QLineEdit* edit, bool readOnly) {
  edit->setReadOnly(readOnly);
  QPalette palette = edit->parentWidget() ? edit->parentWidget()->palette() : QPalette();
  if (readOnly) palette.setColor(QPalette::Base, palette.color(QPalette::Window));
  edit->setPalette(palette);
}

}  // namespace

TFrmEditBio::TFrmEditBio(TDialogs& dialogs, QWidget* parent) : QDialog(parent), FDialogs(dialogs) {
  setObjectName(QStringLiteral("FrmEditBio"));
  setWindowTitle(QStringLiteral("Edit biography"));
  setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
  auto* grid = new QGridLayout(this);

  edName = new QLineEdit(this);
  edName->setObjectName(QStringLiteral("edName"));
  laName = new QLabel(QStringLiteral("&Name"), this);
  laName->setObjectName(QStringLiteral("laName"));
  laName->setBuddy(edName);
  feFilename = new TPathEdit(dialogs, TPathEdit::TKind::File, this);
  feFilename->setObjectName(QStringLiteral("feFilename"));
  feFilename->SetFilter("Int files (*.int)|*.int|All files (*.*)|*.*");
  feFilename->SetReadOnly(true);
  ShowReadOnly(feFilename->Edit(), true);
  laFile = new QLabel(QStringLiteral("&File"), this);
  laFile->setObjectName(QStringLiteral("laFile"));
  laFile->setBuddy(feFilename->Edit());

  meBiography = new QPlainTextEdit(this);
  meBiography->setObjectName(QStringLiteral("meBiography"));
  meBiography->setLineWrapMode(QPlainTextEdit::NoWrap);
  // Room for the template and a few lines more, in the editor's own font.
  const QFontMetrics metrics(meBiography->font());
  meBiography->setMinimumSize(metrics.horizontalAdvance(QLatin1Char('x')) * 48, metrics.lineSpacing() * 10);

  QHBoxLayout* buttons = OkCancelRow(this, buOk, buCancel);

  grid->addWidget(laName, 0, 0);
  grid->addWidget(edName, 0, 1);
  grid->addWidget(laFile, 1, 0);
  grid->addWidget(feFilename, 1, 1);
  grid->addWidget(meBiography, 2, 0, 1, 2);
  grid->addLayout(buttons, 3, 0, 1, 2);
  grid->setRowStretch(2, 1);
  grid->setColumnStretch(1, 1);

  connect(buOk, &QPushButton::clicked, this, &TFrmEditBio::buOkClick);
  connect(buCancel, &QPushButton::clicked, this, &QDialog::reject);
  SetNameReadOnly(false);
}

void TFrmEditBio::SetSystemDir(const std::string& dir) {
  FSystemDir = dir;
  feFilename->SetInitialDir(dir);
}

void TFrmEditBio::SetTextRef(const std::string& ref) {
  const std::size_t dot = ref.find('.');
  const std::string package = dot == std::string::npos ? std::string("XPlayers") : ref.substr(0, dot);
  edName->setText(ToQ(dot == std::string::npos ? ref : ref.substr(dot + 1)));
  feFilename->SetText(platform::PathOnDisk(platform::JoinPath(FSystemDir, package + ".int")));
  roster::TUtType text;
  text.SetString(ref);
  SetBioLines(platform::SplitLines(text.AsIntText()));
}

std::string TFrmEditBio::GetTextRef() const {
  const std::string file = platform::ExtractFileName(feFilename->Text());
  const std::size_t dot = file.find('.');
  const std::string key = FromQ(edName->text());
  return dot == std::string::npos ? key : file.substr(0, dot + 1) + key;
}

// The file as it is spelled on disk: the game's files come from Windows,
// and a second "XPlayers.INT" must not appear beside "XPlayers.int".
std::string TFrmEditBio::FileName() const { return platform::PathOnDisk(feFilename->Text()); }

void TFrmEditBio::SetNameReadOnly(bool readOnly) {
  FNameReadOnly = readOnly;
  ShowReadOnly(edName, readOnly);
}

void TFrmEditBio::InitNewBio(const std::string& botName) {
  if (botName.empty()) return;
  if (meBiography->document()->isEmpty())
    SetBioLines({"Name:  " + botName, "Age:   N/A", "Race:  N/A", "", "Data:", "Not available."});
  edName->setText(ToQ(botName + "Bio"));
}

std::vector<std::string> TFrmEditBio::GetBioLines() const {
  // Every line the memo shows, an empty last one too ("born leader.||"
  // ends in one), and each character as typed: the memo's plain text would
  // drop that last line and turn a no-break space into a blank.
  std::vector<std::string> lines;
  const QTextDocument* document = meBiography->document();
  if (document->isEmpty()) return lines;
  for (QTextBlock block = document->begin(); block.isValid(); block = block.next())
    for (const QString& line : block.text().split(QChar::LineSeparator)) lines.push_back(FromQ(line));
  return lines;
}

void TFrmEditBio::SetBioLines(const std::vector<std::string>& lines) {
  meBiography->setPlainText(LinesToQ(lines).join(QLatin1Char('\n')));
}

bool TFrmEditBio::SaveBio() {
  // A roster reads the bot's reference back without the blanks at its
  // ends, so a new key must not keep any there.
  if (!FNameReadOnly) edName->setText(ToQ(platform::Trim(FromQ(edName->text()))));
  const bool written = roster::WriteBioEntry(FileName(), FromQ(edName->text()), GetBioLines(), [this] {
    return FDialogs.MessageDlg("Overwrite existing biography ?", TMsgDlgType::mtConfirmation, mbYes | mbNo) ==
           TModalResult::mrYes;
  });
  FWritten = FWritten || written;
  return written;
}

void TFrmEditBio::buOkClick() {
  // The window closes only once the entry is written: after "No" to the
  // overwrite question the key can still be changed, and a failed write is
  // shown with the edits still there.
  GuardCommand(FDialogs, [this] {
    if (SaveBio()) done(int(TModalResult::mrOk));
  });
}

void TFrmEditBio::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (FNameReadOnly) meBiography->setFocus();
}

}  // namespace windows
