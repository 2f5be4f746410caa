#pragma once

// Display lines of species references. A species reference such as
// "xGame.SPECIES_Jugg" names the section SPECIES_Jugg of xGame.int, whose
// SpeciesName key gives the name shown to the user.

#include <string>

#include "roster/PuIntFile.h"
#include "roster/StringList.h"

namespace roster {

// Adds "<Package>.<Section>=<SpeciesName>" for one reference; nothing when
// the reference has no "." or its .int file is not cached.
void AddSpeciesName(const std::string& speciesRef, TStringList& list);

// Adds "<file's package>.<Section>=<value of Ident>" (the section name when
// the key is missing) through the list's own Add.
void AddIntFileEntry(const TIntFile& intFile, const std::string& section, const std::string& ident, TStringList& list);

// AddIntFileEntry with the key "SpeciesName".
void AddSpeciesFromIntFile(const TIntFile& intFile, const std::string& section, TStringList& list);

}  // namespace roster
