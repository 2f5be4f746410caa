#pragma once

// The editor's own INI files (the value-list file with its templates), kept
// in memory line for line as they were read, so that a write changes only
// the lines it means to: comments, blank lines and hand-made layout stay
// where they stand. A key may stand twice in one section when a hand-edited
// file says so; lookups then find the first. A section header may stand
// twice too; the section then has the lines of both. Section and key names
// match without regard to ASCII case. The whole file is written back at
// once, with CR LF, atomically.

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/FileError.h"

namespace platform {

class TIniFile {
 public:
  // Reads the whole file. A missing file (or an empty name) gives an empty
  // object; an existing file that cannot be read is an EFileError.
  explicit TIniFile(std::string fileName);

  const std::string& FileName() const { return FFileName; }

  // A line "[name]" (blanks around it allowed) starts a section; lines
  // before the first section belong to none. Empty lines and lines that
  // begin with ";" are kept but are no entries: no lookup sees them.
  void SetText(const std::string& text);
  // The file as it would be written: the lines read, as changed since. A
  // section added is written as "[name]", its lines and one empty line.
  std::vector<std::string> GetLines() const;

  std::vector<std::string> SectionNames() const;
  bool SectionExists(std::string_view section) const;
  // The section's lines as they stand; none when it is missing.
  std::vector<std::string> ReadSectionLines(std::string_view section) const;
  // The key of every line (the text before its first "=", or the whole line).
  std::vector<std::string> ReadSectionKeys(std::string_view section) const;
  bool ValueExists(std::string_view section, std::string_view key) const;
  // The text after the "=" of the section's first line with that key.
  std::string ReadString(std::string_view section, std::string_view key, std::string_view defaultValue) const;

  // Replaces the first line of that key with "key=value" (a line that reads
  // so already stays as it is), else adds it after the section's last
  // entry; a missing section is added at the end.
  void WriteString(std::string_view section, std::string_view key, std::string_view value);
  // Removes the section, its comments and blank lines too.
  void EraseSection(std::string_view section);
  // Makes the section's entries these "key=value" lines, in this order: as
  // erasing the section and writing each pair with WriteString would, so a
  // key given twice keeps its first place and its last value. But what the
  // write does not change stays: an entry that keeps its line keeps its
  // place, and comments and blank lines stay among the entries around them.
  // New entries follow the entry before them. A section left with neither
  // entries nor comments goes.
  void WriteSection(std::string_view section, const std::vector<std::pair<std::string, std::string>>& entries);

  // Writes the whole file (WriteLines: CR LF, atomic). EFileError names the
  // file when it fails, an empty file name included.
  void UpdateFile() const;

 private:
  // One header and the lines after it up to the next, as they stand.
  struct TSection {
    std::string Name;
    std::string Header;
    std::vector<std::string> Lines;
  };
  // Where an entry line stands.
  struct TEntryPlace {
    std::size_t Section, Line;
  };
  std::vector<TEntryPlace> Entries(std::string_view section) const;
  const std::string& LineAt(const TEntryPlace& place) const { return FSections[place.Section].Lines[place.Line]; }
  // The section's first entry with that key.
  std::optional<TEntryPlace> FindPlace(std::string_view section, std::string_view key) const;
  const std::string* FindEntry(std::string_view section, std::string_view key) const;
  // The last part of the section, added at the end when there is none, and
  // the index in it at which a new entry goes.
  std::pair<TSection*, std::size_t> AppendPlace(std::string_view section);
  // Puts the lines `fresh` in place of the section's entries: old entry k
  // becomes line keptAs[k] (none for -1) followed by the lines after[k];
  // the lines `first` come before the first entry that stays.
  void MergeEntries(std::string_view section, std::vector<std::string>& fresh, const std::vector<long>& keptAs,
                    const std::vector<std::vector<std::size_t>>& after, const std::vector<std::size_t>& first);
  template <class Pred>
  void RemoveSections(std::string_view section, Pred remove);

  std::string FFileName;
  std::vector<std::string> FLeadingLines;
  std::vector<TSection> FSections;
};

// The key of an INI line: the text before its first "=", trimmed of blanks
// and control characters; the whole trimmed line when it has no "=".
std::string IniLineKey(std::string_view line);

}  // namespace platform
