#include "roster/PuSpecies.h"

namespace roster {

void AddSpeciesName(const std::string&, TStringList&) {}
void AddIntFileEntry(const TIntFile&, const std::string&, const std::string&, TStringList&) {}
void AddSpeciesFromIntFile(const TIntFile& f, const std::string& section, TStringList& list) {
  AddIntFileEntry(f, section, "SpeciesName", list);
}

}  // namespace roster
