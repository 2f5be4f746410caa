#pragma once

// Harvesting the references that the rosters of a folder use, for the
// configuration window's wizard and the custom content check. Rosters are
// read as Open reads them, but the user never hears of a roster they did
// not open: a Player line with a number that cannot be read is skipped and
// counted, a file that cannot be read is counted, and the rest goes on.

#include <functional>
#include <string>
#include <string_view>
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

// Appends "v=v" for the trimmed value v unless it is empty, cannot be a
// list line's reference (it holds "=" or control characters) or a line of
// the list already has it as its name (case ignored). True when appended.
bool AddUniqueItem(TStringList& list, std::string_view value);
// Appends the trimmed bare reference unless it is empty or the list holds
// it already (case ignored). True when appended.
bool AddUniqueReference(TStringList& list, std::string_view value);

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
// Adds one bot's references, each as its own display name.
void HarvestBot(const TBotCharacter& bot, const THarvestLists& lists);

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
// Adds one bot's references that no line of their list names yet, with the
// display names the value lists give them (the part after the first ".";
// a species' name from its .int file, and only when that file is cached).
// A value that cannot be a list line's reference is left out.
void CollectBot(const TBotCharacter& bot, const TContentLists& lists);

}  // namespace roster
