#include "windows/QtDialogs.h"

#include <algorithm>
#include <cstdlib>
#include <limits>
#include <memory>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QLabel>
#include <QGridLayout>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QStringList>

#include "platform/FileError.h"
#include "platform/Files.h"
#include "platform/Process.h"

namespace windows {

std::string PathText(const std::string& path) { return FromQ(PathToQ(path)); }

std::string ErrorText(const std::exception& e) {
  // The platform's file and process errors name the file or program as the
  // file system spells it.
  if (dynamic_cast<const platform::EFileError*>(&e) || dynamic_cast<const platform::EProcessError*>(&e))
    return PathText(e.what());
  return e.what();
}

QHBoxLayout* OkCancelRow(QWidget* parent, QPushButton*& ok, QPushButton*& cancel) {
  ok = new QPushButton(QStringLiteral("&Ok"), parent);
  ok->setObjectName(QStringLiteral("buOk"));
  ok->setDefault(true);
  cancel = new QPushButton(QStringLiteral("&Cancel"), parent);
  cancel->setObjectName(QStringLiteral("buCancel"));
  auto* row = new QHBoxLayout();
  row->addStretch(1);
  row->addWidget(ok);
  row->addWidget(cancel);
  return row;
}

QStringList LinesToQ(const std::vector<std::string>& lines) {
  QStringList rows;
  rows.reserve(static_cast<qsizetype>(lines.size()));
  for (const std::string& line : lines) rows << ToQ(line);
  return rows;
}

QString MessageToQ(const std::string& s) {
  QString q = ToQ(s);
  q.replace(QLatin1String("\r\n"), QLatin1String("\n"));
  q.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  return q;
}

void SetHint(QWidget* widget, const char* hint) {
  widget->setToolTip(QString::fromLatin1(hint));
  widget->setStatusTip(QString::fromLatin1(hint));
}

QAction* MakeAction(QObject* owner, const char* name, const char* caption, const char* hint) {
  auto* action = new QAction(QString::fromLatin1(caption), owner);
  action->setObjectName(QString::fromLatin1(name));
  if (hint) {
    action->setStatusTip(QString::fromLatin1(hint));
    action->setToolTip(QString::fromLatin1(hint));
  }
  return action;
}

QLabel* MakeLabel(QWidget* parent, const char* caption, QWidget* buddy) {
  auto* label = new QLabel(QString::fromLatin1(caption), parent);
  label->setBuddy(buddy);
  return label;
}

QPlainTextEdit* MakeTextView(QWidget* parent, const char* name) {
  auto* view = new QPlainTextEdit(parent);
  view->setObjectName(QString::fromLatin1(name));
  view->setReadOnly(true);
  view->setLineWrapMode(QPlainTextEdit::NoWrap);
  view->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  return view;
}

QString FilterToQ(const std::string& filter) {
  const QStringList parts = ToQ(filter).split(QLatin1Char('|'));
  QStringList out;
  // Pairs of description and pattern; Qt reads the pattern from the
  // description, which already holds it in brackets.
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) out << parts[i];
  return out.join(QLatin1String(";;"));
}

namespace {
QMessageBox::Icon IconOf(TMsgDlgType type) {
  switch (type) {
    case TMsgDlgType::mtWarning: return QMessageBox::Warning;
    case TMsgDlgType::mtError: return QMessageBox::Critical;
    case TMsgDlgType::mtInformation: return QMessageBox::Information;
    case TMsgDlgType::mtConfirmation: return QMessageBox::Question;
    case TMsgDlgType::mtCustom: break;
  }
  return QMessageBox::NoIcon;
}

QString TitleOf(TMsgDlgType type) {
  switch (type) {
    case TMsgDlgType::mtWarning: return QStringLiteral("Warning");
    case TMsgDlgType::mtError: return QStringLiteral("Error");
    case TMsgDlgType::mtInformation: return QStringLiteral("Information");
    case TMsgDlgType::mtConfirmation: return QStringLiteral("Confirm");
    case TMsgDlgType::mtCustom: break;
  }
  return QApplication::applicationDisplayName();
}

// The window manager writes the caption into the title bar, as a rule in a
// bold face of the system's font, beside the window's icon and its
// minimise, maximise and close buttons, each about a title bar high.
int TitleBarWidth(const QWidget& window, const QString& caption) {
  QFont font = QApplication::font("QMdiSubWindowTitleBar");
  font.setBold(true);
  const QFontMetrics metrics(font);
  const int button =
      std::max(window.style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, &window), metrics.height() + 8);
  return metrics.horizontalAdvance(caption) + 4 * button + 2 * metrics.averageCharWidth();
}
}  // namespace

TModalResult TQtDialogs::MessageDlg(const std::string& text, TMsgDlgType type, TMsgDlgButtons buttons,
                                    TMsgDlgButtons defaultButton) {
  QMessageBox box(IconOf(type), TitleOf(type), MessageToQ(text), QMessageBox::NoButton, FParent);
  QMessageBox::StandardButtons qt;
  if (buttons & mbYes) qt |= QMessageBox::Yes;
  if (buttons & mbNo) qt |= QMessageBox::No;
  if (buttons & mbOK) qt |= QMessageBox::Ok;
  if (buttons & mbCancel) qt |= QMessageBox::Cancel;
  if (!qt) qt = QMessageBox::Ok;
  box.setStandardButtons(qt);
  if (defaultButton & mbYes) box.setDefaultButton(QMessageBox::Yes);
  if (defaultButton & mbNo) box.setDefaultButton(QMessageBox::No);
  if (defaultButton & mbOK) box.setDefaultButton(QMessageBox::Ok);
  if (defaultButton & mbCancel) box.setDefaultButton(QMessageBox::Cancel);
  // A short text would leave the box narrower than its caption, which the
  // title bar then cuts ("Orvy's ...terwell").
  if (auto* grid = qobject_cast<QGridLayout*>(box.layout()))
    grid->addItem(new QSpacerItem(TitleBarWidth(box, box.windowTitle()), 0, QSizePolicy::Minimum, QSizePolicy::Fixed),
                  grid->rowCount(), 0, 1, grid->columnCount());
  switch (box.exec()) {
    case QMessageBox::Yes: return TModalResult::mrYes;
    case QMessageBox::No: return TModalResult::mrNo;
    case QMessageBox::Ok: return TModalResult::mrOk;
    default: return buttons == mbOK ? TModalResult::mrOk : TModalResult::mrCancel;
  }
}

