#pragma once

// The files around one run of the game's compiler "ucc.exe" in the System
// folder. The compiler reads its packages from the "EditPackages=" lines of
// its configuration; the game's own "ut2003.ini" is never written, so the
// exported packages are named in a temporary copy, "ucc.ini".

#include <string>
#include <vector>

namespace roster {

// The lines of "ucc.ini": the game's lines with an "EditPackages=" line
// for every package not listed yet (case ignored), in reverse list order,
// right after the first run of lines that contain "EditPackages" (at the
// end of the file when the run goes on to it). Comment lines (";...")
// neither start the run nor end it, and list no package. Without any such
// line nothing is added.
std::vector<std::string> UccIniLines(const std::vector<std::string>& gameIni, const std::vector<std::string>& packages);

// One compilation's files. Creating it reads "ut2003.ini" (raising
// platform::EFileError when it cannot), deletes each package's old ".u"
// and the old "StdOut.log", and writes "ucc.ini"; destroying it removes
// "ucc.ini" again, whatever happened in between.
class TUccFiles {
 public:
  TUccFiles(const std::string& systemDir, const std::vector<std::string>& packages);
  ~TUccFiles();
  TUccFiles(const TUccFiles&) = delete;
  TUccFiles& operator=(const TUccFiles&) = delete;

  const std::string& Compiler() const { return FCompiler; }
  const std::string& ConfigFile() const { return FConfigFile; }
  // "StdOut.log" when the compiler wrote one; empty otherwise.
  std::string LogFile() const;

  // The compiler's arguments: "MAKE", "LOG" and "INI=" with the
  // configuration's path as the compiler sees it, one argument.
  static std::vector<std::string> CompilerArgs(const std::string& configAsSeen);

 private:
  std::string FSystemDir;
  std::string FCompiler;
  std::string FConfigFile;
};

}  // namespace roster
