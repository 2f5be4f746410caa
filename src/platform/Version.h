#pragma once

// The program's version, in place of a version resource: the four numbers
// come from the build (the project version in CMakeLists.txt).

#include <array>
#include <string>

namespace platform {

std::array<int, 4> GetAppVersionInfo();

// "Version 1.5.0.0"
std::string GetVersionString();

}  // namespace platform
