#include "platform/Version.h"

#include "RosterwellVersion.h"

namespace platform {

std::array<int, 4> GetAppVersionInfo() {
  return {ROSTERWELL_VERSION_MAJOR, ROSTERWELL_VERSION_MINOR, ROSTERWELL_VERSION_PATCH, ROSTERWELL_VERSION_BUILD};
}

std::string GetVersionString() {
  const auto v = GetAppVersionInfo();
  return "Version " + std::to_string(v[0]) + "." + std::to_string(v[1]) + "." + std::to_string(v[2]) + "." +
         std::to_string(v[3]);
}

}  // namespace platform
