#!/usr/bin/env bash
# Installs what is missing, builds everything (warnings are errors), builds
# the plain C++ layers for Windows too with the MinGW cross compiler, so that
# the Windows code keeps compiling and linking, and runs every test; then
# builds the tests once more with AddressSanitizer and UndefinedBehaviorSanitizer
# and runs them again, so that a read past the data or a leak fails too.
# Exits non-zero when a build step or a test fails.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
build=${BUILD_DIR:-build}
jobs=$(nproc)
export QT_QPA_PLATFORM=offscreen

cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DROSTERWELL_WERROR=ON
cmake --build "$build" --parallel "$jobs"

# The layers below the windows, compiled and linked for Windows; the windows
# are not, as Debian has no Qt for MinGW. At -O2 like the build above: at -O3
# GCC 12 sees a false overlap (-Wrestrict) inside std::string.
mingw="$build-mingw"
cmake -S . -B "$mingw" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_TOOLCHAIN_FILE="$(pwd)/cmake/mingw-w64-x86_64.cmake" -DROSTERWELL_LIBRARIES_ONLY=ON -DROSTERWELL_WERROR=ON
cmake --build "$mingw" --parallel "$jobs"

ctest --test-dir "$build" --output-on-failure --parallel "$jobs" --timeout 300

if [ "${ROSTERWELL_SKIP_SANITIZERS:-0}" != 1 ]; then
  sanitized="$build-sanitize"
  cmake -S . -B "$sanitized" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DROSTERWELL_SANITIZE=ON -DROSTERWELL_BENCH=OFF
  cmake --build "$sanitized" --parallel "$jobs"
  LSAN_OPTIONS="suppressions=$(pwd)/tests/lsan.supp" \
    ctest --test-dir "$sanitized" --output-on-failure --parallel "$jobs" --timeout 600
fi
