#include "platform/IniFile.h"

#include <algorithm>
#include <optional>
#include <unordered_map>
#include <utility>

#include "platform/AsciiText.h"
#include "platform/Files.h"
#include "platform/TextFile.h"

namespace platform {

std::string IniLineKey(std::string_view line) {
  const std::size_t eq = line.find('=');
  return Trim(eq == std::string_view::npos ? line : line.substr(0, eq));
}

namespace {

// Where the line's text begins: the index of its first byte that Trim
// keeps, or its size. Looked up without copying the line.
std::size_t TextStart(std::string_view line) {
  std::size_t at = 0;
  while (at < line.size() && static_cast<unsigned char>(line[at]) < 33) ++at;
  return at;
}

// Empty lines and comments are kept in the file but hold nothing.
bool IsEntry(std::string_view line) {
  const std::size_t start = TextStart(line);
  return start < line.size() && line[start] != ';';
}

bool IsBlank(std::string_view line) { return TextStart(line) == line.size(); }

// The key as keys are compared: trimmed, without regard to case.
std::string KeyOf(std::string_view line) { return UpperCase(IniLineKey(line)); }

// Of `values` (old positions, -1 for none), the indexes of a longest run
// whose values rise: the entries that can stay where they stand while the
// others move around them.
std::vector<bool> LongestRisingRun(const std::vector<long>& values) {
  std::vector<std::size_t> tails;  // tails[k]: index ending the best run of length k + 1
  std::vector<long> before(values.size(), -1);
  for (std::size_t i = 0; i < values.size(); ++i) {
    if (values[i] < 0) continue;
    const auto at = std::lower_bound(tails.begin(), tails.end(), values[i],
                                     [&](std::size_t t, long v) { return values[t] < v; });
    if (at != tails.begin()) before[i] = static_cast<long>(*(at - 1));
    if (at == tails.end())
      tails.push_back(i);
    else
      *at = i;
  }
  std::vector<bool> kept(values.size(), false);
  for (long i = tails.empty() ? -1 : static_cast<long>(tails.back()); i >= 0; i = before[static_cast<std::size_t>(i)])
    kept[static_cast<std::size_t>(i)] = true;
  return kept;
}

}  // namespace

TIniFile::TIniFile(std::string fileName) : FFileName(std::move(fileName)) {
  // Something that is there but is no file (a folder) must fail here, not
  // be taken for a first start and overwritten later.
  if (DirectoryExists(FFileName)) throw EFileError("Cannot open file \"" + FFileName + "\": it is a folder");
  if (FileExists(FFileName)) SetText(ReadFileBytes(FFileName));
}

void TIniFile::SetText(const std::string& text) {
  FLeadingLines.clear();
  FSections.clear();
  std::vector<std::string>* target = &FLeadingLines;
  for (std::string& line : SplitLines(text)) {
    const std::string trimmed = Trim(line);
    if (trimmed.size() >= 2 && trimmed.front() == '[' && trimmed.back() == ']') {
      FSections.push_back(TSection{trimmed.substr(1, trimmed.size() - 2), std::move(line), {}});
      target = &FSections.back().Lines;
      continue;
    }
    target->push_back(std::move(line));
  }
}

std::vector<std::string> TIniFile::GetLines() const {
  std::vector<std::string> out = FLeadingLines;
  for (const TSection& s : FSections) {
    out.push_back(s.Header);
    out.insert(out.end(), s.Lines.begin(), s.Lines.end());
  }
  return out;
}

std::vector<TIniFile::TEntryPlace> TIniFile::Entries(std::string_view section) const {
  std::vector<TEntryPlace> places;
  for (std::size_t s = 0; s < FSections.size(); ++s) {
    if (!SameText(FSections[s].Name, section)) continue;
    for (std::size_t l = 0; l < FSections[s].Lines.size(); ++l)
      if (IsEntry(FSections[s].Lines[l])) places.push_back({s, l});
  }
  return places;
}

std::optional<TIniFile::TEntryPlace> TIniFile::FindPlace(std::string_view section, std::string_view key) const {
  const std::string wanted = Trim(key);
  for (std::size_t s = 0; s < FSections.size(); ++s) {
    if (!SameText(FSections[s].Name, section)) continue;
    for (std::size_t l = 0; l < FSections[s].Lines.size(); ++l) {
      const std::string& line = FSections[s].Lines[l];
      if (IsEntry(line) && SameText(IniLineKey(line), wanted)) return TEntryPlace{s, l};
    }
  }
  return std::nullopt;
}

const std::string* TIniFile::FindEntry(std::string_view section, std::string_view key) const {
  const std::optional<TEntryPlace> place = FindPlace(section, key);
  return place ? &LineAt(*place) : nullptr;
}

std::pair<TIniFile::TSection*, std::size_t> TIniFile::AppendPlace(std::string_view section) {
  TSection* last = nullptr;
  for (TSection& s : FSections)
    if (SameText(s.Name, section)) last = &s;
  if (!last) {
    // One empty line between sections, as the file is written afresh.
    std::vector<std::string>& before = FSections.empty() ? FLeadingLines : FSections.back().Lines;
    if (!before.empty() && !IsBlank(before.back())) before.emplace_back();
    FSections.push_back(TSection{std::string(section), "[" + std::string(section) + "]", {""}});
    return {&FSections.back(), 0};
  }
  // After the last entry; in a section without one, after its last comment.
  std::size_t at = last->Lines.size();
  while (at > 0 && IsBlank(last->Lines[at - 1])) --at;
  for (std::size_t l = at; l > 0; --l)
    if (IsEntry(last->Lines[l - 1])) return {last, l};
  return {last, at};
}

std::vector<std::string> TIniFile::SectionNames() const {
  std::vector<std::string> names;
  for (const TSection& s : FSections)
    if (std::none_of(names.begin(), names.end(), [&](const std::string& n) { return SameText(n, s.Name); }))
      names.push_back(s.Name);
  return names;
}

bool TIniFile::SectionExists(std::string_view section) const {
  return std::any_of(FSections.begin(), FSections.end(), [&](const TSection& s) { return SameText(s.Name, section); });
}

std::vector<std::string> TIniFile::ReadSectionLines(std::string_view section) const {
  std::vector<std::string> lines;
  for (const TEntryPlace& place : Entries(section)) lines.push_back(LineAt(place));
  return lines;
}

std::vector<std::string> TIniFile::ReadSectionKeys(std::string_view section) const {
  std::vector<std::string> keys;
  for (const TEntryPlace& place : Entries(section)) keys.push_back(IniLineKey(LineAt(place)));
  return keys;
}

bool TIniFile::ValueExists(std::string_view section, std::string_view key) const {
  return FindEntry(section, key) != nullptr;
}

std::string TIniFile::ReadString(std::string_view section, std::string_view key,
                                 std::string_view defaultValue) const {
  const std::string* line = FindEntry(section, key);
  if (!line) return std::string(defaultValue);
  const std::size_t eq = line->find('=');
  return eq == std::string::npos ? std::string() : line->substr(eq + 1);
}

void TIniFile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
  std::string line = std::string(key) + "=" + std::string(value);
  if (const std::optional<TEntryPlace> place = FindPlace(section, key)) {
    // The same text leaves the line's bytes as they were.
    FSections[place->Section].Lines[place->Line] = std::move(line);
    return;
  }
  const auto [part, at] = AppendPlace(section);
  part->Lines.insert(part->Lines.begin() + static_cast<std::ptrdiff_t>(at), std::move(line));
}

