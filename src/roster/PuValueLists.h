#pragma once

// The value lists: the pick lists of a bot's references, each line a
// reference, "=" and its display name, and the list of biography
// references. The main window keeps one set, each list with its own rules;
// the configuration window and the custom content check work on copies
// that keep every line in the order it came, and hand them back whole.
// The value-list file holds one section per list, the biography
// references aside: they are read from the .int files at every start.

#include <string>

#include "platform/IniFile.h"
#include "roster/PuUtStringlist.h"
#include "roster/StringList.h"

namespace roster {

class TValueLists {
 public:
  // How the lists keep their lines: each by its own rules (sorted ones
  // ignore a line they hold already), or all in the order added, every
  // line accepted, as the setup windows' copies do.
  enum class TRules { Own, AsAdded };
  // Whether the biography references go along with the lists the setup
  // windows edit.
  enum class TTexts { Left, Included };

  explicit TValueLists(TRules rules = TRules::Own);

  TUtStringlist Sex, Menu, Weapons, Meshes, Skins, Faces, Portraits, Voice, Species, RagDoll, Skeleton;
  // Bare text references, no display names; never stored.
  TStringList Texts;

  // Every list emptied, the biography references too.
  void Clear();
  // Adds each stored section to its list: Menu takes each line's key,
  // Species each key whose species' .int file is cached, the others each
  // whole line; what the lists hold already stays.
  void Load(const platform::TIniFile& ini);
  // Makes each list's section hold its lines, in the order the lists are
  // declared; a list without lines leaves no section. Other sections keep
  // their lines.
  void Save(platform::TIniFile& ini) const;

  // The lists the configuration window and the custom content check edit,
  // and the biography references when `texts` says so: every line of
  // `source`'s added to these (Append), or these made of them (Assign),
  // each line through the list's own rules.
  void AppendEdited(const TValueLists& source, TTexts texts);
  void AssignEdited(const TValueLists& source, TTexts texts);
};

}  // namespace roster
