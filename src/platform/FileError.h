#pragma once

#include <stdexcept>
#include <string>

namespace platform {

// A file could not be read, written, listed or created. The message names
// the file and is fit to show to the user as it stands.
class EFileError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace platform
