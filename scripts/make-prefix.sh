#!/usr/bin/env bash
# make-prefix.sh ROOT ARCH [shared]: prints the path of a booted Wine prefix of
# ARCH (win32 or win64) under ROOT, creating it once; concurrent callers wait.
# Without "shared" it is the pristine template that private copies are made
# from, and no program ever runs in it; with "shared" it is the one working
# copy of the template that tests share. Keeping the two apart means a private
# copy never inherits what shared tests are doing at that moment.
set -euo pipefail
umask 022 # the prefix's folders (the temporary folder among them) not writable for all
root=$1 arch=$2 use=${3:-template}
template="$root/$arch"
mkdir -p "$root"
exec 9>"$root/.$arch.lock"
flock 9
if [ ! -f "$template/.kpx-ready" ]; then
  rm -rf "$template"
  (
    export WINEPREFIX="$template" WINEARCH="$arch" WINEDEBUG=-all LANG=ja_JP.UTF-8
    WINEDLLOVERRIDES="mscoree,mshtml=" wineboot -i >/dev/null 2>&1
    # Windows live on Wine's virtual desktop: without a window manager on the
    # bare X display, every top-level window that closes would otherwise wait
    # two seconds for a manager to confirm it.
    wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
    wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f >/dev/null 2>&1
    wineserver -k 2>/dev/null || true
    wineserver -w
  )
  touch "$template/.kpx-ready"
fi
if [ "$use" = shared ]; then
  shared="$root/$arch-shared"
  if [ ! -f "$shared/.kpx-ready" ]; then
    rm -rf "$shared"
    cp -a "$template" "$shared"
  fi
  echo "$shared"
else
  echo "$template"
fi
