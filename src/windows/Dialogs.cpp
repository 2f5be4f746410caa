#include "windows/Dialogs.h"

#include "platform/InputBox.h"

namespace windows {

void TDialogs::InstallAsInputBoxHandler() {
  platform::SetInputBoxHandler(
      [this](const std::string& caption, const std::string& prompt, const std::string& defaultText) {
        return InputQuery(caption, prompt, defaultText);
      });
}

}  // namespace windows
