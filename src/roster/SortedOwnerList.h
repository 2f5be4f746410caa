#pragma once

// A list of named objects that it owns, kept in the case-blind order of
// platform::CompareText and refusing a second entry whose name differs only
// in case. The .int file cache and the declared objects are such lists.

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
  int Count() const { return static_cast<int>(entries_.size()); }
  const std::string& Name(int index) const { return entries_.at(static_cast<std::size_t>(index)).first; }
  T& Object(int index) const { return *entries_.at(static_cast<std::size_t>(index)).second; }

  // Index of the entry named `name` (case ignored), or -1.
  int IndexOf(std::string_view name) const {
    const std::size_t i = LowerBound(name);
    return (i < entries_.size() && platform::SameText(entries_[i].first, name)) ? static_cast<int>(i) : -1;
  }
  // The object named `name` (case ignored), or null.
  T* Find(std::string_view name) const {
    const int i = IndexOf(name);
    return i < 0 ? nullptr : entries_[static_cast<std::size_t>(i)].second.get();
  }

  // Takes the object under `name` and returns its index; raises
  // EStringListError (and drops the object) when the name is there already.
  int Add(const std::string& name, std::unique_ptr<T> object) {
    const std::size_t i = LowerBound(name);
    if (i < entries_.size() && platform::SameText(entries_[i].first, name))
      throw EStringListError("String list does not allow duplicates");
    std::size_t at = i;
    while (at < entries_.size() && platform::CompareText(entries_[at].first, name) < 0) ++at;
    entries_.emplace(entries_.begin() + static_cast<std::ptrdiff_t>(at), name, std::move(object));
    return static_cast<int>(at);
  }

  // Frees the object of one entry and puts another in its place.
  void Replace(int index, std::unique_ptr<T> object) {
    entries_.at(static_cast<std::size_t>(index)).second = std::move(object);
  }

  void Clear() { entries_.clear(); }

 private:
  // The first entry that does not order before `name` when case is ignored;
  // entries that differ from it only in case follow each other from there.
  std::size_t LowerBound(std::string_view name) const {
    std::size_t lo = 0, hi = entries_.size();
    while (lo < hi) {
      const std::size_t mid = lo + (hi - lo) / 2;
      const std::string& m = entries_[mid].first;
      if (platform::CompareText(m, name) < 0 && !platform::SameText(m, name))
        lo = mid + 1;
      else
        hi = mid;
    }
    return lo;
  }

  std::vector<std::pair<std::string, std::unique_ptr<T>>> entries_;
};

}  // namespace roster
