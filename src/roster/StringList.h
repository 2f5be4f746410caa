#pragma once

// An ordered list of text lines in the manner of the editor's value lists:
// lookups ignore ASCII case, and a sorted list keeps the case-blind order of
// platform::CompareText (upper-cased text first, then the bytes). Lines of
// the form "name=value" can be looked up by either half.

#include <string>
#include <string_view>
#include <vector>

namespace roster {

// What a sorted list does with a line it holds already (case ignored).
// An unsorted list accepts every line.
enum class TDuplicates { dupIgnore, dupAccept, dupError };

class TStringList {
 public:
  TStringList() = default;
  explicit TStringList(bool sorted, TDuplicates duplicates = TDuplicates::dupAccept);
  TStringList(const TStringList&) = default;
  TStringList& operator=(const TStringList&) = default;
  TStringList(TStringList&&) = default;
  TStringList& operator=(TStringList&&) = default;
  virtual ~TStringList() = default;

  // Appends the line, or puts it in its place when the list is sorted.
  // Returns its index; a sorted list that ignores duplicates returns the
  // index of the line already there; one that refuses them raises
  // EStringListError.
  virtual int Add(const std::string& s);

  void Clear();
  // Removes one line; an index outside the list is std::out_of_range.
  void Delete(int index);

  int Count() const { return static_cast<int>(FLines.size()); }
  const std::string& operator[](int index) const { return FLines.at(static_cast<std::size_t>(index)); }
  // Replaces one line; a sorted list moves it to its place.
  void SetStrings(int index, const std::string& s);
  const std::vector<std::string>& Lines() const { return FLines; }

  // Index of the line equal to s without regard to case, or -1.
  int IndexOf(std::string_view s) const;
  // Index of the first line whose name (text before its first "=") is
  // `name`, case ignored, or -1. Lines without "=" have no name.
  int IndexOfName(std::string_view name) const;
  // Index of the first line whose value (text after its first "=") is
  // `value`, case ignored, or -1.
  int IndexOfValue(std::string_view value) const;

  // The text before the first "=" of a line; empty when it has none.
  std::string Names(int index) const;
  // The text after the first "=" of a line; empty when it has none.
  std::string ValueFromIndex(int index) const;
  // The value of the first line named `name`; empty when there is none.
  std::string Values(std::string_view name) const;

  // Turning sorting on sorts the lines held.
  void SetSorted(bool sorted);

  // Replaces the lines with `lines`, each added through Add.
  void AssignLines(const std::vector<std::string>& lines);
  // Replaces the lines with the lines of `text` (split at CR LF, LF or CR),
  // each added through Add; a break at the very end adds no empty line.
  void SetText(const std::string& text);

 protected:
  // The ordinary add of the list, whatever a derived Add does first.
  int AddLine(const std::string& s);

 private:
  // Where s belongs in a sorted list, and whether a line equal to it
  // (case ignored) is there already.
  int FindSorted(std::string_view s, bool& found) const;

  std::vector<std::string> FLines;
  bool FSorted = false;
  TDuplicates FDuplicates = TDuplicates::dupAccept;
};

}  // namespace roster
