#include "windows/BotProfiles.h"

#include <algorithm>

#include <QScreen>

#include "platform/AsciiText.h"
#include "windows/PfBotStatSummary.h"

namespace windows {

TBotProfiles::TBotProfiles(QWidget* owner, roster::TRosterDocument& roster, const roster::TStringList& weapons,
                           const roster::TStringList& species)
    : FOwner(owner), FRoster(roster), FWeapons(weapons), FSpecies(species) {
  FRoster.AddObserver(*this);
}

TBotProfiles::~TBotProfiles() { FRoster.RemoveObserver(*this); }

TFmBotStatSummary* TBotProfiles::Find(const roster::TBotCharacter& bot) const {
  for (const auto& window : FWindows)
    if (window->Bot() == &bot) return window.get();
  return nullptr;
}

void TBotProfiles::PlaceBeside(TFmBotStatSummary& window, const TFmBotStatSummary& last) {
  // Beside the last one, else at the start of the next row below it; where
  // neither fits on the screen, the platform's own place (over the main
  // window) keeps it in sight.
  const QRect screen = last.screen()->availableGeometry();
  const QRect before = last.frameGeometry();
  const QSize size = window.frameGeometry().size();
  for (const QPoint at : {before.topRight() + QPoint(1, 0), QPoint(screen.left(), before.bottom() + 1)}) {
    if (screen.contains(QRect(at, size))) {
      window.move(at);
      return;
    }
  }
}

TFmBotStatSummary& TBotProfiles::Show(const roster::TBotCharacter& bot) {
  TFmBotStatSummary* window = Find(bot);
  if (!window) {
    // A new profile stands beside the last one rather than on top of it,
    // so that two bots can be compared.
    const TFmBotStatSummary* last = FWindows.empty() ? nullptr : FWindows.back().get();
    window = FWindows.emplace_back(std::make_unique<TFmBotStatSummary>(FOwner)).get();
    window->SetWeaponNames(FWeapons);
    window->SetSpeciesNames(FSpecies);
    window->SetBot(bot);
    if (last && last->isVisible()) PlaceBeside(*window, *last);
  }
  window->show();
  window->raise();
  return *window;
}

void TBotProfiles::BotChanged(const roster::TBotCharacter& bot) {
  if (TFmBotStatSummary* window = Find(bot)) window->UpdateRatings();
}

void TBotProfiles::ListsChanged() {
  for (const auto& window : FWindows) window->UpdateRatings();
}

void TBotProfiles::BotDeleted(const roster::TBotCharacter& bot) {
  std::erase_if(FWindows, [&bot](const auto& window) { return window->Bot() == &bot; });
}

void TBotProfiles::RosterReplaced() { FWindows.clear(); }

TFmStatViewlist::TProfileList TBotProfiles::List() const {
  TFmStatViewlist::TProfileList list;
  for (const auto& window : FWindows) list.emplace_back(window->Bot()->GetDefaultName(), window.get());
  std::stable_sort(list.begin(), list.end(),
                   [](const auto& a, const auto& b) { return platform::CompareText(a.first, b.first) < 0; });
  return list;
}

}  // namespace windows
