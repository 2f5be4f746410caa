#pragma once

// Whole-file reading and atomic writing. The game's files are 8-bit text;
// bytes go in and out unchanged, with no transcoding.

#include <string>
#include <vector>

#include "platform/FileError.h"

namespace platform {

// The file's bytes; EFileError when it cannot be opened or read.
std::string ReadFileBytes(const std::string& path);

// Splits text into lines at CR LF, LF or a lone CR. A break at the very end
// does not start another line, so "a\r\nb\r\n" gives two lines.
std::vector<std::string> SplitLines(const std::string& text);

// The file's lines (ReadFileBytes, then SplitLines).
std::vector<std::string> ReadLines(const std::string& path);

// Writes the bytes to a temporary file beside `path`, syncs it to the disk
// and renames it over `path`, so that a failed save leaves the old file as it
// was and no half-written file behind. A symbolic link is followed to the
// file it points at and stays a link; a replaced file keeps its permissions
// (and owner where allowed); a read-only file is refused, not replaced.
// A writable file in a folder that refuses the temporary is written in
// place (write, sync), its old bytes kept in a copy in the user's temporary
// folder until the new ones are whole and put back when the write fails;
// where they cannot be put back, the message names the copy.
// EFileError on any failure: "Cannot save file "<path>": <why>".
void WriteFileAtomic(const std::string& path, const std::string& bytes);

// Writes every line followed by CR LF, atomically.
void WriteLines(const std::string& path, const std::vector<std::string>& lines);

}  // namespace platform
