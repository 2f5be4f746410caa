// Any bytes as an .int file: reading must neither crash nor read past the
// data, and every lookup the editor makes must work on what was read.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "roster/PuGameFiles.h"
#include "roster/PuSpecies.h"
#include "roster/PuUtStringlist.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  roster::GameFiles().FreeUtObjects();
  roster::GameFiles().FreeIntFiles();
  auto file = std::make_unique<roster::TIntFile>(roster::TIntFile::FromBytes("/g/XGame.int", bytes));
  const roster::TIntFile& f = *file;
  roster::GameFiles().IntFiles().Add("XGame.int", std::move(file));

  for (const std::string& name : f.SectionNames()) {
    for (const std::string& line : f.ReadSectionLines(name)) {
      // Kept lines are never empty, comments or headers.
      if (line.empty() || line.front() == ';') std::abort();
      const std::size_t eq = line.find('=');
      if (eq != std::string::npos && !f.ValueExists(name, line.substr(0, eq))) std::abort();
    }
  }
  f.ReadDecoText();
  for (const std::string& line : f.ReadObjects())
    if (line.rfind("Object=", 0) != 0) std::abort();
  roster::GameFiles().LoadAllUtObjects();
  roster::TUtStringlist species;
  for (const std::string& name : f.SectionNames()) roster::AddSpeciesName("xGame." + name, species);
  return 0;
}
