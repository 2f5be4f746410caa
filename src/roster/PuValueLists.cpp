#include "roster/PuValueLists.h"

#include <array>
#include <utility>
#include <vector>

#include "roster/LineParts.h"
#include "roster/PuSpecies.h"

namespace roster {

namespace {

// How a section of the value-list file is read into its list.
enum class TSectionReading {
  WholeLines,   // each line through the list's Add
  Keys,         // each key (the text before "=") through the list's Add
  SpeciesKeys,  // each key through AddSpeciesName: only species whose .int file is cached stay
};

// One value list: its section, written with this name and found without
// regard to case; its rules; how it is read; whether the setup windows
// edit it.
struct TValueListRow {
  const char* Section;
  TUtStringlist TValueLists::*List;
  bool Sorted;  // sorted, a line held already ignored; else in the order added
  TSectionReading Reading;
  bool Edited;
};

using L = TValueLists;
using R = TSectionReading;

// The value lists in the order their sections are written. The ragdoll
// section has always been written "FRagdoll"; files of other spellings are
// read all the same.
const std::array<TValueListRow, 11> Rows = {{
    {"FSex", &L::Sex, false, R::WholeLines, false},
    {"FMenu", &L::Menu, false, R::Keys, false},
    {"FWeapons", &L::Weapons, false, R::WholeLines, false},
    {"FMeshes", &L::Meshes, true, R::WholeLines, true},
    {"FSkins", &L::Skins, true, R::WholeLines, true},
    {"FFaces", &L::Faces, true, R::WholeLines, true},
    {"FPortraits", &L::Portraits, true, R::WholeLines, true},
    {"FVoice", &L::Voice, false, R::WholeLines, true},
    {"FSpecies", &L::Species, false, R::SpeciesKeys, true},
    {"FRagdoll", &L::RagDoll, true, R::WholeLines, true},
    {"FSkeleton", &L::Skeleton, true, R::WholeLines, true},
}};

// A line without "=" is its own key and value.
void WriteListSection(platform::TIniFile& ini, const std::string& section, const TStringList& list) {
  std::vector<std::pair<std::string, std::string>> entries;
  entries.reserve(static_cast<std::size_t>(list.Count()));
  for (const std::string& line : list.Lines())
    entries.emplace_back(LineName(line).value_or(line), LineValue(line).value_or(line));
  // The lines of a hand-edited file that the lists leave as they were stay
  // where they stand, with the comments around them.
  ini.WriteSection(section, entries);
}

}  // namespace

TValueLists::TValueLists(TRules rules) {
  if (rules == TRules::AsAdded) return;
  for (const TValueListRow& row : Rows)
    if (row.Sorted) this->*row.List = TUtStringlist(true, TDuplicates::dupIgnore);
  Texts = TStringList(true, TDuplicates::dupIgnore);
}

void TValueLists::Clear() {
  for (const TValueListRow& row : Rows) (this->*row.List).Clear();
  Texts.Clear();
}

void TValueLists::Load(const platform::TIniFile& ini) {
  for (const TValueListRow& row : Rows) {
    TUtStringlist& list = this->*row.List;
    switch (row.Reading) {
      case TSectionReading::WholeLines:
        for (const std::string& line : ini.ReadSectionLines(row.Section)) list.Add(line);
        break;
      case TSectionReading::Keys:
        for (const std::string& key : ini.ReadSectionKeys(row.Section)) list.Add(key);
        break;
      case TSectionReading::SpeciesKeys:
        for (const std::string& key : ini.ReadSectionKeys(row.Section)) AddSpeciesName(key, list);
        break;
    }
  }
}

void TValueLists::Save(platform::TIniFile& ini) const {
  for (const TValueListRow& row : Rows) WriteListSection(ini, row.Section, this->*row.List);
}

void TValueLists::AppendEdited(const TValueLists& source, TTexts texts) {
  const auto append = [](TStringList& target, const TStringList& from) {
    for (const std::string& line : from.Lines()) target.Add(line);
  };
  for (const TValueListRow& row : Rows)
    if (row.Edited) append(this->*row.List, source.*row.List);
  if (texts == TTexts::Included) append(Texts, source.Texts);
}

void TValueLists::AssignEdited(const TValueLists& source, TTexts texts) {
  for (const TValueListRow& row : Rows)
    if (row.Edited) (this->*row.List).AssignLines((source.*row.List).Lines());
  if (texts == TTexts::Included) Texts.AssignLines(source.Texts.Lines());
}

}  // namespace roster
