#include "roster/PuBotTemplates.h"

#include <stdexcept>

#include "platform/AsciiText.h"
#include "roster/LineParts.h"
#include "roster/RosterErrors.h"

namespace roster {

const char* const TemplatesSection = "TEMPLATES";

namespace {

// The blanks after "Aggressiveness=+1.0," and "+0.6," are the shipped
// text; the reader trims them away.
const char* const DefaultTemplates[][2] = {
    {"DEF1",
     "Player=(DefaultName=\"Berserker\",Accuracy=-0.4,Aggressiveness=+1.0, StrafingAbility=+2.0,CombatStyle=+1.0,"
     "Tactics=-0.8,ReactionTime=-0.2,FavoriteWeapon=XWeapons.FlakCannon)"},
    {"DEF2",
     "Player=(DefaultName=\"Bunnyhopper\",Accuracy=-1.3,bJumpy=1,Aggressiveness=+0.6, StrafingAbility=+3.3,"
     "CombatStyle=+0.8,Tactics=-2.8,ReactionTime=-0.4)"},
    {"DEF3",
     "Player=(DefaultName=\"Sniper\",Accuracy=+5.0,StrafingAbility=+0.8,CombatStyle=-1.0,Tactics=+1.5,"
     "ReactionTime=-0.2,FavoriteWeapon=XWeapons.SniperRifle)"},
};

// A template line that cannot be read keeps what came before the bad
// number: one broken line in the file must not cost the user the others.
void ReadTemplate(TBotCharacter& bot, const std::string& line, TInputQuery* ask) {
  try {
    bot.SetPlayerLine(line, ask);
  } catch (const EConvertError&) {
  }
}

}  // namespace

void EnsureDefaultTemplates(platform::TIniFile& ini) {
  if (ini.SectionExists(TemplatesSection)) return;
  for (const auto& [key, line] : DefaultTemplates) ini.WriteString(TemplatesSection, key, line);
}

std::vector<TBotTemplate> ReadTemplates(const platform::TIniFile& ini, TInputQuery* ask) {
  std::vector<TBotTemplate> templates;
  for (const std::string& line : ini.ReadSectionLines(TemplatesSection)) {
    const std::optional<std::string_view> value = LineValue(line);
    if (!value) continue;  // a hand-edited line without "=" holds no template
    TBotTemplate& t = templates.emplace_back();
    t.Key = platform::IniLineKey(line);
    ReadTemplate(t.Template, std::string(*value), ask);
  }
  return templates;
}

std::optional<std::string> TemplateNameError(const std::string& name) {
  const std::string key = platform::Trim(name);
  if (key.empty()) return "A template needs a name.";
  if (key.find('=') != std::string::npos || key.front() == ';' || key.front() == '[')
    return "A template name cannot hold \"=\" or begin with \";\" or \"[\".";
  if (platform::HasControlCharacter(name)) return "A template name cannot hold control characters.";
  return std::nullopt;
}

void StoreTemplate(platform::TIniFile& ini, const std::string& name, const std::string& playerLine) {
  if (const std::optional<std::string> error = TemplateNameError(name)) throw std::invalid_argument(*error);
  ini.WriteString(TemplatesSection, platform::Trim(name), playerLine);
}

}  // namespace roster
