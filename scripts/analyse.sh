#!/usr/bin/env bash
# Static analysis of the product code (not the tests) with cppcheck, for the
# Windows target in its ANSI build. Fails on any finding. Each suppression
# below gives its reason; a finding on one line is suppressed in the code
# with "// cppcheck-suppress <id>" and a reason beside it.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
command -v cppcheck >/dev/null || "$top/scripts/setup.sh" tools
# missingIncludeSystem: the Windows and run-time headers are not on this
#   machine; the windows library configuration stands in for them.
# useStlAlgorithm: a plain loop over a short table reads as clearly as an
#   algorithm call, and the code keeps to one style for them.
cppcheck --quiet --error-exitcode=1 --enable=warning,style,performance,portability \
  --std=c++17 --language=c++ --platform=win32A --library=windows -I . --inline-suppr \
  --suppress=missingIncludeSystem --suppress=useStlAlgorithm \
  classlib platform settings printers operation report ui cmdline app
