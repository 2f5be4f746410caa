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

TListIndex::TListIndex(TStringList& list, TKey key) : list_(list) {
  for (const std::string& line : list.Lines()) {
    if (key == kLine)
      Know(line);
    else if (const std::optional<std::string_view> name = LineName(line))
      Know(*name);
  }
}

bool TListIndex::Holds(std::string_view key) const { return keys_.contains(platform::UpperCase(key)); }

void TListIndex::Know(std::string_view key) { keys_.insert(platform::UpperCase(key)); }

void TListIndex::Add(std::string_view key, const std::string& line) {
  list_.Add(line);
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
    : meshes_(meshes, TListIndex::kName),
      faces_(faces, TListIndex::kName),
      skins_(skins, TListIndex::kName),
      voices_(voices, TListIndex::kName),
      portraits_(portraits, TListIndex::kName),
      ragdolls_(ragdolls, TListIndex::kName),
      skeletons_(skeletons, TListIndex::kName),
      biographies_(biographies, TListIndex::kLine),
      displayNames_(displayNames) {
  if (species) species_.emplace(*species, TListIndex::kName);
}

void THarvester::AddReference(TListIndex& index, std::string_view value) const {
  const std::string ref = ListReference(value);
  if (ref.empty() || index.Holds(ref)) return;
  index.Add(ref, displayNames_ ? TUtStringlist::ReferenceLine(ref) : ref + "=" + ref);
}

void THarvester::Add(const TBotCharacter& bot) {
  if (species_) {
    const std::string species = ListReference(bot.GetSpecies());
    if (!species.empty() && !species_->Holds(species)) {
      // Its line comes from the species' .int file, when that is cached.
      const int before = species_->List().Count();
      AddSpeciesName(species, species_->List());
      if (species_->List().Count() > before) species_->Know(species);
    }
  }
  AddReference(meshes_, bot.GetMesh());
  AddReference(faces_, bot.GetFaceSkin());
  AddReference(skins_, bot.GetBodySkin());
  AddReference(voices_, bot.GetVoice());
  AddReference(portraits_, bot.GetPortrait());
  AddReference(ragdolls_, bot.GetRagdoll());
  AddReference(skeletons_, bot.GetSkeleton());
  const std::string text = platform::Trim(bot.Text);
  if (!text.empty() && !biographies_.Holds(text)) biographies_.Add(text, text);
}

}  // namespace roster
