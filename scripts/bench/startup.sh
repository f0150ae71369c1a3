#!/usr/bin/env bash
# The start-up benchmark: KPXSETUP.EXE from its start to a ready main dialog,
# against the floor (a program without a window that only enumerates the
# printers, opens each once, compares its driver, reads its recorded set, reads
# the tool's sets and asks for the default printer), the same floor comparing
# the driver before it opens a printer (as the tool does), and an empty
# program, at several numbers of printers of the supported drivers (plus half
# as many of another driver). Also the program's column sorts against one read of the
# column's texts, and the tool's peak memory above the floor's.
#
#   scripts/bench/startup.sh [--sizes "10 100 500 2000"] [--rounds 5] [--cpu 0]
#
#   KPX_BENCH_PREFIX=dir  the Wine prefix (default build/bench-prefix), made
#                         once and kept; each size adds or deletes printers
#   KPX_BENCH_TOOL=exe    measures another build of the benchmark tool (a
#                         kpx_bench_tool.exe, e.g. of an older commit's
#                         sources with scripts/bench/ copied in)
#
# Not a test and not part of CI: it takes minutes and its figures depend on
# the machine. Wine and its server run pinned to one processor (taskset),
# which keeps the rounds comparable: unpinned, runs swing up to fourfold.
# Progress is printed as it goes; the tables follow each size.
set -euo pipefail
top=$(cd "$(dirname "$0")/../.." && pwd)
sizes="10 100 500 2000" rounds=5 cpu=0
while [ $# -gt 0 ]; do
  case "$1" in
    --sizes) sizes=$2; shift 2 ;;
    --rounds) rounds=$2; shift 2 ;;
    --cpu) cpu=$2; shift 2 ;;
    *) echo "usage: $0 [--sizes \"10 100 500 2000\"] [--rounds N] [--cpu N]" >&2; exit 2 ;;
  esac
done

# shellcheck source=scripts/bench/prefix.sh
. "$top/scripts/bench/prefix.sh" kpx_bench
bin="$build/ship/bench"
tool=${KPX_BENCH_TOOL:-$bin/kpx_bench_tool.exe}

# The programs in one folder of the prefix, the tool beside its settings file.
dir="$prefix/drive_c/KPXBench"
mkdir -p "$dir"
cp "$tool" "$dir/KPXSETUP.EXE"
cp "$bin/kpx_bench_floor.exe" "$bin/kpx_bench_empty.exe" "$bin/kpx_bench_printers.exe" "$dir/"
"$top/scripts/demo/write-settings.py" "$dir/KPXSETUP.INI"

run=(python3 "$top/scripts/bench/rounds.py" --sizes "$sizes" --rounds "$rounds" --cpu "$cpu" --dir 'C:\KPXBench')
echo "Benchmark: sizes $sizes, $rounds rounds, Wine pinned to processor $cpu"
if [ -n "${DISPLAY:-}" ]; then
  "${run[@]}"
else
  xvfb-run -a -s "-screen 0 1024x768x24" "${run[@]}"
fi
