#!/usr/bin/env bash
# make-prefix.sh ROOT ARCH: prints the path of a booted Wine prefix of ARCH
# (win32 or win64) under ROOT, creating it once; concurrent callers wait.
set -euo pipefail
root=$1 arch=$2
prefix="$root/$arch"
mkdir -p "$root"
exec 9>"$root/.$arch.lock"
flock 9
if [ ! -f "$prefix/.kpx-ready" ]; then
  rm -rf "$prefix"
  export WINEPREFIX="$prefix" WINEARCH="$arch" WINEDEBUG=-all LANG=ja_JP.UTF-8
  WINEDLLOVERRIDES="mscoree,mshtml=" wineboot -i >/dev/null 2>&1
  # Windows live on Wine's virtual desktop: without a window manager on the
  # bare X display, every top-level window that closes would otherwise wait
  # two seconds for a manager to confirm it.
  wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
  wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f >/dev/null 2>&1
  wineserver -w
  touch "$prefix/.kpx-ready"
fi
echo "$prefix"
