#include "roster/PuSpecies.h"

#include "platform/Files.h"
#include "roster/PuGameFiles.h"
#include "roster/PuUtTypes.h"

namespace roster {

void AddSpeciesName(const std::string& speciesRef, TStringList& list) {
  const std::size_t dot = speciesRef.find('.');
  if (dot == std::string::npos) return;
  const TIntFile* file = GameFiles().IntFiles().Find(speciesRef.substr(0, dot + 1) + "INT");
  if (!file) return;
  AddSpeciesFromIntFile(*file, speciesRef.substr(dot + 1), list);
}

void AddIntFileEntry(const TIntFile& intFile, const std::string& section, const std::string& ident,
                     TStringList& list) {
  const auto found = intFile.ReadValue(section, ident);
  const std::string value = found ? Unquote(*found) : section;
  // The package part takes its case from the file on disk, not from the
  // reference that led here.
  const std::string fileName = platform::ExtractFileName(intFile.FileName());
  const std::size_t dot = fileName.find('.');
  const std::string package = dot == std::string::npos ? std::string() : fileName.substr(0, dot + 1);
  list.Add(package + section + "=" + value);
}

void AddSpeciesFromIntFile(const TIntFile& intFile, const std::string& section, TStringList& list) {
  AddIntFileEntry(intFile, section, "SpeciesName", list);
}

}  // namespace roster
