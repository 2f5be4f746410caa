#include "roster/PuBioEntry.h"

#include <algorithm>

#include "platform/AsciiText.h"
#include "platform/Files.h"
#include "platform/TextFile.h"
#include "roster/LineParts.h"
#include "roster/PuUtTypes.h"

namespace roster {

namespace {

bool IsControl(char c) { return static_cast<unsigned char>(c) < 32; }

// One line of the file: its text and the line break after it (empty for
// a last line without one).
struct TRawLine {
  std::string_view Text;
  std::string_view Break;
};

std::vector<TRawLine> RawLines(std::string_view bytes) {
  std::vector<TRawLine> lines;
  std::size_t start = 0;
  while (start < bytes.size()) {
    std::size_t end = bytes.find_first_of("\r\n", start);
    if (end == std::string_view::npos) {
      lines.push_back({bytes.substr(start), {}});
      break;
    }
    const std::size_t breakSize = bytes.compare(end, 2, "\r\n") == 0 ? 2 : 1;
    lines.push_back({bytes.substr(start, end - start), bytes.substr(end, breakSize)});
    start = end + breakSize;
  }
  return lines;
}

bool IsHeader(std::string_view text) { return text.size() >= 2 && text.front() == '[' && text.back() == ']'; }

// The key of a "key=" line, as the game's reader takes it: the text before
// the first "=" of a line that is no comment.
bool NamesKey(std::string_view text, const std::string& key) {
  if (text.empty() || text.front() == ';') return false;
  const std::optional<std::string_view> name = LineName(text);
  return name && platform::SameText(*name, key);
}

}  // namespace

void CheckBioKey(const std::string& key) {
  if (platform::Trim(key).empty()) throw EBioError("Please give the biography a name.");
  // The bot's roster line names the biography, at times between double
  // quotes: a double quote in the key would end the reference there.
  const bool unusable = key.find_first_of("=[\"") != std::string::npos || key.front() == ';' ||
                        std::any_of(key.begin(), key.end(), IsControl);
  if (unusable)
    throw EBioError("The name \"" + key +
                    "\" cannot be used for a biography:\rit must not hold \"=\", \"[\" or a double quote nor start "
                    "with \";\",\rfor the .int file or the bot's roster line could not read it back.");
}

std::vector<std::string> CleanBioLines(const std::vector<std::string>& lines) {
  std::vector<std::string> clean;
  clean.reserve(lines.size());
  for (std::string line : lines) {
    std::erase_if(line, [](char c) { return IsControl(c) && c != '\t'; });
    clean.push_back(std::move(line));
  }
  return clean;
}

std::string BioEntryLine(const std::string& key, const std::vector<std::string>& lines) {
  std::string entry = key + "=\"";
  for (const std::string& line : lines) entry.append(line).append("|");
  return entry + "\"";
}

std::vector<std::string> BioEntryLines(std::string_view entryLine) {
  // Unquoted as the bot's biography is read.
  std::string value = UnquoteDecoText(LineValue(entryLine).value_or(std::string_view()));
  std::replace(value.begin(), value.end(), '|', '\r');
  return platform::SplitLines(value);
}

TBioFileEdit PutBioEntry(std::string_view bytes, const std::string& fileName, const std::string& key,
                         const std::string& entryLine) {
  if (bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF"))
    throw EBioError("\"" + fileName + "\" is UTF-16 text, and this editor writes only 8-bit .int files.\r" +
                    "The biography was not written into it.");
  if (bytes.find('\0') != std::string_view::npos)
    throw EBioError("\"" + fileName + "\" holds NUL bytes: it is no 8-bit text file.\r" +
                    "The biography was not written into it.");

  // The cache reads a file saved as UTF-8 with a byte-order mark from
  // behind the mark; the first header stands there.
  std::string_view text = bytes;
  if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
  const std::vector<TRawLine> lines = RawLines(text);
  std::string_view lineBreak = "\r\n";
  for (const TRawLine& line : lines)
    if (!line.Break.empty()) {
      lineBreak = line.Break;
      break;
    }
  const auto offsetOf = [&](std::string_view part) { return static_cast<std::size_t>(part.data() - bytes.data()); };

  // The first [DecoText] section: its header's index and the index past
  // its last line.
  std::size_t header = lines.size();
  for (std::size_t i = 0; i < lines.size() && header == lines.size(); ++i)
    if (IsHeader(lines[i].Text) && platform::SameText(lines[i].Text.substr(1, lines[i].Text.size() - 2), "DecoText"))
      header = i;

  TBioFileEdit edit;
  if (header == lines.size()) {
    edit.Bytes.assign(bytes);
    if (!lines.empty() && lines.back().Break.empty()) edit.Bytes.append(lineBreak);
    if (!lines.empty()) edit.Bytes.append(lineBreak);
    edit.Bytes.append("[DecoText]").append(lineBreak).append(entryLine).append(lineBreak);
    return edit;
  }
  std::size_t lastText = header;
  for (std::size_t i = header + 1; i < lines.size() && !IsHeader(lines[i].Text); ++i) {
    if (NamesKey(lines[i].Text, key)) {
      edit.Replaced = true;
      edit.OldLine.assign(lines[i].Text);
      const std::size_t at = offsetOf(lines[i].Text);
      edit.Bytes.assign(bytes.substr(0, at)).append(entryLine).append(bytes.substr(at + lines[i].Text.size()));
      return edit;
    }
    if (!platform::Trim(lines[i].Text).empty()) lastText = i;
  }
  const TRawLine& after = lines[lastText];
  const std::size_t at = offsetOf(after.Text) + after.Text.size() + after.Break.size();
  edit.Bytes.assign(bytes.substr(0, at));
  if (after.Break.empty()) edit.Bytes.append(lineBreak).append(entryLine);
  else edit.Bytes.append(entryLine).append(lineBreak);
  edit.Bytes.append(bytes.substr(at));
  return edit;
}

bool WriteBioEntry(const std::string& path, const std::string& key, const std::vector<std::string>& lines,
                   const std::function<bool()>& confirmOverwrite) {
  CheckBioKey(key);
  const std::vector<std::string> clean = CleanBioLines(lines);
  if (std::all_of(clean.begin(), clean.end(), [](const std::string& line) { return platform::Trim(line).empty(); }))
    throw EBioError("The biography is empty: it was not written.");
  const std::string bytes = platform::ReadFileBytes(path);
  TBioFileEdit edit = PutBioEntry(bytes, platform::ExtractFileName(path), key, BioEntryLine(key, clean));
  if (edit.Replaced && !confirmOverwrite()) return false;
  // The game's own file keeps every byte of a biography nobody changed.
  if (edit.Replaced && BioEntryLines(edit.OldLine) == clean) edit.Bytes = bytes;
  platform::WriteFileAtomic(path, edit.Bytes);
  return true;
}

}  // namespace roster
