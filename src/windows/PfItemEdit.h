#pragma once

// The small dialog in which the configuration window asks for one value-list
// item: its reference and its display name (translation).

#include <functional>
#include <string>

#include <QDialog>

#include "windows/Dialogs.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace windows {

class TFmItemEdit : public QDialog {
  Q_OBJECT

 public:
  explicit TFmItemEdit(TDialogs& dialogs, QWidget* owner = nullptr);

  std::string GetItemName() const;
  void SetItemName(const std::string& name);
  std::string GetTranslation() const;
  void SetTranslation(const std::string& translation);
  // False: the name is shown read-only, in the button face's colour, and
  // Tab passes it by.
  void SetItemNameEditable(bool editable);

  // Judges the fields when OK is pressed: a message refuses them (it is
  // shown and the dialog stays open), an empty text accepts them.
  std::function<std::string(const std::string& name, const std::string& translation)> Check;

  QLabel* laItemname = nullptr;
  QLineEdit* edItemname = nullptr;
  QLabel* laTranslation = nullptr;
  QLineEdit* edTranslation = nullptr;
  QPushButton* buOk = nullptr;
  QPushButton* buCancel = nullptr;

 private:
  void buOkClick();

  TDialogs& FDialogs;
};

}  // namespace windows
