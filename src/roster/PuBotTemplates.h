#pragma once

// Named bot templates, kept in the section "TEMPLATES" of the value-list
// file: one line per template, a key, "=" and a PlayerLine. The key only
// names the line; a template is offered under the name its line holds.

#include <optional>
#include <string>
#include <vector>

#include "platform/IniFile.h"
#include "roster/PuBotCharacter.h"
#include "roster/PuUtTypes.h"

namespace roster {

extern const char* const TemplatesSection;  // "TEMPLATES"

struct TBotTemplate {
  std::string Key;
  TBotCharacter Template;
};

// Writes DEF1, DEF2 and DEF3 (Berserker, Bunnyhopper, Sniper) when the file
// has no "TEMPLATES" section yet. Only the file's copy in memory changes.
void EnsureDefaultTemplates(platform::TIniFile& ini);

// The templates in file order. A number that cannot be read is offered to
// `ask`; a line that still cannot be read to its end gives a template with
// what was read up to there.
std::vector<TBotTemplate> ReadTemplates(const platform::TIniFile& ini, TInputQuery* ask = nullptr);

// Why `name` cannot name a template, or nothing when it can. A key must
// read back as the same key: not blank, no "=", no leading ";" or "[" (a
// comment or a section header), no control characters.
std::optional<std::string> TemplateNameError(const std::string& name);

// Stores `playerLine` under `name` (trimmed); a stored key that differs only
// in letter case is replaced. Raises std::invalid_argument with the text of
// TemplateNameError for a name that cannot be stored.
void StoreTemplate(platform::TIniFile& ini, const std::string& name, const std::string& playerLine);

}  // namespace roster
