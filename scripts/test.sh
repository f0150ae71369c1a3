#!/usr/bin/env bash
# Checks the code, builds KPXSETUP.EXE and every test with warnings as
# errors, then runs all tests under Wine (ctest), each run in fresh Wine
# prefixes. Installs what is missing first.
#   scripts/test.sh                         everything: the format check, the
#                                           static analysis, the native sanitizer
#                                           build of the pure rules with a few
#                                           seconds of each fuzz target, all tests
#   scripts/test.sh [extra ctest arguments] the build and the chosen tests only
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
if [ $# -eq 0 ]; then
  "$top/scripts/format.sh" --check
  "$top/scripts/analyse.sh"
  KPX_NATIVE_BUILD_DIR=${KPX_NATIVE_BUILD_DIR:-${KPX_BUILD_DIR:-$top/build}/native} "$top/scripts/fuzz.sh" 3
fi
"$top/scripts/build.sh"
build=${KPX_BUILD_DIR:-$top/build}

# Fresh prefixes for this run; the wrapper boots them on first use.
export KPX_PREFIX_ROOT
KPX_PREFIX_ROOT=$(mktemp -d /tmp/kpx-test-prefixes.XXXXXX)
cleanup() {
  for p in "$KPX_PREFIX_ROOT"/*/; do WINEPREFIX="$p" wineserver -k 2>/dev/null || true; done
  rm -rf "$KPX_PREFIX_ROOT"
}
trap cleanup EXIT
"$top/scripts/make-prefix.sh" "$KPX_PREFIX_ROOT" win32 >/dev/null
"$top/scripts/make-prefix.sh" "$KPX_PREFIX_ROOT" win64 >/dev/null

cd "$build"
# One X server for the whole run: dialogs and message boxes need a display.
# Two at a time: tests in the shared prefixes hold a lock on its spooler, the
# others each run in a private prefix.
export KPX_RESULTS_DIR="$KPX_PREFIX_ROOT/results"
mkdir -p "$KPX_RESULTS_DIR"
status=0
xvfb-run -a -s "-screen 0 1024x768x24" ctest --output-on-failure --timeout 300 -j2 "$@" || status=$?
"$top/scripts/count-cases.py" "$KPX_RESULTS_DIR"
exit $status
