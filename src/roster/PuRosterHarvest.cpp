#include "roster/PuRosterHarvest.h"

#include "platform/AsciiText.h"
#include "platform/FileError.h"
#include "platform/Files.h"
#include "roster/LineParts.h"
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

bool AddUniqueReference(TStringList& list, std::string_view value) {
  const std::string ref = platform::Trim(value);
  if (ref.empty() || list.IndexOf(ref) >= 0) return false;
  list.Add(ref);
  return true;
}

// ---------------------------------------------------------------- indexes

TListIndex::TListIndex(TStringList& list, TKey key) : FList(list) {
  for (const std::string& line : list.Lines()) {
    if (key == kLine)
      Know(line);
    else if (const std::optional<std::string_view> name = LineName(line))
      Know(*name);
  }
}

bool TListIndex::Holds(std::string_view key) const { return FKeys.contains(platform::UpperCase(key)); }

void TListIndex::Know(std::string_view key) { FKeys.insert(platform::UpperCase(key)); }

void TListIndex::Add(std::string_view key, const std::string& line) {
  FList.Add(line);
  Know(key);
}

// ---------------------------------------------------------------- harvests

THarvester::THarvester(const THarvestLists& l)
    : THarvester(nullptr, l.Meshes, l.Faces, l.Skins, l.Voices, l.Portraits, l.RagDolls, l.Skeletons, l.Biographies,
                 false) {}

THarvester::THarvester(const TContentLists& l)
    : THarvester(&l.Species, l.Meshes, l.Faces, l.Skins, l.Voices, l.Portraits, l.RagDolls, l.Skeletons,
                 l.Biographies, true) {}

THarvester::THarvester(TStringList* species, TStringList& meshes, TStringList& faces, TStringList& skins,
                       TStringList& voices, TStringList& portraits, TStringList& ragdolls, TStringList& skeletons,
                       TStringList& biographies, bool displayNames)
    : FMeshes(meshes, TListIndex::kName),
      FFaces(faces, TListIndex::kName),
      FSkins(skins, TListIndex::kName),
      FVoices(voices, TListIndex::kName),
      FPortraits(portraits, TListIndex::kName),
      FRagdolls(ragdolls, TListIndex::kName),
      FSkeletons(skeletons, TListIndex::kName),
      FBiographies(biographies, TListIndex::kLine),
      FDisplayNames(displayNames) {
  if (species) FSpecies.emplace(*species, TListIndex::kName);
}

void THarvester::AddReference(TListIndex& index, std::string_view value) const {
  const std::string ref = ListReference(value);
  if (ref.empty() || index.Holds(ref)) return;
  index.Add(ref, FDisplayNames ? TUtStringlist::ReferenceLine(ref) : ref + "=" + ref);
}

void THarvester::Add(const TBotCharacter& bot) {
  if (FSpecies) {
    const std::string species = ListReference(bot.GetSpecies());
    if (!species.empty() && !FSpecies->Holds(species)) {
      // Its line comes from the species' .int file, when that is cached.
      const int before = FSpecies->List().Count();
      AddSpeciesName(species, FSpecies->List());
      if (FSpecies->List().Count() > before) FSpecies->Know(species);
    }
  }
  AddReference(FMeshes, bot.GetMesh());
  AddReference(FFaces, bot.GetFaceSkin());
  AddReference(FSkins, bot.GetBodySkin());
  AddReference(FVoices, bot.GetVoice());
  AddReference(FPortraits, bot.GetPortrait());
  AddReference(FRagdolls, bot.GetRagdoll());
  AddReference(FSkeletons, bot.GetSkeleton());
  const std::string text = platform::Trim(bot.Text);
  if (!text.empty() && !FBiographies.Holds(text)) FBiographies.Add(text, text);
}

}  // namespace roster
