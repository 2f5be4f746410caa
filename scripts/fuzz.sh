#!/usr/bin/env bash
# Builds the libFuzzer targets with clang, AddressSanitizer and
# UndefinedBehaviorSanitizer, and runs one of them:
#   bash scripts/fuzz.sh fuzz_packages_load 600 [corpus folders...]
# With no target it only builds them all. New inputs go to the build
# folder's corpus; the seeds kept in fuzz/corpus/<target>, when there are
# any, are read as well.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${FUZZ_BUILD_DIR:-fuzz-build}
CXX=clang++ cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DROSTERWELL_FUZZ=ON -DROSTERWELL_SANITIZE=ON -DROSTERWELL_WINDOWS=OFF \
  -DROSTERWELL_TESTS=OFF -DROSTERWELL_BENCH=OFF >/dev/null
cmake --build "$build" --parallel 4
[ $# -ge 1 ] || exit 0
target=$1
seconds=${2:-60}
shift 2 || shift $#
corpus="$build/corpus/$target"
mkdir -p "$corpus"
seeds=()
[ -d "fuzz/corpus/$target" ] && seeds=("fuzz/corpus/$target")
exec "$build/fuzz/$target" -max_total_time="$seconds" -timeout=1 -rss_limit_mb=2048 \
  -print_final_stats=1 "$corpus" "${seeds[@]}" "$@"
