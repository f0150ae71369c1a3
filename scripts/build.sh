#!/usr/bin/env bash
# Installs what is missing, configures the cross build in build/ (or
# $KPX_BUILD_DIR), warnings as errors, and builds the given targets (all when
# none are given).
#   scripts/build.sh [target ...]
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/scripts/setup.sh"

build=${KPX_BUILD_DIR:-$top/build}
cmake -S "$top" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$top/cmake/mingw-i686.cmake" \
      -DCMAKE_BUILD_TYPE=Release -DKPX_WARNINGS_AS_ERRORS=ON >/dev/null
targets=()
for t in "$@"; do targets+=(--target "$t"); done
cmake --build "$build" -j"$(nproc)" "${targets[@]}"
