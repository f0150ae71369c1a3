#!/usr/bin/env bash
# The interruption probe: an unattended apply (/printer:"Plotter 0001"
# /set:Office, every target existing and replaced) killed outright (SIGKILL,
# as a crash or a power cut ends it) at a random instant of its run, many
# times, with PLOTA2.INI of several sizes and profile files of some MB. After
# each kill every target and PLOTA2.INI must be the old file or the new one,
# whole, under its own name; the run after it must complete the apply.
#
#   scripts/bench/kill.sh [--sizes "200 2000 20000"] [--kills 120] [--mb 2]
#
# Not a test and not part of CI: it takes many minutes. Runs in a prefix of
# its own (build/bench-kill-prefix).
set -euo pipefail
top=$(cd "$(dirname "$0")/../.." && pwd)
sizes="200 2000 20000" kills=120 mb=2
while [ $# -gt 0 ]; do
  case "$1" in
    --sizes) sizes=$2; shift 2 ;;
    --kills) kills=$2; shift 2 ;;
    --mb) mb=$2; shift 2 ;;
    *) echo "usage: $0 [--sizes \"200 2000 20000\"] [--kills N] [--mb N]" >&2; exit 2 ;;
  esac
done

KPX_BENCH_PREFIX=${KPX_BENCH_KILL_PREFIX:-${KPX_BUILD_DIR:-$top/build}/bench-kill-prefix}
# shellcheck source=scripts/bench/prefix.sh
. "$top/scripts/bench/prefix.sh" kpx_bench_printers

# shellcheck source=scripts/bench/tool-folder.sh
. "$top/scripts/bench/tool-folder.sh"
make_tool_folder KPXKill $((mb * 1048576))
wine "$dir/kpx_bench_printers.exe" 1 >/dev/null 2>&1
echo "Interruption probe: sizes $sizes, $kills kills each, profile files of $mb MB"
python3 "$top/scripts/bench/kill.py" --sizes "$sizes" --kills "$kills" --dir 'C:\KPXKill' --unix-dir "$dir" \
  --prefix "$prefix"