namespace {

// The edit field's width that shows the whole value.
int FieldWidth(const QLineEdit& edit, const QString& value) {
  const QFontMetrics metrics(edit.font());
  const QMargins text = edit.textMargins();
  const int frame = 2 * edit.style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, &edit);
  return metrics.horizontalAdvance(value) + 2 * metrics.averageCharWidth() + frame + text.left() + text.right();
}

}  // namespace

std::unique_ptr<QInputDialog> MakeInputBox(QWidget* parent, const std::string& caption, const std::string& prompt,
                                           const std::string& text) {
  auto box = std::make_unique<QInputDialog>(parent);
  box->setObjectName(QStringLiteral("InputBox"));
  box->setInputMode(QInputDialog::TextInput);
  box->setWindowTitle(ToQ(caption));
  box->setLabelText(MessageToQ(prompt));
  box->setTextValue(QString());  // makes the edit field
  QLineEdit* edit = box->findChild<QLineEdit*>();
  // The value is given back whole, however long: a cut one would be taken
  // for the user's answer.
  if (edit) edit->setMaxLength(std::numeric_limits<int>::max());
  box->setTextValue(ToQ(text));
  const int natural = box->sizeHint().width();  // lays the box out
  const QMargins around = box->layout() ? box->layout()->contentsMargins() : QMargins();
  const int margins = around.left() + around.right();
  int width = std::max(natural, TitleBarWidth(*box, box->windowTitle()));
  if (edit) width = std::max(width, FieldWidth(*edit, box->textValue()) + margins);
  // A long value (a deep folder, a whole line of a roster) scrolls in its
  // field rather than push the box off the screen.
  const QScreen* screen = parent ? parent->screen() : QGuiApplication::primaryScreen();
  if (screen) width = std::min(width, std::max(natural, screen->availableGeometry().width() * 9 / 10));
  // The box keeps to the size its layout asks for: the edit field carries
  // the width.
  if (edit) edit->setMinimumWidth(width - margins);
  box->adjustSize();
  return box;
}

std::optional<std::string> TQtDialogs::InputQuery(const std::string& caption, const std::string& prompt,
                                                  const std::string& text) {
  const std::unique_ptr<QInputDialog> box = MakeInputBox(FParent, caption, prompt, text);
  if (box->exec() != QDialog::Accepted) return std::nullopt;
  return FromQ(box->textValue());
}

namespace {
QString StartPath(const TFileDialogRequest& request) {
  if (request.FileName.empty()) return PathToQ(request.InitialDir);
  if (request.FileName.find('/') != std::string::npos) return PathToQ(request.FileName);
  return PathToQ(platform::JoinPath(request.InitialDir, request.FileName));
}
}  // namespace

std::optional<std::string> TQtDialogs::OpenFileName(const TFileDialogRequest& request) {
  const QString name = QFileDialog::getOpenFileName(FParent, ToQ(request.Title), StartPath(request),
                                                    FilterToQ(request.Filter));
  if (name.isEmpty()) return std::nullopt;
  return PathFromQ(name);
}

std::optional<std::string> TQtDialogs::SaveFileName(const TFileDialogRequest& request) {
  const QFileDialog::Options options =
      request.ConfirmOverwrite ? QFileDialog::Options() : QFileDialog::Options(QFileDialog::DontConfirmOverwrite);
  const QString name = QFileDialog::getSaveFileName(FParent, ToQ(request.Title), StartPath(request),
                                                    FilterToQ(request.Filter), nullptr, options);
  if (name.isEmpty()) return std::nullopt;
  return PathFromQ(name);
}

std::optional<std::string> TQtDialogs::SelectDirectory(const std::string& caption, const std::string& initialDir) {
  const QString name = QFileDialog::getExistingDirectory(FParent, ToQ(caption), PathToQ(initialDir));
  if (name.isEmpty()) return std::nullopt;
  return PathFromQ(name);
}

TModalResult ResultOfDialog(int code) {
  // QDialog::Rejected is 0, which is mrNone among our results: a window
  // closed without a result was cancelled.
  if (code <= int(TModalResult::mrNone) || code > int(TModalResult::mrNo)) return TModalResult::mrCancel;
  return TModalResult(code);
}

TModalResult TQtDialogs::ShowModal(QDialog& window) { return ResultOfDialog(window.exec()); }

std::optional<std::string> TQtDialogs::ClipboardText() {
  const QString text = QApplication::clipboard()->text();
  if (text.isEmpty()) return std::nullopt;
  return FromQ(text);
}

void TQtDialogs::SetClipboardText(const std::string& text) { QApplication::clipboard()->setText(ToQ(text)); }

void TQtDialogs::Halt(int exitCode) { std::exit(exitCode); }

}  // namespace windows
