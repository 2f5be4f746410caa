// Any text as a roster line: parsing must neither crash nor hang, and a
// number it cannot read must end in the conversion error. After one save
// and load, saving and loading again must change nothing, quotes and commas
// in values and the items the record does not know included.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>

#include "roster/PuBotCharacter.h"
#include "roster/PuGameFiles.h"
#include "roster/RosterErrors.h"

namespace {

// The line as a save writes an edited bot: its items, then the ones the
// record does not know.
std::string SaveAndLoad(const std::string& line) {
  roster::TBotCharacter bot;
  bot.SetPlayerLine(line);
  return bot.GetPlayerLineKeepingUnknownItems(line);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const bool cached = [] {
    roster::GameFiles().IntFiles().Add("XPlayers.int", std::make_unique<roster::TIntFile>(roster::TIntFile::FromBytes(
                                                  "XPlayers.int", "[DecoText]\nDefault=\"A|B|\"\nX=\"\"\n")));
    return true;
  }();
  (void)cached;
  const std::string input(reinterpret_cast<const char*>(data), size);
  try {
    const std::string once = SaveAndLoad(input);
    const std::string twice = SaveAndLoad(once);
    if (SaveAndLoad(twice) != twice) std::abort();
  } catch (const roster::EConvertError&) {
  }
  return 0;
}
