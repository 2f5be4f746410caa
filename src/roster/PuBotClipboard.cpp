#include "roster/PuBotClipboard.h"

#include <algorithm>
#include <string_view>

#include "platform/AsciiText.h"
#include "roster/LineParts.h"
#include "roster/RosterErrors.h"

namespace roster {

namespace {

// A byte that no roster line of ours holds; a tab only stands between items.
bool IsControlCharacter(char c) { return (static_cast<unsigned char>(c) < 32 && c != '\t') || c == 127; }

// "Player", "=", "(" with blanks allowed between them, and ")" at the end,
// all on one line without control characters (text from another program
// may hold NULs or escapes, which would go into the bot's values and the
// roster file), naming a bot: every roster line has a DefaultName, and a
// line without one would only wipe the bot to a blank "NewBot".
bool IsOnePlayerLine(std::string_view line) {
  if (std::any_of(line.begin(), line.end(), IsControlCharacter)) return false;
  if (!platform::StartsText("Player", line)) return false;
  std::string rest = platform::TrimLeft(line.substr(6));
  if (rest.empty() || rest.front() != '=') return false;
  rest = platform::TrimLeft(std::string_view(rest).substr(1));
  if (rest.size() < 2 || rest.front() != '(' || rest.back() != ')') return false;
  bool named = false;
  ForEachItem(std::string_view(rest).substr(1, rest.size() - 2),
              [&named](const std::string& item) { named = named || platform::StartsText("DefaultName", item); });
  return named;
}

}  // namespace

std::optional<std::string> ReadPastedBot(const std::string& text, std::string& error, TInputQuery* ask) {
  const std::string line = text.size() > MaxPastedLineLength ? std::string() : platform::Trim(text);
  if (!IsOnePlayerLine(line)) {
    error = "The clipboard holds no character.\rA character is one line of the form Player=(...).";
    return std::nullopt;
  }
  TBotCharacter bot;
  try {
    bot.SetPlayerLine(line, ask);
  } catch (const EConvertError& e) {
    error = std::string("The character on the clipboard could not be read:\r") + e.what();
    return std::nullopt;
  }
  return bot.GetPlayerLineKeepingUnknownItems(line);
}

}  // namespace roster
