#!/usr/bin/env bash
# The apply benchmark: the file work of one apply with a rename (eight
# profile targets, the record, the move of the section) with a PLOTA2.INI of
# many sections, the record and the move made through the profile functions
# (before) and on the file's text in one pass (after), each against one plain
# copy of PLOTA2.INI made in the same round.
#
#   scripts/bench/apply.sh [--sections 20000] [--rounds 5] [--mb 4] [--cpu 0]
#
# Not a test and not part of CI; its figures depend on the machine. Runs in
# the start-up benchmark's prefix (build/bench-prefix, made by startup.sh or
# here), Wine pinned to one processor.
set -euo pipefail
top=$(cd "$(dirname "$0")/../.." && pwd)
sections=20000 rounds=5 mb=4 cpu=0
while [ $# -gt 0 ]; do
  case "$1" in
    --sections) sections=$2; shift 2 ;;
    --rounds) rounds=$2; shift 2 ;;
    --mb) mb=$2; shift 2 ;;
    --cpu) cpu=$2; shift 2 ;;
    *) echo "usage: $0 [--sections N] [--rounds N] [--mb N] [--cpu N]" >&2; exit 2 ;;
  esac
done

# shellcheck source=scripts/bench/prefix.sh
. "$top/scripts/bench/prefix.sh" kpx_bench_apply
echo "Apply benchmark: $sections sections, $rounds rounds, profile files of $mb MB, Wine pinned to processor $cpu"
taskset -c "$cpu" wine "$build/ship/bench/kpx_bench_apply.exe" "$sections" "$rounds" "$mb"
wineserver -w
