#include "roster/PuIntFile.h"

#include "platform/AsciiText.h"
#include "platform/Files.h"
#include "platform/TextFile.h"
#include "roster/LineParts.h"

namespace roster {

namespace {

// Some editors save the game's .int files as UTF-16LE with a byte-order
// mark; the game's own are 8-bit. Narrow such text to 8 bits so that its
// sections are found; characters that do not fit become "?".
std::string NarrowUtf16Le(std::string_view bytes) {
  std::string text;
  text.reserve(bytes.size() / 2);
  for (std::size_t i = 2; i + 1 < bytes.size(); i += 2) {
    const unsigned unit = static_cast<unsigned char>(bytes[i]) | (static_cast<unsigned char>(bytes[i + 1]) << 8);
    if (unit >= 0xD800 && unit <= 0xDBFF && i + 3 < bytes.size()) {
      const unsigned next = static_cast<unsigned char>(bytes[i + 2]) | (static_cast<unsigned char>(bytes[i + 3]) << 8);
      if (next >= 0xDC00 && next <= 0xDFFF) i += 2;  // one character, one "?"
    }
    text += unit <= 0xFF ? static_cast<char>(unit) : '?';
  }
  return text;
}

}  // namespace

TIntFile::TIntFile(const std::string& fileName) : FFileName(fileName) {
  // Only a plain file is opened: reading a pipe of that name would block.
  if (!platform::FileExists(fileName)) return;
  try {
    Parse(platform::ReadFileBytes(fileName));
  } catch (const platform::EFileError&) {
    // An unreadable file reads as an empty one; the game's other files
    // still load.
  }
}

TIntFile TIntFile::FromBytes(const std::string& fileName, std::string_view bytes) {
  TIntFile file;
  file.FFileName = fileName;
  file.Parse(std::string(bytes));
  return file;
}

void TIntFile::Parse(std::string text) {
  if (text.starts_with("\xFF\xFE"))
    text = NarrowUtf16Le(text);
  else if (text.starts_with("\xEF\xBB\xBF"))
    text.erase(0, 3);
  const std::size_t nul = text.find('\0');
  if (nul != std::string::npos) text.resize(nul);

  TSection* current = nullptr;
  for (std::string& line : platform::SplitLines(text)) {
    if (line.empty() || line.front() == ';') continue;
    if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
      FSections.push_back(TSection{line.substr(1, line.size() - 2), {}});
      current = &FSections.back();
    } else if (current) {
      current->Lines.push_back(std::move(line));
    }
  }
}

const TIntFile::TSection* TIntFile::FindSection(std::string_view section) const {
  for (const TSection& s : FSections)
    if (platform::SameText(s.Name, section)) return &s;
  return nullptr;
}

std::optional<std::string> TIntFile::ReadValue(std::string_view section, std::string_view ident) const {
  const TSection* s = FindSection(section);
  if (!s) return std::nullopt;
  for (const std::string& line : s->Lines) {
    const auto name = LineName(line);
    if (name && platform::SameText(*name, ident)) return line.substr(name->size() + 1);
  }
  return std::nullopt;
}

std::string TIntFile::ReadString(std::string_view section, std::string_view ident,
                                 const std::string& defaultValue) const {
  std::optional<std::string> value = ReadValue(section, ident);
  return value ? std::move(*value) : defaultValue;
}

bool TIntFile::SectionExists(std::string_view section) const {
  const TSection* s = FindSection(section);
  return s && !s->Lines.empty();
}

bool TIntFile::ValueExists(std::string_view section, std::string_view ident) const {
  return ReadValue(section, ident).has_value();
}

std::vector<std::string> TIntFile::ReadSectionLines(std::string_view section) const {
  const TSection* s = FindSection(section);
  return s ? s->Lines : std::vector<std::string>{};
}

std::vector<std::string> TIntFile::ReadDecoText() const { return ReadSectionLines("DecoText"); }

std::vector<std::string> TIntFile::ReadPublic() const { return ReadSectionLines("Public"); }

std::vector<std::string> TIntFile::ReadObjects() const {
  std::vector<std::string> objects;
  const TSection* s = FindSection("Public");
  if (!s) return objects;
  for (const std::string& line : s->Lines) {
    if (LineName(line) == "Object") objects.push_back(line);
  }
  return objects;
}

std::vector<std::string> TIntFile::SectionNames() const {
  std::vector<std::string> names;
  for (const TSection& s : FSections) names.push_back(s.Name);
  return names;
}

}  // namespace roster
