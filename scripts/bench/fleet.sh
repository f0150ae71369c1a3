#!/usr/bin/env bash
# The whole-server benchmark: one run of /printer:* /set:Office against /list
# and against one run per printer, at several numbers of printers of the
# supported drivers (plus half as many of another driver), in a prefix of its
# own (build/bench-fleet-prefix). One run per printer is timed on a sample
# and multiplied (the output says so).
#
#   scripts/bench/fleet.sh [--sizes "500 2000"] [--rounds 3] [--sample 10] [--cpu 0]
#
# Not a test and not part of CI; its figures depend on the machine. Wine and
# its server run pinned to one processor.
set -euo pipefail
top=$(cd "$(dirname "$0")/../.." && pwd)
sizes="500 2000" rounds=3 sample=10 cpu=0
while [ $# -gt 0 ]; do
  case "$1" in
    --sizes) sizes=$2; shift 2 ;;
    --rounds) rounds=$2; shift 2 ;;
    --sample) sample=$2; shift 2 ;;
    --cpu) cpu=$2; shift 2 ;;
    *) echo "usage: $0 [--sizes \"500 2000\"] [--rounds N] [--sample N] [--cpu N]" >&2; exit 2 ;;
  esac
done

# A prefix of its own: its printers are not the start-up benchmark's.
KPX_BENCH_PREFIX=${KPX_BENCH_FLEET_PREFIX:-${KPX_BUILD_DIR:-$top/build}/bench-fleet-prefix}
# shellcheck source=scripts/bench/prefix.sh
. "$top/scripts/bench/prefix.sh" kpx_bench_printers

# The shipped program beside its settings file and the sets' profile files.
# shellcheck source=scripts/bench/tool-folder.sh
. "$top/scripts/bench/tool-folder.sh"
make_tool_folder KPXFleet 65536

echo "Whole-server benchmark: sizes $sizes, $rounds rounds, a sample of $sample single runs, Wine pinned to processor $cpu"
python3 "$top/scripts/bench/fleet.py" --sizes "$sizes" --rounds "$rounds" --sample "$sample" --cpu "$cpu" \
  --dir 'C:\KPXFleet' --unix-dir "$dir"
