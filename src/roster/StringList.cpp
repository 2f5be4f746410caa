#include "roster/StringList.h"

#include <algorithm>
#include <stdexcept>

#include "platform/AsciiText.h"
#include "platform/TextFile.h"
#include "roster/LineParts.h"
#include "roster/RosterErrors.h"

namespace roster {

TStringList::TStringList(bool sorted, TDuplicates duplicates) : FSorted(sorted), FDuplicates(duplicates) {}

int TStringList::Add(const std::string& s) { return AddLine(s); }

int TStringList::AddLine(const std::string& s) {
  if (!FSorted) {
    FLines.push_back(s);
    return Count() - 1;
  }
  bool found = false;
  int at = FindSorted(s, found);
  if (found) {
    if (FDuplicates == TDuplicates::dupIgnore) return at;
    if (FDuplicates == TDuplicates::dupError) throw EStringListError("String list does not allow duplicates");
  }
  // Keep the full order among lines that differ only in case.
  while (at < Count() && platform::CompareText(FLines[static_cast<std::size_t>(at)], s) < 0) ++at;
  FLines.insert(FLines.begin() + at, s);
  return at;
}

int TStringList::FindSorted(std::string_view s, bool& found) const {
  // Lines that differ only in case count as the same line, though the
  // sorted order still tells them apart.
  const auto it = std::lower_bound(FLines.begin(), FLines.end(), s, platform::TextLessIgnoringCase{});
  found = it != FLines.end() && platform::SameText(*it, s);
  return static_cast<int>(it - FLines.begin());
}

void TStringList::Clear() { FLines.clear(); }

void TStringList::Delete(int index) {
  if (index < 0 || index >= Count()) throw std::out_of_range("List index out of bounds");
  FLines.erase(FLines.begin() + index);
}

void TStringList::SetStrings(int index, const std::string& s) {
  if (index < 0 || index >= Count()) throw std::out_of_range("List index out of bounds");
  if (!FSorted) {
    FLines[static_cast<std::size_t>(index)] = s;
    return;
  }
  // A line the list refuses must not cost the one it was to replace.
  std::string old = std::move(FLines[static_cast<std::size_t>(index)]);
  FLines.erase(FLines.begin() + index);
  try {
    AddLine(s);
  } catch (const EStringListError&) {
    FLines.insert(FLines.begin() + index, std::move(old));
    throw;
  }
}

int TStringList::IndexOf(std::string_view s) const {
  if (FSorted) {
    bool found = false;
    const int at = FindSorted(s, found);
    return found ? at : -1;
  }
  for (int i = 0; i < Count(); ++i)
    if (platform::SameText(FLines[static_cast<std::size_t>(i)], s)) return i;
  return -1;
}

int TStringList::IndexOfName(std::string_view name) const {
  for (int i = 0; i < Count(); ++i) {
    const auto n = LineName(FLines[static_cast<std::size_t>(i)]);
    if (n && platform::SameText(*n, name)) return i;
  }
  return -1;
}

int TStringList::IndexOfValue(std::string_view value) const {
  for (int i = 0; i < Count(); ++i) {
    const auto v = LineValue(FLines[static_cast<std::size_t>(i)]);
    if (v && platform::SameText(*v, value)) return i;
  }
  return -1;
}

std::string TStringList::Names(int index) const {
  return std::string(LineName((*this)[index]).value_or(std::string_view{}));
}

std::string TStringList::ValueFromIndex(int index) const {
  return std::string(LineValue((*this)[index]).value_or(std::string_view{}));
}

std::string TStringList::Values(std::string_view name) const {
  const int i = IndexOfName(name);
  return i < 0 ? std::string() : ValueFromIndex(i);
}

void TStringList::SetSorted(bool sorted) {
  if (sorted && !FSorted)
    std::stable_sort(FLines.begin(), FLines.end(), [](const std::string& a, const std::string& b) {
      return platform::CompareText(a, b) < 0;
    });
  FSorted = sorted;
}

void TStringList::AssignLines(const std::vector<std::string>& lines) {
  Clear();
  for (const std::string& line : lines) Add(line);
}

void TStringList::SetText(const std::string& text) { AssignLines(platform::SplitLines(text)); }

}  // namespace roster
