#include "roster/PuBotPresets.h"

#include <chrono>
#include <random>
#include <string>

namespace roster {

namespace {

class TClockRandomSource : public TRandomSource {
 public:
  TClockRandomSource()
      : FEngine(static_cast<std::mt19937::result_type>(
            std::chrono::system_clock::now().time_since_epoch().count())) {}
  int Random(int n) override { return std::uniform_int_distribution<int>(0, n - 1)(FEngine); }

 private:
  std::mt19937 FEngine;
};

struct TSkillSet {
  double Accuracy, Aggressiveness, CombatStyle, Tactics;
  bool Jumpy;
  double StrafingAbility, ReactionTime;
};

// The fixed presets have no favourite weapon.
void WriteSkills(TBotCharacter& bot, const TSkillSet& s, const std::string& weapon = std::string()) {
  bot.SetAccuracy(s.Accuracy);
  bot.SetAggressiveness(s.Aggressiveness);
  bot.SetCombatStyle(s.CombatStyle);
  bot.SetTactics(s.Tactics);
  bot.SetFavoriteWeapon(weapon);
  bot.SetJumpy(s.Jumpy);
  bot.SetStrafingAbility(s.StrafingAbility);
  bot.SetReactionTime(s.ReactionTime);
}

}  // namespace

std::unique_ptr<TRandomSource> MakeClockRandomSource() { return std::make_unique<TClockRandomSource>(); }

double RandomSkillValue(TRandomSource& random) { return (random.Random(1001) - 500) / 100.0; }

double RandomUnitValue(TRandomSource& random) { return random.Random(101) / 100.0; }

void ResetCharacterSkills(TBotCharacter& bot) { WriteSkills(bot, {0, 0.3, 0.2, 0, false, 0, 0}); }

void MaximizeCharacterSkills(TBotCharacter& bot) { WriteSkills(bot, {5, 1, 1, 5, false, 5, 5}); }

void MinimizeCharacterSkills(TBotCharacter& bot) { WriteSkills(bot, {-5, 0, 0, -5, false, -5, -5}); }

void RandomizeCharacterSkills(TBotCharacter& bot, TRandomSource& random, const TStringList& weapons) {
  TSkillSet s{};
  s.Accuracy = RandomSkillValue(random);
  s.Aggressiveness = RandomUnitValue(random);
  s.CombatStyle = RandomUnitValue(random);
  s.Tactics = RandomSkillValue(random);
  std::string weapon;
  if (random.Random(100) <= 20 && weapons.Count() > 0) {
    const int line = random.Random(weapons.Count());
    const std::string& text = weapons[line];
    weapon = text.substr(0, text.find('='));
  }
  s.Jumpy = random.Random(10) < 4;
  s.StrafingAbility = RandomSkillValue(random);
  s.ReactionTime = RandomSkillValue(random);
  WriteSkills(bot, s, weapon);
}

void DefaultCharacter(TBotCharacter& bot) {
  bot.SetDefaultPlayerLine();
  ResetCharacterSkills(bot);
}

void ApplyTemplateSkills(TBotCharacter& bot, const TBotCharacter& t) {
  // The bot keeps its own weapon.
  WriteSkills(bot,
              {t.GetAccuracy(), t.GetAggressiveness(), t.GetCombatStyle(), t.GetTactics(), t.GetJumpy(),
               t.GetStrafingAbility(), t.GetReactionTime()},
              std::string(bot.GetFavoriteWeapon()));
}

}  // namespace roster
