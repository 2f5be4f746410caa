#pragma once

// The open profiles by bot name; a double click shows that profile.

#include <string>
#include <utility>
#include <vector>

#include <QDialog>
#include <QPointer>

class QListWidget;

namespace windows {

class TFmBotStatSummary;

class TFmStatViewlist : public QDialog {
  Q_OBJECT

 public:
  using TProfileList = std::vector<std::pair<std::string, TFmBotStatSummary*>>;

  explicit TFmStatViewlist(QWidget* parent = nullptr);

  // One row per profile, in the list's order.
  void SetList(const TProfileList& list);
  // The selected row's profile, refreshed and shown; nothing without a
  // selected row.
  void lbStatviewListDblClick();

  QListWidget* lbStatviewList = nullptr;

 private:
  // A profile closed meanwhile (its bot deleted) leaves an empty pointer.
  std::vector<QPointer<TFmBotStatSummary>> FWindows;
};

}  // namespace windows
