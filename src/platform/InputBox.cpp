#include "platform/InputBox.h"

#include <utility>

namespace platform {

namespace {
InputBoxHandler& Handler() {
  static InputBoxHandler handler;
  return handler;
}
}  // namespace

void SetInputBoxHandler(InputBoxHandler handler) { Handler() = std::move(handler); }

std::string InputBox(const std::string& caption, const std::string& prompt, const std::string& defaultText) {
  if (!Handler()) return defaultText;
  std::optional<std::string> answer = Handler()(caption, prompt, defaultText);
  return answer ? *answer : defaultText;
}

}  // namespace platform
