#include "packages/PuUtTextureError.h"

#include <stdexcept>

namespace packages {

void RaiseTextureError(const std::string& message) { throw std::runtime_error(message); }

}  // namespace packages
