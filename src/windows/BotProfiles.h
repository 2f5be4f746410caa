#pragma once

// The main window's profile windows, one per bot record: two bots of the
// same name have two windows, and a window follows its bot through renames
// and pastes. A window lives until its bot leaves the roster (or the main
// window goes); closing it by the user only hides it.

#include <memory>
#include <string>
#include <vector>

#include "roster/PuBotCharacter.h"
#include "roster/StringList.h"
#include "windows/PfStatViewlist.h"

class QWidget;

namespace windows {

class TFmBotStatSummary;

class TBotProfiles {
 public:
  // The windows float over `owner` and read the two lists, which must
  // outlive this object.
  TBotProfiles(QWidget* owner, const roster::TStringList& weapons, const roster::TStringList& species);
  ~TBotProfiles();
  TBotProfiles(const TBotProfiles&) = delete;
  TBotProfiles& operator=(const TBotProfiles&) = delete;

  // The bot's window, made on the first request (not refreshed when it is
  // there already), shown and brought to the front.
  TFmBotStatSummary& Show(const roster::TBotCharacter& bot);
  TFmBotStatSummary* Find(const roster::TBotCharacter& bot) const;
  int Count() const { return static_cast<int>(FWindows.size()); }

  // The bot changed: its window shows the new values.
  void Refresh(const roster::TBotCharacter& bot);
  void RefreshAll();
  // The bot is leaving the roster: its window closes and is freed.
  void Close(const roster::TBotCharacter& bot);
  void CloseAll();

  // Bot names and windows, sorted by name without regard to case.
  TFmStatViewlist::TProfileList List() const;

 private:
  QWidget* FOwner;
  const roster::TStringList& FWeapons;
  const roster::TStringList& FSpecies;
  std::vector<std::unique_ptr<TFmBotStatSummary>> FWindows;
};

}  // namespace windows
