// Links every object file of the plain C++ layers into one program, so that
// a build for another system (the MinGW build for Windows) shows a function
// that is declared but nowhere defined, or a system library that is missing,
// and not only what fails to compile. It prints the version text.

#include <cstdio>

#include "platform/Version.h"

int main() {
  std::puts(platform::GetVersionString().c_str());
  return 0;
}