template <class Pred>
void TIniFile::RemoveSections(std::string_view section, Pred remove) {
  std::vector<TSection> kept;
  for (TSection& s : FSections) {
    if (!SameText(s.Name, section) || !remove(s)) {
      kept.push_back(std::move(s));
      continue;
    }
    // The empty line that parted it from the next section stays.
    std::vector<std::string>& before = kept.empty() ? FLeadingLines : kept.back().Lines;
    if (!before.empty() && !IsBlank(before.back()) && !s.Lines.empty() && IsBlank(s.Lines.back()))
      before.push_back(s.Lines.back());
  }
  FSections = std::move(kept);
}

void TIniFile::EraseSection(std::string_view section) {
  RemoveSections(section, [](const TSection&) { return true; });
}

void TIniFile::WriteSection(std::string_view section, const std::vector<std::pair<std::string, std::string>>& entries) {
  // The lines to write, one per key.
  std::vector<std::string> fresh;
  std::unordered_map<std::string, std::size_t> freshIndex;
  for (const auto& [key, value] : entries) {
    std::string line = key + "=" + value;
    const auto [it, added] = freshIndex.emplace(KeyOf(key), fresh.size());
    if (added)
      fresh.push_back(std::move(line));
    else
      fresh[it->second] = std::move(line);
  }

  // Each line's entry in the section, by key; a key the section holds twice
  // has its first.
  const std::vector<TEntryPlace> old = Entries(section);
  std::unordered_map<std::string, long> oldIndex;
  for (std::size_t i = 0; i < old.size(); ++i) oldIndex.emplace(KeyOf(LineAt(old[i])), static_cast<long>(i));
  std::vector<long> match(fresh.size(), -1);
  for (const auto& [key, j] : freshIndex)
    if (const auto it = oldIndex.find(key); it != oldIndex.end()) match[j] = it->second;
  const std::vector<bool> stays = LongestRisingRun(match);

  // Every other line follows the line before it, or comes first, in front
  // of the first entry that stays.
  std::vector<long> keptAs(old.size(), -1);
  std::vector<std::vector<std::size_t>> after(old.size());
  std::vector<std::size_t> first;
  long previous = -1;
  for (std::size_t j = 0; j < fresh.size(); ++j) {
    if (stays[j]) {
      previous = match[j];
      keptAs[static_cast<std::size_t>(previous)] = static_cast<long>(j);
    } else if (previous >= 0) {
      after[static_cast<std::size_t>(previous)].push_back(j);
    } else {
      first.push_back(j);
    }
  }
  if (old.empty()) {
    if (!fresh.empty()) {
      const auto [part, at] = AppendPlace(section);
      part->Lines.insert(part->Lines.begin() + static_cast<std::ptrdiff_t>(at), fresh.begin(), fresh.end());
    }
  } else {
    MergeEntries(section, fresh, keptAs, after, first);
  }
  // A part left with neither entries nor comments goes with its header.
  RemoveSections(section,
                 [](const TSection& s) { return std::all_of(s.Lines.begin(), s.Lines.end(), IsBlank); });
}

