#include "platform/IniFile.h"

#include <algorithm>
#include <utility>

#include "platform/AsciiText.h"
#include "platform/Files.h"
#include "platform/TextFile.h"

namespace platform {

std::string IniLineKey(std::string_view line) {
  const std::size_t eq = line.find('=');
  return Trim(eq == std::string_view::npos ? line : line.substr(0, eq));
}

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
    if (trimmed.empty() || trimmed.front() == ';') continue;
    if (trimmed.size() >= 2 && trimmed.front() == '[' && trimmed.back() == ']') {
      target = &FindOrAdd(std::string_view(trimmed).substr(1, trimmed.size() - 2)).Lines;
      continue;
    }
    target->push_back(std::move(line));
  }
}

std::vector<std::string> TIniFile::GetLines() const {
  std::vector<std::string> out = FLeadingLines;
  if (!out.empty()) out.emplace_back();
  for (const TSection& s : FSections) {
    out.push_back("[" + s.Name + "]");
    out.insert(out.end(), s.Lines.begin(), s.Lines.end());
    out.emplace_back();
  }
  return out;
}

TIniFile::TSection* TIniFile::Find(std::string_view section) {
  auto it = std::find_if(FSections.begin(), FSections.end(),
                         [&](const TSection& s) { return SameText(s.Name, section); });
  return it == FSections.end() ? nullptr : &*it;
}

const TIniFile::TSection* TIniFile::Find(std::string_view section) const {
  return const_cast<TIniFile*>(this)->Find(section);
}

TIniFile::TSection& TIniFile::FindOrAdd(std::string_view section) {
  if (TSection* s = Find(section)) return *s;
  FSections.push_back(TSection{std::string(section), {}});
  return FSections.back();
}

std::vector<std::string> TIniFile::SectionNames() const {
  std::vector<std::string> names;
  for (const TSection& s : FSections) names.push_back(s.Name);
  return names;
}

bool TIniFile::SectionExists(std::string_view section) const { return Find(section) != nullptr; }

std::vector<std::string> TIniFile::ReadSectionLines(std::string_view section) const {
  const TSection* s = Find(section);
  return s ? s->Lines : std::vector<std::string>{};
}

std::vector<std::string> TIniFile::ReadSectionKeys(std::string_view section) const {
  std::vector<std::string> keys;
  if (const TSection* s = Find(section))
    for (const std::string& line : s->Lines) keys.push_back(IniLineKey(line));
  return keys;
}

namespace {
// The first line of `lines` with that key, or end.
template <class Lines>
auto FindKey(Lines& lines, std::string_view key) {
  const std::string wanted = Trim(key);
  return std::find_if(lines.begin(), lines.end(),
                      [&](const std::string& line) { return SameText(IniLineKey(line), wanted); });
}
}  // namespace

bool TIniFile::ValueExists(std::string_view section, std::string_view key) const {
  const TSection* s = Find(section);
  return s && FindKey(s->Lines, key) != s->Lines.end();
}

std::string TIniFile::ReadString(std::string_view section, std::string_view key,
                                 std::string_view defaultValue) const {
  const TSection* s = Find(section);
  if (!s) return std::string(defaultValue);
  auto it = FindKey(s->Lines, key);
  if (it == s->Lines.end()) return std::string(defaultValue);
  const std::size_t eq = it->find('=');
  return eq == std::string::npos ? std::string() : it->substr(eq + 1);
}

void TIniFile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
  std::vector<std::string>& lines = FindOrAdd(section).Lines;
  std::string line = std::string(key) + "=" + std::string(value);
  auto it = FindKey(lines, key);
  if (it == lines.end())
    lines.push_back(std::move(line));
  else
    *it = std::move(line);
}

void TIniFile::DeleteKey(std::string_view section, std::string_view key) {
  if (TSection* s = Find(section)) {
    auto it = FindKey(s->Lines, key);
    if (it != s->Lines.end()) s->Lines.erase(it);
  }
}

void TIniFile::EraseSection(std::string_view section) {
  std::erase_if(FSections, [&](const TSection& s) { return SameText(s.Name, section); });
}

void TIniFile::UpdateFile() const {
  if (FFileName.empty()) throw EFileError("Cannot create file \"\": no file name was given");
  WriteLines(FFileName, GetLines());
}

}  // namespace platform
