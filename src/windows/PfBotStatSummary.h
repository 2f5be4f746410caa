#pragma once

// A bot's profile as the game shows it: salary, species, favourite weapon
// and four ratings. Modeless; closing it only hides it. The window reads
// its bot and the weapon and species lists it is given, and owns none of
// them: whoever keeps the window keeps them alive while it does.

#include <QDialog>

#include "roster/PuBotCharacter.h"
#include "roster/StringList.h"

class QTreeWidget;

namespace windows {

class TFmBotStatSummary : public QDialog {
  Q_OBJECT

 public:
  explicit TFmBotStatSummary(QWidget* parent = nullptr);

  void SetWeaponNames(const roster::TStringList& weapons) { FWeaponNames = &weapons; }
  void SetSpeciesNames(const roster::TStringList& species) { FSpeciesNames = &species; }
  // Both lists must be set first.
  void SetBot(const roster::TBotCharacter& bot);
  const roster::TBotCharacter* Bot() const { return FBot; }

  // Caption and rows from the bot as it is now.
  void UpdateRatings();

  QTreeWidget* lvBotRating = nullptr;

 private:
  void FitToRows();

  const roster::TBotCharacter* FBot = nullptr;
  const roster::TStringList* FWeaponNames = nullptr;
  const roster::TStringList* FSpeciesNames = nullptr;
};

}  // namespace windows
