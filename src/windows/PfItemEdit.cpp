#include "windows/PfItemEdit.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "windows/QtDialogs.h"

namespace windows {

TFmItemEdit::TFmItemEdit(TDialogs& dialogs, QWidget* owner) : QDialog(owner), FDialogs(dialogs) {
  setObjectName(QStringLiteral("FmItemEdit"));
  auto* grid = new QGridLayout(this);
  edItemname = new QLineEdit(this);
  edItemname->setObjectName(QStringLiteral("edItemname"));
  laItemname = new QLabel(QStringLiteral("&Itemname"), this);
  laItemname->setBuddy(edItemname);
  edTranslation = new QLineEdit(this);
  edTranslation->setObjectName(QStringLiteral("edTranslation"));
  laTranslation = new QLabel(QStringLiteral("&Translation"), this);
  laTranslation->setBuddy(edTranslation);
  // References are long ("PlayerSkins.JuggMaleABodyA"): room for them.
  const int width = edItemname->fontMetrics().horizontalAdvance(QLatin1Char('x')) * 40;
  edItemname->setMinimumWidth(width);
  edTranslation->setMinimumWidth(width);
  grid->addWidget(laItemname, 0, 0);
  grid->addWidget(edItemname, 0, 1);
  grid->addWidget(laTranslation, 1, 0);
  grid->addWidget(edTranslation, 1, 1);

  QHBoxLayout* buttons = OkCancelRow(this, buOk, buCancel);
  grid->addLayout(buttons, 2, 0, 1, 2);
  connect(buOk, &QPushButton::clicked, this, &TFmItemEdit::buOkClick);
  connect(buCancel, &QPushButton::clicked, this, &QDialog::reject);

  layout()->setSizeConstraint(QLayout::SetFixedSize);
}

std::string TFmItemEdit::GetItemName() const { return FromQ(edItemname->text()); }

void TFmItemEdit::SetItemName(const std::string& name) { edItemname->setText(ToQ(name)); }

std::string TFmItemEdit::GetTranslation() const { return FromQ(edTranslation->text()); }

void TFmItemEdit::SetTranslation(const std::string& translation) { edTranslation->setText(ToQ(translation)); }

void TFmItemEdit::SetItemNameEditable(bool editable) {
  edItemname->setReadOnly(!editable);
  edItemname->setFocusPolicy(editable ? Qt::StrongFocus : Qt::ClickFocus);
  QPalette palette = edItemname->palette();
  palette.setColor(QPalette::Base, editable ? this->palette().color(QPalette::Base)
                                            : this->palette().color(QPalette::Button));
  edItemname->setPalette(palette);
}

void TFmItemEdit::buOkClick() {
  if (Check) {
    const std::string refusal = Check(GetItemName(), GetTranslation());
    if (!refusal.empty()) {
      FDialogs.MessageDlg(refusal, TMsgDlgType::mtError, mbOK);
      return;
    }
  }
  accept();
}

}  // namespace windows
