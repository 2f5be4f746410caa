#pragma once

// The model's one question to the user: asking for a replacement of a value
// it cannot read. The program sets the handler once at start-up (the
// windows show a real input box); the model calls InputBox.

#include <functional>
#include <optional>
#include <string>

namespace platform {

// Caption, prompt and default text in; the typed text, or nothing when the
// user cancelled.
using InputBoxHandler = std::function<std::optional<std::string>(
    const std::string& caption, const std::string& prompt, const std::string& defaultText)>;

// Replaces the handler; an empty function removes it.
void SetInputBoxHandler(InputBoxHandler handler);

// Asks through the handler. Cancel, or no handler at all, gives back the
// default text, so an unattended caller sees the value it offered.
std::string InputBox(const std::string& caption, const std::string& prompt, const std::string& defaultText);

}  // namespace platform
