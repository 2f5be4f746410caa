#include "roster/PuIntFile.h"

namespace roster {

std::unique_ptr<TIntFileList> IntFiles;

TIntFile::TIntFile(const std::string& fileName) : fileName_(fileName) {}
TIntFile TIntFile::FromBytes(const std::string& fileName, std::string_view) {
  TIntFile f;
  f.fileName_ = fileName;
  return f;
}
std::string TIntFile::ReadString(std::string_view, std::string_view, const std::string& d) const { return d; }
bool TIntFile::SectionExists(std::string_view) const { return false; }
bool TIntFile::ValueExists(std::string_view, std::string_view) const { return false; }
std::vector<std::string> TIntFile::ReadSectionLines(std::string_view) const { return {}; }
std::vector<std::string> TIntFile::ReadDecoText() const { return {}; }
std::vector<std::string> TIntFile::ReadPublic() const { return {}; }
std::vector<std::string> TIntFile::ReadObjects() const { return {}; }
std::vector<std::string> TIntFile::SectionNames() const { return {}; }

TIntFileList& IntFileList() {
  if (!IntFiles) IntFiles = std::make_unique<TIntFileList>();
  return *IntFiles;
}
void LoadIntFiles(const std::string&) {}
void FreeIntFiles() { IntFiles.reset(); }
const std::string& LastIntDir() {
  static std::string dir;
  return dir;
}

}  // namespace roster
