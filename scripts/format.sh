#!/usr/bin/env bash
# Formats the C++ sources of the tree with the pinned clang-format and the
# project's .clang-format.
#   scripts/format.sh           rewrite every file that differs
#   scripts/format.sh --check   change nothing; list each file that differs
#                               and fail (the test command runs this)
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
# The version scripts/setup.sh installs: another version formats some
# constructs differently, so only this one is asked.
format=clang-format-14
command -v "$format" >/dev/null || "$top/scripts/setup.sh" tools
# The stand-ins of the native build mirror Windows headers; they are not ours
# to style.
mapfile -t files < <(git ls-files '*.cpp' '*.h' | grep -v '^tests/native/include/')
if [ "${1:-}" = --check ]; then
  bad=0
  for f in "${files[@]}"; do
    if ! "$format" --style=file "$f" | cmp -s - "$f"; then
      echo "not formatted: $f (scripts/format.sh formats it)"
      bad=1
    fi
  done
  exit $bad
fi
"$format" --style=file -i "${files[@]}"
