#!/usr/bin/env bash
# The import check refuses a program that imports a DLL which is neither a
# KnownDLL nor bound through the manifest: the probe imports WINSPOOL.DRV as
# the shipped program did. Every function the probe imports is vetted here,
# so only the DLL rule can make the check fail; with WINSPOOL.DRV allowed the
# same check passes.
#   check-imports-test.sh PROBE.EXE IMPORTS-DIR [OBJDUMP]
set -euo pipefail
probe=$1 dir=$2 objdump=${3:-i686-w64-mingw32-objdump}
check=$dir/check-imports.sh
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
fail() { echo "FAILED: $*"; exit 1; }

"$check" --list "$probe" "$objdump" > "$tmp/vetted"
grep -q '^WINSPOOL.DRV EnumPrintersA$' "$tmp/vetted" || fail "the probe does not import the spooler"

rc=0
"$check" "$probe" "$tmp/vetted" "$dir/allowed-dlls.txt" "$objdump" > "$tmp/out" || rc=$?
cat "$tmp/out"
[ "$rc" = 1 ] || fail "exit code $rc, expected 1"
# The refused DLLs, one a line after the heading: WINSPOOL.DRV alone.
refused=$(sed -n '/neither KnownDLLs nor bound through the manifest/,/^[^ ]/p' "$tmp/out" | grep '^  ')
[ "$refused" = "  WINSPOOL.DRV" ] || fail "refused: $refused"

{ cat "$dir/allowed-dlls.txt"; echo "WINSPOOL.DRV"; } > "$tmp/allowed"
"$check" "$probe" "$tmp/vetted" "$tmp/allowed" "$objdump" || fail "refused with WINSPOOL.DRV allowed"
echo "PASSED"
