#include "windows/PathEdit.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QMimeData>
#include <QToolButton>
#include <QUrl>

#include "windows/QtDialogs.h"

namespace windows {

TPathEdit::TPathEdit(TDialogs& dialogs, TKind kind, QWidget* parent)
    : QWidget(parent), FDialogs(dialogs), FKind(kind), FEdit(new QLineEdit(this)), FButton(new QToolButton(this)) {
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(2);
  layout->addWidget(FEdit, 1);
  layout->addWidget(FButton);
  FButton->setText(QStringLiteral("..."));
  FButton->setToolTip(kind == TKind::File ? QStringLiteral("Browse for a file") : QStringLiteral("Browse for a folder"));
  connect(FButton, &QToolButton::clicked, this, &TPathEdit::Browse);
  connect(FEdit, &QLineEdit::textChanged, this, &TPathEdit::Changed);
  FEdit->installEventFilter(this);
}

namespace {
// The first local file a drag carries; empty when it carries none.
QString DroppedFile(const QMimeData* data) {
  if (!data || !data->hasUrls()) return {};
  for (const QUrl& url : data->urls())
    if (url.isLocalFile()) return url.toLocalFile();
  return {};
}
}  // namespace

bool TPathEdit::eventFilter(QObject* watched, QEvent* event) {
  if (watched != FEdit || !FAcceptFileDrops) return QWidget::eventFilter(watched, event);
  switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
      auto* drag = static_cast<QDragMoveEvent*>(event);
      if (DroppedFile(drag->mimeData()).isEmpty()) return false;
      drag->acceptProposedAction();
      return true;
    }
    case QEvent::Drop: {
      auto* drop = static_cast<QDropEvent*>(event);
      const QString file = DroppedFile(drop->mimeData());
      if (file.isEmpty()) return false;
      FEdit->setText(file);
      drop->acceptProposedAction();
      return true;
    }
    default: return QWidget::eventFilter(watched, event);
  }
}

std::string TPathEdit::Text() const { return PathFromQ(FEdit->text()); }

void TPathEdit::SetText(const std::string& path) { FEdit->setText(PathToQ(path)); }

void TPathEdit::SetReadOnly(bool readOnly) { FEdit->setReadOnly(readOnly); }

void TPathEdit::Browse() {
  std::string name = Text();
  bool action = true;
  if (OnBeforeDialog) OnBeforeDialog(name, action);
  if (!action) return;

  std::optional<std::string> chosen;
  if (FKind == TKind::File)
    chosen = FDialogs.OpenFileName({FDialogTitle, FInitialDir, name, FFilter});
  else
    chosen = FDialogs.SelectDirectory(FDialogTitle, name.empty() ? FInitialDir : name);

  action = chosen.has_value();
  if (chosen) name = *chosen;
  if (OnAfterDialog) OnAfterDialog(name, action);
  if (action) SetText(name);
}

}  // namespace windows
