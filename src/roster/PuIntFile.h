#pragma once

// The game's .int localisation files and the process-wide cache of them.
// A file is read once, whole, and kept as its sections of lines exactly as
// written; every lookup afterwards is in memory and ignores ASCII case.

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "roster/SortedOwnerList.h"

namespace roster {

class TIntFile {
 public:
  // Reads the file; a missing or unreadable file gives no sections.
  explicit TIntFile(const std::string& fileName);
  // The same from bytes already in memory.
  static TIntFile FromBytes(const std::string& fileName, std::string_view bytes);

  const std::string& FileName() const { return FFileName; }

  // The text after the "=" of the first line named `ident` in the first
  // section named `section`; `defaultValue` when either is missing.
  std::string ReadString(std::string_view section, std::string_view ident, const std::string& defaultValue) const;
  // The same without a default: nothing when section or line is missing.
  std::optional<std::string> ReadValue(std::string_view section, std::string_view ident) const;
  // The section is there and holds at least one line.
  bool SectionExists(std::string_view section) const;
  bool ValueExists(std::string_view section, std::string_view ident) const;

  // Every line of the first section of that name, verbatim, in file order.
  std::vector<std::string> ReadSectionLines(std::string_view section) const;
  std::vector<std::string> ReadDecoText() const;
  std::vector<std::string> ReadPublic() const;
  // The whole lines of section "Public" whose name is exactly "Object".
  std::vector<std::string> ReadObjects() const;

  // Section names in file order, repeats included.
  std::vector<std::string> SectionNames() const;

 private:
  struct TSection {
    std::string Name;
    std::vector<std::string> Lines;
  };

  TIntFile() = default;
  void Parse(std::string text);
  const TSection* FindSection(std::string_view section) const;

  std::string FFileName;
  std::vector<TSection> FSections;
};

// The cache: file names as found on disk (no folder), each with its file.
using TIntFileList = TSortedOwnerList<TIntFile>;

}  // namespace roster
