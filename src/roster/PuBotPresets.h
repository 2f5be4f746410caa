#pragma once

// Quick settings for a bot's skills: the fixed presets (maximum, reset,
// minimum), the random preset, the default character and the skills of a
// template. Each writes Accuracy, Aggressiveness, CombatStyle, Tactics,
// FavoriteWeapon, bJumpy, StrafingAbility and ReactionTime, in that order,
// through the record's setters.

#include <memory>

#include "roster/PuBotCharacter.h"
#include "roster/StringList.h"

namespace roster {

// Where the random preset draws from. Random(n) is a whole number from 0 to
// n - 1, each equally likely; tests hand in a fixed sequence.
class TRandomSource {
 public:
  virtual ~TRandomSource() = default;
  virtual int Random(int n) = 0;
};

// The editor's own source, seeded from the clock when it is made.
std::unique_ptr<TRandomSource> MakeClockRandomSource();

// One of -5.00, -4.99, ..., 5.00: (Random(1001) - 500) / 100.
double RandomSkillValue(TRandomSource& random);
// One of 0.00, 0.01, ..., 1.00: Random(101) / 100.
double RandomUnitValue(TRandomSource& random);

// Accuracy 0, Aggressiveness 0.3, CombatStyle 0.2, everything else 0, no
// favourite weapon, not jumpy.
void ResetCharacterSkills(TBotCharacter& bot);
// The highest skills: 5, Aggressiveness and CombatStyle 1.
void MaximizeCharacterSkills(TBotCharacter& bot);
// The lowest skills: -5, Aggressiveness 0, and CombatStyle 0 rather than its
// limit of -1 (a bot that only camps is no opponent).
void MinimizeCharacterSkills(TBotCharacter& bot);
// Random skills, drawn in the order they are written. The weapon chance
// (21 in 100) picks a line of `weapons`; with no weapons to pick from the
// favourite weapon is left empty and the draws go on as usual.
void RandomizeCharacterSkills(TBotCharacter& bot, TRandomSource& random, const TStringList& weapons);
// The whole bot back to the new record's line ("NewBot"), then the reset
// skills.
void DefaultCharacter(TBotCharacter& bot);
// The skills of a template: Accuracy, Aggressiveness, CombatStyle, Tactics,
// bJumpy, StrafingAbility and ReactionTime. Its weapon and looks stay out.
void ApplyTemplateSkills(TBotCharacter& bot, const TBotCharacter& botTemplate);

}  // namespace roster
