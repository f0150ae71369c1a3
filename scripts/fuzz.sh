#!/usr/bin/env bash
# Builds the pure rules natively with AddressSanitizer and
# UndefinedBehaviorSanitizer (tests/native), runs the stand-in checks, then
# fuzzes each rule with libFuzzer for a bounded time and prints per target:
# executions, seconds, findings. The test command runs it with 3 seconds
# per target.
#   scripts/fuzz.sh [seconds per target, default 60]
# A finding (crash, sanitizer report, failed property) is kept in
# build-native/fuzz-findings/<target>/ (or $KPX_NATIVE_BUILD_DIR); replay it
# with build-native/fuzz_<target> <file>. Corpora live in a temporary folder,
# seeded from tests/native/corpus/<target>/ where that exists.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-60}
case $seconds in ''|*[!0-9]*) echo "usage: $0 [seconds per target]" >&2; exit 2;; esac

"$top/scripts/setup.sh" native
build=${KPX_NATIVE_BUILD_DIR:-$top/build-native}
CXX=clang++ nice -n 19 cmake -S "$top/tests/native" -B "$build" >/dev/null
nice -n 19 cmake --build "$build" -j2 >/dev/null
nice -n 19 "$build/native_checks" --gtest_brief=1

work=$(mktemp -d /tmp/kpx-fuzz.XXXXXX)
trap 'rm -rf "$work"' EXIT

total=0
printf '%-20s %14s %8s %9s\n' target executions seconds findings
while read -r target; do
  [ -n "$target" ] || continue
  corpus="$work/$target"
  findings="$build/fuzz-findings/$target"
  mkdir -p "$corpus" "$findings"
  if [ -d "$top/tests/native/corpus/$target" ]; then cp "$top/tests/native/corpus/$target"/* "$corpus"/; fi
  log="$work/$target.log"
  start=$(date +%s)
  # -timeout: one input taking 10 s is a finding (a pass that never ends).
  nice -n 19 "$build/fuzz_$target" "$corpus" -max_total_time="$seconds" -timeout=10 \
      -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$findings/" >"$log" 2>&1 || true
  elapsed=$(( $(date +%s) - start ))
  execs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  found=$(find "$findings" -type f | wc -l)
  total=$((total + found))
  printf '%-20s %14s %8s %9s\n' "$target" "${execs:-?}" "$elapsed" "$found"
  if [ "$found" -gt 0 ]; then
    grep -m3 -E 'ERROR|property failed|runtime error|deadly signal' "$log" | sed 's/^/    /' || true
    find "$findings" -type f | sed 's/^/    /'
  fi
done <"$build/fuzz-targets.txt"
[ "$total" -eq 0 ]
