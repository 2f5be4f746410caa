#include "roster/PuRosterHarvest.h"

#include "platform/AsciiText.h"
#include "platform/FileError.h"
#include "platform/Files.h"
#include "roster/PuRosterDocument.h"
#include "roster/PuSpecies.h"
#include "roster/PuValueItem.h"
#include "roster/RosterErrors.h"

namespace roster {

namespace {

// Reads one roster as Open does, but nobody is asked about a roster they
// did not open: a line with a number that cannot be read is left out, and
// a file that cannot be read or is no roster is counted and passed by.
void ReadRoster(const std::string& path, const std::function<void(const TBotCharacter&)>& onBot,
                TRosterScan& scan) {
  TRosterFile file;
  try {
    file = TRosterFile::Read(path);
  } catch (const platform::EFileError&) {
    ++scan.UnreadableFiles;
    return;
  } catch (const ERosterError&) {
    ++scan.UnreadableFiles;
    return;
  }
  TBotCharacter bot;
  for (std::size_t i = 0; i < file.Lines.size(); ++i) {
    if (!file.IsBotLine[i]) continue;
    try {
      ReadBotLine(bot, file.Lines[i], i, nullptr);
    } catch (const EConvertError&) {
      ++scan.SkippedLines;
      continue;
    }
    onBot(bot);
  }
}

// The trimmed value as a list line's reference; empty when it is empty or
// cannot be one (a "=" would split the line elsewhere, so the reference
// would never be found again and every harvest would add it once more).
std::string ListReference(std::string_view value) {
  std::string ref = platform::Trim(value);
  if (!ItemNameError(ref, false).empty()) ref.clear();
  return ref;
}

}  // namespace

TRosterScan ScanRosters(const std::string& dir, const std::function<void(const TBotCharacter&)>& onBot) {
  TRosterScan scan;
  for (const std::string& name : platform::ListFiles(dir, "*.upl")) {
    scan.Files.push_back(name);
    ReadRoster(platform::JoinPath(dir, name), onBot, scan);
  }
  return scan;
}

std::string SkippedReport(const TRosterScan& scan) {
  std::string report;
  if (scan.SkippedLines > 0)
    report = std::to_string(scan.SkippedLines) + " roster line(s) held a value that could not be read and were left out.";
  if (scan.UnreadableFiles > 0) {
    if (!report.empty()) report += " ";
    report += std::to_string(scan.UnreadableFiles) + " roster(s) could not be read.";
  }
  return report;
}

bool AddUniqueItem(TStringList& list, std::string_view value) {
  const std::string item = ListReference(value);
  if (item.empty() || list.IndexOfName(item) >= 0) return false;
  list.Add(item + "=" + item);
  return true;
}

bool AddUniqueReference(TStringList& list, std::string_view value) {
  const std::string ref = platform::Trim(value);
  if (ref.empty() || list.IndexOf(ref) >= 0) return false;
  list.Add(ref);
  return true;
}

void HarvestBot(const TBotCharacter& bot, const THarvestLists& lists) {
  AddUniqueItem(lists.Skins, bot.GetBodySkin());
  AddUniqueItem(lists.Faces, bot.GetFaceSkin());
  AddUniqueItem(lists.Meshes, bot.GetMesh());
  AddUniqueItem(lists.Voices, bot.GetVoice());
  AddUniqueItem(lists.RagDolls, bot.GetRagdoll());
  AddUniqueItem(lists.Portraits, bot.GetPortrait());
  AddUniqueItem(lists.Skeletons, bot.GetSkeleton());
  AddUniqueReference(lists.Biographies, bot.Text);
}

void CollectBot(const TBotCharacter& bot, const TContentLists& lists) {
  // A reference the list holds under any display name is not added again.
  const auto collect = [](TUtStringlist& list, const std::string& value) {
    const std::string ref = ListReference(value);
    if (!ref.empty() && list.IndexOfName(ref) < 0) list.Add(ref);
  };
  const std::string species = ListReference(bot.GetSpecies());
  if (!species.empty() && lists.Species.IndexOfName(species) < 0) AddSpeciesName(species, lists.Species);
  collect(lists.Meshes, bot.GetMesh());
  collect(lists.Faces, bot.GetFaceSkin());
  collect(lists.Skins, bot.GetBodySkin());
  collect(lists.Voices, bot.GetVoice());
  collect(lists.Portraits, bot.GetPortrait());
  AddUniqueReference(lists.Biographies, bot.Text);
  collect(lists.RagDolls, bot.GetRagdoll());
  collect(lists.Skeletons, bot.GetSkeleton());
}

}  // namespace roster
