#!/usr/bin/env bash
# Installs what is missing, builds the editor and starts it. Without an
# installed game (no registry entry in the Wine prefix, no C:\UT2003\System
# there) and without a "/s" switch of the user's, it opens a copy of the
# sample game folder samples/System kept in the build folder, so that saved
# rosters and rewritten biographies never land in the source tree. The
# value-list file lies beside the program, in the build folder too.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
build=${BUILD_DIR:-build}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$build" --parallel "$(nproc)" --target Rosterwell RosterwellReadme

game_installed() {
  local prefix=${WINEPREFIX:-$HOME/.wine}
  [ -d "$prefix/drive_c/UT2003/System" ] && return 0
  [ -f "$prefix/system.reg" ] &&
    grep -qi '^\[Software\\\\Unreal Technology\\\\Installed Apps\\\\UT2003\]' "$prefix/system.reg"
}

args=("$@")
user_system=no
for a in "$@"; do
  case "$a" in /s*) user_system=yes ;; esac
done
if [ "$user_system" = no ] && ! game_installed; then
  samples="$(pwd)/$build/samples/System"
  mkdir -p "$samples"
  cp -r -n samples/System/. "$samples/"
  args=("/s$samples" "${args[@]}")
fi
exec "$build/src/windows/Rosterwell" "${args[@]}"
