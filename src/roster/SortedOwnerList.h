#pragma once

// A list of named objects that it owns, kept in the case-blind order of
// platform::CompareText and refusing a second entry whose name differs only
// in case. The .int file cache and the declared objects are such lists.

#include <algorithm>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/AsciiText.h"
#include "roster/RosterErrors.h"

namespace roster {

template <typename T>
class TSortedOwnerList {
 public:
  int Count() const { return static_cast<int>(FEntries.size()); }
  const std::string& Name(int index) const { return FEntries.at(static_cast<std::size_t>(index)).first; }
  T& Object(int index) const { return *FEntries.at(static_cast<std::size_t>(index)).second; }

  // Index of the entry named `name` (case ignored), or -1.
  int IndexOf(std::string_view name) const {
    const std::size_t i = LowerBound(name);
    return (i < FEntries.size() && platform::SameText(FEntries[i].first, name)) ? static_cast<int>(i) : -1;
  }
  // The object named `name` (case ignored), or null.
  T* Find(std::string_view name) const {
    const int i = IndexOf(name);
    return i < 0 ? nullptr : FEntries[static_cast<std::size_t>(i)].second.get();
  }

  // Takes the object under `name` and returns its index; raises
  // EStringListError (and drops the object) when the name is there already.
  int Add(const std::string& name, std::unique_ptr<T> object) {
    // With no entry of the same name, the first entry that does not order
    // before `name` ignoring case orders after it in the full order too.
    const std::size_t at = LowerBound(name);
    if (at < FEntries.size() && platform::SameText(FEntries[at].first, name))
      throw EStringListError("String list does not allow duplicates");
    FEntries.emplace(FEntries.begin() + static_cast<std::ptrdiff_t>(at), name, std::move(object));
    return static_cast<int>(at);
  }

  // Frees the object of one entry and puts another in its place.
  void Replace(int index, std::unique_ptr<T> object) {
    FEntries.at(static_cast<std::size_t>(index)).second = std::move(object);
  }

  void Clear() { FEntries.clear(); }

 private:
  // The first entry that does not order before `name` when case is ignored.
  std::size_t LowerBound(std::string_view name) const {
    const auto it = std::lower_bound(FEntries.begin(), FEntries.end(), name, [](const auto& entry, std::string_view n) {
      return platform::TextLessIgnoringCase{}(entry.first, n);
    });
    return static_cast<std::size_t>(it - FEntries.begin());
  }

  std::vector<std::pair<std::string, std::unique_ptr<T>>> FEntries;
};

}  // namespace roster
