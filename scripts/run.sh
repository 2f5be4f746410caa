#!/usr/bin/env bash
# Installs what is missing, builds the editor and starts it. Without an
# installed game (no registry entry in the Wine prefix) it opens the sample
# game folder shipped in samples/System.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
build=${BUILD_DIR:-build}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$build" --parallel "$(nproc)" --target Rosterwell
exec "$build/src/windows/Rosterwell" "$@"
