#pragma once

// A bot as text that travels through the system clipboard: one PlayerLine,
// "Player=(...)", as a roster file holds it.

#include <optional>
#include <string>

#include "roster/PuBotCharacter.h"
#include "roster/PuUtTypes.h"

namespace roster {

// Longer text is no bot of any roster; it is refused before it is read.
constexpr std::size_t MaxPastedLineLength = 1 << 20;

// The bot that `text` describes, as the line a roster takes: its
// PlayerLine as read (with the numbers the user typed in place of
// unreadable ones), followed by the items this program does not know.
// Nothing, and the message to show in `error`, when the text is not one
// "Player=(...)" line with a DefaultName item (blanks and line breaks
// around it aside), holds control characters other than tabs, or a number
// in it cannot be read (`ask` is offered it first).
std::optional<std::string> ReadPastedBot(const std::string& text, std::string& error, TInputQuery* ask = nullptr);

}  // namespace roster
