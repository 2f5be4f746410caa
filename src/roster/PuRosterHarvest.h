#pragma once

// Harvesting the references that the rosters of a folder use, for the
// configuration window's wizard and the custom content check. Rosters are
// read as Open reads them, but the user never hears of a roster they did
// not open: a Player line with a number that cannot be read is skipped and
// counted, a file that cannot be read is counted, and the rest goes on.

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "roster/PuBotCharacter.h"
#include "roster/PuUtStringlist.h"
#include "roster/StringList.h"

namespace roster {

// What one scan of a folder read.
struct TRosterScan {
  std::vector<std::string> Files;  // names of the rosters found, in listing order
  int SkippedLines = 0;            // Player lines skipped for a value that cannot be read
  int UnreadableFiles = 0;         // rosters that could not be read at all
};

// Hands every bot of every "*.upl" roster in `dir` to `onBot`, rosters in
// the listing's order (case ignored), bots in file order.
TRosterScan ScanRosters(const std::string& dir, const std::function<void(const TBotCharacter&)>& onBot);

// What the scan left out, in a sentence or two for the window that shows
// it; empty when it left out nothing.
std::string SkippedReport(const TRosterScan& scan);

// Appends the trimmed bare reference unless it is empty or the list holds
// it already (case ignored). True when appended.
bool AddUniqueReference(TStringList& list, std::string_view value);

// The keys of a list's lines, upper-cased: each line's name (the text
// before its first "=") or the whole line. A harvest looks every
// reference of every roster up in lists that grow to tens of thousands of
// lines; searching the list each time made it take seconds.
class TListIndex {
 public:
  enum TKey { kName, kLine };
  TListIndex(TStringList& list, TKey key);
  bool Holds(std::string_view key) const;
  // Appends `line` to the list, known from now on by `key`.
  void Add(std::string_view key, const std::string& line);
  // Only knows `key` from now on (for a line someone else added).
  void Know(std::string_view key);
  TStringList& List() const { return FList; }

 private:
  TStringList& FList;
  std::unordered_set<std::string> FKeys;
};

// The configuration window's lists that a harvest fills. Species are not
// harvested: a species needs its display name from the .int files.
struct THarvestLists {
  TStringList& Skins;
  TStringList& Faces;
  TStringList& Meshes;
  TStringList& Voices;
  TStringList& RagDolls;
  TStringList& Portraits;
  TStringList& Skeletons;
  TStringList& Biographies;  // bare references
};

// The custom content check's lists.
struct TContentLists {
  TUtStringlist& Species;
  TUtStringlist& Meshes;
  TUtStringlist& Faces;
  TUtStringlist& Skins;
  TUtStringlist& Voices;
  TUtStringlist& Portraits;
  TStringList& Biographies;  // bare references
  TUtStringlist& RagDolls;
  TUtStringlist& Skeletons;
};

// Fills lists from the bots of one harvest. The lists must not be changed
// by anyone else while it lives.
class THarvester {
 public:
  // Each reference goes in as its own display name ("v=v").
  explicit THarvester(const THarvestLists& lists);
  // Each reference goes in with the display name the value lists give it
  // (the part after the first "."; a species' name from its .int file,
  // and only when that file is cached).
  explicit THarvester(const TContentLists& lists);

  // Adds the bot's references, each trimmed, that no line of their list
  // names yet (case ignored), and its biography reference unless the list
  // holds it. A value that cannot be a list line's reference (it holds "=",
  // a double quote or control characters) is left out.
  void Add(const TBotCharacter& bot);

 private:
  THarvester(TStringList* species, TStringList& meshes, TStringList& faces, TStringList& skins, TStringList& voices,
             TStringList& portraits, TStringList& ragdolls, TStringList& skeletons, TStringList& biographies,
             bool displayNames);
  void AddReference(TListIndex& index, std::string_view value) const;

  std::optional<TListIndex> FSpecies;
  TListIndex FMeshes, FFaces, FSkins, FVoices, FPortraits, FRagdolls, FSkeletons, FBiographies;
  bool FDisplayNames;
};

}  // namespace roster
