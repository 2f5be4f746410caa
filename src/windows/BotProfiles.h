#pragma once

// The main window's profile windows, one per bot record: two bots of the
// same name have two windows, and a window follows its bot through renames
// and pastes. A window lives until its bot leaves the roster (or the main
// window goes); closing it by the user only hides it. The profiles hear of
// every change of the roster they were made for.

#include <memory>
#include <string>
#include <vector>

#include "roster/PuBotCharacter.h"
#include "roster/PuRosterDocument.h"
#include "roster/StringList.h"
#include "windows/PfStatViewlist.h"

class QWidget;

namespace windows {

class TFmBotStatSummary;

class TBotProfiles : private roster::TRosterObserver {
 public:
  // The windows float over `owner` and show bots of `roster` with the two
  // lists; the roster and the lists must outlive this object.
  TBotProfiles(QWidget* owner, roster::TRosterDocument& roster, const roster::TStringList& weapons,
               const roster::TStringList& species);
  ~TBotProfiles();
  TBotProfiles(const TBotProfiles&) = delete;
  TBotProfiles& operator=(const TBotProfiles&) = delete;

  // The bot's window, made on the first request (not refreshed when it is
  // there already), shown and brought to the front.
  TFmBotStatSummary& Show(const roster::TBotCharacter& bot);
  TFmBotStatSummary* Find(const roster::TBotCharacter& bot) const;
  int Count() const { return static_cast<int>(FWindows.size()); }
  // The weapon or species list was replaced: every window shows the
  // display names it holds now.
  void ListsChanged();

  // Bot names and windows, sorted by name without regard to case.
  TFmStatViewlist::TProfileList List() const;

 private:
  // A changed bot's window shows the new values; a deleted bot's window,
  // or every window when the roster is replaced, is closed and freed.
  void BotChanged(const roster::TBotCharacter& bot) override;
  void BotDeleted(const roster::TBotCharacter& bot) override;
  void RosterReplaced() override;
  // A new window next to the last one made, on the screen.
  static void PlaceBeside(TFmBotStatSummary& window, const TFmBotStatSummary& last);

  QWidget* FOwner;
  roster::TRosterDocument& FRoster;
  const roster::TStringList& FWeapons;
  const roster::TStringList& FSpecies;
  std::vector<std::unique_ptr<TFmBotStatSummary>> FWindows;
};

}  // namespace windows