void TIniFile::MergeEntries(std::string_view section, std::vector<std::string>& fresh, const std::vector<long>& keptAs,
                            const std::vector<std::vector<std::size_t>>& after, const std::vector<std::size_t>& first) {
  const std::size_t firstAt = static_cast<std::size_t>(
      std::find_if(keptAs.begin(), keptAs.end(), [](long j) { return j >= 0; }) - keptAs.begin());
  const std::size_t head = firstAt < keptAs.size() ? firstAt : 0;

  std::size_t entry = 0;
  for (TSection& s : FSections) {
    if (!SameText(s.Name, section)) continue;
    std::vector<std::string> lines;
    for (std::string& line : s.Lines) {
      if (!IsEntry(line)) {
        lines.push_back(std::move(line));
        continue;
      }
      if (entry == head)
        for (std::size_t j : first) lines.push_back(fresh[j]);
      if (keptAs[entry] >= 0) lines.push_back(std::move(fresh[static_cast<std::size_t>(keptAs[entry])]));
      for (std::size_t j : after[entry]) lines.push_back(fresh[j]);
      ++entry;
    }
    s.Lines = std::move(lines);
  }
}

void TIniFile::UpdateFile() const {
  if (FFileName.empty()) throw EFileError("Cannot create file \"\": no file name was given");
  WriteLines(FFileName, GetLines());
}

}  // namespace platform
