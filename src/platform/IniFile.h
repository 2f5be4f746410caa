#pragma once

// The editor's own INI files (the value-list file with its templates), kept
// in memory the way the game's platform kept them: sections and lines in the
// order they were read or added, each line exactly as written. A key may
// stand twice in one section when a hand-edited file says so; lookups then
// find the first. Section and key names match without regard to ASCII case.
// The whole file is written back at once, with CR LF, atomically.

#include <string>
#include <string_view>
#include <vector>

#include "platform/FileError.h"

namespace platform {

class TIniFile {
 public:
  // Reads the whole file. A missing file (or an empty name) gives an empty
  // object; an existing file that cannot be read is an EFileError.
  explicit TIniFile(std::string fileName);

  const std::string& FileName() const { return FFileName; }

  // Reading: empty lines and lines that begin with ";" are left out, a line
  // "[name]" (blanks around it allowed) starts a section, and lines before
  // the first section are kept apart under no name. A section header that
  // repeats an earlier name adds its lines to the earlier section.
  void SetText(const std::string& text);
  // The file as it would be written: each named section as "[name]", its
  // lines and one empty line.
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

  // Replaces the first line of that key, else appends "key=value"; a missing
  // section is added at the end.
  void WriteString(std::string_view section, std::string_view key, std::string_view value);
  void DeleteKey(std::string_view section, std::string_view key);
  void EraseSection(std::string_view section);

  // Writes the whole file (WriteLines: CR LF, atomic). EFileError names the
  // file when it fails, an empty file name included.
  void UpdateFile() const;

 private:
  struct TSection {
    std::string Name;
    std::vector<std::string> Lines;
  };
  TSection* Find(std::string_view section);
  const TSection* Find(std::string_view section) const;
  TSection& FindOrAdd(std::string_view section);

  std::string FFileName;
  std::vector<std::string> FLeadingLines;
  std::vector<TSection> FSections;
};

// The key of an INI line: the text before its first "=", trimmed of blanks
// and control characters; the whole trimmed line when it has no "=".
std::string IniLineKey(std::string_view line);

}  // namespace platform
