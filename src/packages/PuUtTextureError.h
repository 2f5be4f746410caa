#pragma once

#include <string>

namespace packages {

// Raises the reader's plain error with the given message.
[[noreturn]] void RaiseTextureError(const std::string& message);

}  // namespace packages
