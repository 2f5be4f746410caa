#include "roster/PuUccCompile.h"

#include <algorithm>

#include "platform/AsciiText.h"
#include "platform/Files.h"
#include "platform/TextFile.h"
#include "roster/LineParts.h"

namespace roster {

namespace {

constexpr const char* Marker = "EditPackages";

bool IsComment(const std::string& line) {
  const std::string text = platform::TrimLeft(line);
  return !text.empty() && text.front() == ';';
}

// The file of that name in the folder as it is spelled on disk (the game's
// files come from Windows), else the plain joined path.
std::string FileIn(const std::string& dir, const std::string& name) {
  return platform::PathOnDisk(platform::JoinPath(dir, name));
}

void DeleteIfThere(const std::string& path) {
  if (platform::FileExists(path) && !platform::DeleteFileAt(path))
    throw platform::EFileError("Cannot delete file \"" + path + "\"");
}

}  // namespace

std::vector<std::string> UccIniLines(const std::vector<std::string>& gameIni, const std::vector<std::string>& packages) {
  std::vector<std::string> lines = gameIni;
  std::size_t i = 0;
  // A commented-out line elsewhere in the file does not start the run.
  while (i < lines.size() && (lines[i].find(Marker) == std::string::npos || IsComment(lines[i]))) ++i;
  if (i == lines.size()) return lines;

  std::vector<std::string> missing;
  for (const std::string& package : packages) {
    const bool listed = std::any_of(missing.begin(), missing.end(),
                                    [&](const std::string& m) { return platform::SameText(m, package); });
    if (!listed) missing.push_back(package);
  }
  for (; i < lines.size() && lines[i].find(Marker) != std::string::npos; ++i) {
    if (IsComment(lines[i])) continue;
    const std::string name = platform::Trim(LineValue(lines[i]).value_or(lines[i]));
    std::erase_if(missing, [&](const std::string& m) { return platform::SameText(m, name); });
  }
  for (const std::string& package : missing)
    lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(i), "EditPackages=" + package);
  return lines;
}

TUccFiles::TUccFiles(const std::string& systemDir, const std::vector<std::string>& packages)
    : FSystemDir(systemDir),
      FCompiler(FileIn(systemDir, "ucc.exe")),
      FConfigFile(FileIn(systemDir, "ucc.ini")) {
  const std::vector<std::string> gameIni = platform::ReadLines(FileIn(systemDir, "ut2003.ini"));
  for (const std::string& package : packages) DeleteIfThere(FileIn(systemDir, package + ".u"));
  DeleteIfThere(FileIn(systemDir, "StdOut.log"));
  platform::WriteLines(FConfigFile, UccIniLines(gameIni, packages));
}

TUccFiles::~TUccFiles() { platform::DeleteFileAt(FConfigFile); }

std::string TUccFiles::LogFile() const {
  const std::string log = FileIn(FSystemDir, "StdOut.log");
  return platform::FileExists(log) ? log : std::string();
}

std::vector<std::string> TUccFiles::CompilerArgs(const std::string& configAsSeen) {
  return {"MAKE", "LOG", "INI=" + configAsSeen};
}

}  // namespace roster
