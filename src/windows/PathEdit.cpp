#include "windows/PathEdit.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QToolButton>

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
