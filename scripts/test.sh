#!/usr/bin/env bash
# Checks the code, builds KPXSETUP.EXE and every test with warnings as
# errors, then runs all tests under Wine (ctest), each run in fresh Wine
# prefixes. Installs what is missing first.
#   scripts/test.sh                         everything: the format check, the
#                                           static analysis, the native sanitizer
#                                           build of the pure rules with a few
#                                           seconds of each fuzz target, all tests
#   scripts/test.sh [extra ctest arguments] the build and the chosen tests only
# Work that needs little of the processors runs beside work that needs much:
# the Wine prefixes boot while the cross build compiles, and the checks run
# while ctest waits on Wine. Their output follows ctest's, and any failure
# fails the run.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/scripts/setup.sh"
build=${KPX_BUILD_DIR:-$top/build}

# Fresh prefixes for this run, booted beside the build.
export KPX_PREFIX_ROOT
KPX_PREFIX_ROOT=$(mktemp -d /tmp/kpx-test-prefixes.XXXXXX)
checks_log="$KPX_PREFIX_ROOT/checks.log"
checks_pid=
cleanup() {
  if [ -n "$checks_pid" ]; then kill "$checks_pid" 2>/dev/null || true; fi
  for p in "$KPX_PREFIX_ROOT"/*/; do WINEPREFIX="$p" wineserver -k 2>/dev/null || true; done
  rm -rf "$KPX_PREFIX_ROOT"
}
trap cleanup EXIT
(
  "$top/scripts/make-prefix.sh" "$KPX_PREFIX_ROOT" win32 >/dev/null
  "$top/scripts/make-prefix.sh" "$KPX_PREFIX_ROOT" win64 >/dev/null
) &
prefixes_pid=$!
build_status=0
"$top/scripts/build.sh" || build_status=$?
wait "$prefixes_pid"
[ "$build_status" -eq 0 ] || exit "$build_status"

if [ $# -eq 0 ]; then
  (
    "$top/scripts/format.sh" --check
    nice -n 19 "$top/scripts/analyse.sh"
    KPX_NATIVE_BUILD_DIR=${KPX_NATIVE_BUILD_DIR:-$build/native} "$top/scripts/fuzz.sh" 3
  ) >"$checks_log" 2>&1 &
  checks_pid=$!
fi

cd "$build"
# One X server for the whole run: dialogs and message boxes need a display.
# Two at a time: tests in the shared prefixes hold a lock on its spooler, the
# others each run in a private prefix.
export KPX_RESULTS_DIR="$KPX_PREFIX_ROOT/results"
mkdir -p "$KPX_RESULTS_DIR"
status=0
xvfb-run -a -s "-screen 0 1024x768x24" ctest --output-on-failure --timeout 300 -j2 "$@" || status=$?
count_status=0
"$top/scripts/count-cases.py" "$KPX_RESULTS_DIR" || count_status=$?
[ "$status" -ne 0 ] || status=$count_status
if [ -n "$checks_pid" ]; then
  checks_status=0
  wait "$checks_pid" || checks_status=$?
  checks_pid=
  cat "$checks_log"
  if [ "$checks_status" -ne 0 ]; then
    echo "checks failed (format, static analysis or fuzzing): exit $checks_status" >&2
    [ "$status" -ne 0 ] || status=$checks_status
  fi
fi
exit $status
