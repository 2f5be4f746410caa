#pragma once

// Writing one biography into a game's .int file. A biography is the line
//   Key="first line|second line|"
// in the file's [DecoText] section; a bot's Text names it as "Package.Key".
// The file is the game's, so everything but that one line stays as it was,
// its line ends included.

#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace roster {

// A biography that cannot be written as asked; the message says why and
// is fit to show to the user as it stands.
class EBioError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Raises EBioError for a key the game could not read back: empty after
// trimming, holding "=", "[", a double quote or a control character, or
// starting with ";".
void CheckBioKey(const std::string& key);

// The lines without NUL and the other control characters below 32 (the
// tab aside): none of them may reach the one-line entry.
std::vector<std::string> CleanBioLines(const std::vector<std::string>& lines);

// `Key="line|line|"`: every line followed by "|".
std::string BioEntryLine(const std::string& key, const std::vector<std::string>& lines);

// The lines a `Key=value` line of the file shows as a biography: the value
// without its double quotes, broken at each "|"; a "|" at the end closes
// the last line and makes none of its own.
std::vector<std::string> BioEntryLines(std::string_view entryLine);

struct TBioFileEdit {
  std::string Bytes;      // the file with the entry in place
  bool Replaced = false;  // an entry of that key was there already
  std::string OldLine;    // the line it replaced, when it was
};

// Puts the entry line into the file's bytes. The key is looked for only on
// "key=" lines (case ignored) of the first [DecoText] section, the one the
// game reads; a match is replaced in place. A new entry goes right after
// the last non-blank line of that section, or into a [DecoText] section
// added at the end. New line ends are the file's own. Raises EBioError,
// naming `fileName`, for a file that holds NUL bytes or starts with a
// UTF-16 byte-order mark: the game reads UTF-16 .int files too, but this
// editor writes only 8-bit ones.
TBioFileEdit PutBioEntry(std::string_view bytes, const std::string& fileName, const std::string& key,
                         const std::string& entryLine);

// The whole write: checks the key and the lines, reads the file, puts the
// entry in and, for a new entry or when `confirmOverwrite` agrees, saves
// the file atomically. An entry that already shows these very lines stays
// as it stands (its key's spelling, a last line without "|"). True when it was written; false when the overwrite
// was declined (the file is then untouched). Raises EBioError or
// platform::EFileError, leaving the file as it was.
bool WriteBioEntry(const std::string& path, const std::string& key, const std::vector<std::string>& lines,
                   const std::function<bool()>& confirmOverwrite);

}  // namespace roster
