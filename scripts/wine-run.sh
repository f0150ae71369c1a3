#!/usr/bin/env bash
# Runs one Windows program under Wine with code page 932 and a prefix of the
# test run. ctest calls it for every test (CMAKE_CROSSCOMPILING_EMULATOR).
#   KPX_PREFIX_ROOT  folder holding the run's prefixes (default: /tmp/kpx-prefixes)
#   KPX_WINEARCH     win32 (default) or win64, for WOW64 tests
#   KPX_FRESH_PREFIX 1: run in a private copy of the prefix, removed afterwards,
#                    for tests that change machine-wide state (services)
# A test program whose name holds "wow64" or "fresh" gets the 64-bit or a
# private prefix without being told (ctest's environment carries only the
# black-box tests' KPX_EXE).
set -euo pipefail
# Folders and files the tests make get the mode Wine turns into their access
# lists: with a permissive umask every folder would grant Everyone write, and
# the tool refuses sources in such a folder.
umask 022
here=$(cd "$(dirname "$0")" && pwd)
program=$(basename "${1:-}")
case "$program" in *wow64*) KPX_WINEARCH=${KPX_WINEARCH:-win64} ;; esac
case "$program" in *fresh*) KPX_FRESH_PREFIX=${KPX_FRESH_PREFIX:-1} ;; esac
# Listing a program's tests changes nothing: the shared prefix serves it.
case " $* " in *" --gtest_list_tests "*) KPX_FRESH_PREFIX=0 ;; esac
arch=${KPX_WINEARCH:-win32}
root=${KPX_PREFIX_ROOT:-/tmp/kpx-prefixes}
template=$("$here/make-prefix.sh" "$root" "$arch")

overrides="mscoree,mshtml="
# The DLL-search test's program (and all it starts) looks in the program's
# folder first for these DLLs, as Windows does for DLLs that are not KnownDLLs
# (Wine otherwise prefers its own).
case "$program" in *dllsearch*) overrides="$overrides;winspool.drv,shfolder,userenv,hhctrl.ocx,comctl32=n,b" ;; esac
export LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8 WINEDEBUG=-all WINEDLLOVERRIDES="$overrides"
if [ "${KPX_FRESH_PREFIX:-0}" = 1 ]; then
  prefix=$(mktemp -d "$root/fresh-$arch.XXXXXX")
  # The system's program files (nine tenths of the prefix) are shared with
  # the template as hard links: Wine only maps them, and a test that puts a
  # file of that name in place replaces it, which leaves the template's as
  # it was. Every other file (the registry, INI files) is a copy of its own.
  cp -al "$template/." "$prefix/"
  find "$prefix" -type f -links +1 ! \( -iname '*.dll' -o -iname '*.exe' -o -iname '*.drv' -o -iname '*.sys' \
      -o -iname '*.ocx' -o -iname '*.cpl' -o -iname '*.acm' -o -iname '*.nls' -o -iname '*.tlb' -o -iname '*.ax' \) \
      -exec sh -c 'for f; do cp -p "$f" "$f.kpx-copy" && mv -f "$f.kpx-copy" "$f"; done' sh {} +
  # The server is waited for before its folder goes: the next private prefix
  # may get the same inode, and Wine finds a prefix's server by its inode, so
  # a server still ending would serve the new prefix with the old one's
  # state (its running copy of the tool, its mutexes).
  trap 'WINEPREFIX="$prefix" wineserver -k 2>/dev/null || true; WINEPREFIX="$prefix" wineserver -w 2>/dev/null || true
        rm -rf "$prefix"' EXIT
else
  prefix=$("$here/make-prefix.sh" "$root" "$arch" shared)
fi
export WINEPREFIX=$prefix
# Without an X display (a plain terminal) windows cannot be created; start a
# private Xvfb for this one run.
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$@"
fi
# Each GoogleTest process writes its results to a file of its own there, so
# that the test command can count the cases of the whole run. Beside it, a
# run file names the command and, once Wine returns, its exit code: a process
# that crashed, hung until ctest's timeout or ended badly after its cases
# leaves no results or no clean exit there, and the count names it.
run_file=
if [ -n "${KPX_RESULTS_DIR:-}" ]; then
  results=$(mktemp --suffix=.xml "$KPX_RESULTS_DIR/$program.XXXXXX")
  run_file="${results%.xml}.run"
  printf 'command %s\n' "$*" >"$run_file"
  export GTEST_OUTPUT="xml:Z:$results"
fi
# Wine's background processes (wineserver, services, the desktop) must not
# inherit our output: ctest reads it until every holder has closed it, which
# would add the server's linger time to every test. So the server is started
# here, detached, and kept for a minute after its last client, and the
# background processes start from a warm-up run whose output goes nowhere.
wineserver -p60 </dev/null >/dev/null 2>&1 || true
wine cmd /c exit </dev/null >/dev/null 2>&1 || true
status=0
wine "$@" || status=$?
if [ -n "$run_file" ]; then echo "exit $status" >>"$run_file"; fi
exit $status
