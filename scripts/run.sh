#!/usr/bin/env bash
# Builds KPXSETUP.EXE and runs it in a demo Wine prefix with sample printers,
# a KPXSETUP.INI with three profile sets and their .kpx files beside it.
# With a display the tool's window appears there; without one it runs under
# Xvfb and a screenshot is saved (its path is printed).
#   scripts/run.sh            build, make the demo prefix (once), run
#   scripts/run.sh --readme   the same, then the screenshot replaces the
#                             README's picture (docs/kpxsetup-demo.png)
#   KPX_DEMO_PREFIX=dir       where the demo prefix lives (default: build/demo-prefix)
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
readme_image=
if [ "${1:-}" = --readme ]; then readme_image="$top/docs/kpxsetup-demo.png"; fi
"$top/scripts/build.sh" KPXSETUP kpx_demo_printers
build=${KPX_BUILD_DIR:-$top/build}

prefix=${KPX_DEMO_PREFIX:-$build/demo-prefix}
export WINEPREFIX=$prefix WINEARCH=win32 WINEDEBUG=-all LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8
export WINEDLLOVERRIDES="mscoree,mshtml="

in_x() {  # runs a command with a display, starting Xvfb when there is none
  if [ -n "${DISPLAY:-}" ]; then "$@"; else xvfb-run -a -s "-screen 0 1024x768x24" "$@"; fi
}

if [ ! -f "$prefix/.kpx-demo-ready" ]; then
  echo "Creating the demo Wine prefix in $prefix ..."
  rm -rf "$prefix"
  wineboot -i >/dev/null 2>&1; wineserver -w
  in_x wine "$build/kpx_demo_printers.exe"
  # The dialogs ask for "ＭＳ Ｐゴシック"; Wine draws it with the IPA gothic font.
  wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'ＭＳ Ｐゴシック' /d 'IPAPGothic' /f >/dev/null
  wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'ＭＳ ゴシック' /d 'IPAGothic' /f >/dev/null
  wineserver -w
  touch "$prefix/.kpx-demo-ready"
fi

# The tool beside its settings file, as an administrator deploys it.
tooldir="$prefix/drive_c/KPXSetup"
mkdir -p "$tooldir/office" "$tooldir/poster" "$tooldir/photo"
# The shipped build (win32 thread model), not the one the tests link with.
cp "$build/ship/KPXSETUP.EXE" "$build/ship/KPXSETUP.chm" "$tooldir/"
for set in office poster photo; do
  for kind in auto vivid tone font; do
    printf 'KPX1 %s %s profile\r\n' "$set" "$kind" > "$tooldir/$set/$kind.kpx"
  done
done
"$top/scripts/demo/write-settings.py" "$tooldir/KPXSETUP.INI"

# One printer already has a set recorded by an earlier apply, as the driver
# settings file would hold it; the others show the default text.
driverini="$prefix/drive_c/windows/system32/PLOTA2.INI"
[ -f "$driverini" ] || printf '[Plotter 3F]\r\nColorProfileSetName=Office\r\nAuto=auto.kpx\r\nVividness=vivid.kpx\r\nTone=tone.kpx\r\nFont=font.kpx\r\n' > "$driverini"

exe='C:\KPXSetup\KPXSETUP.EXE'
if [ -n "${DISPLAY:-}" ] && [ -z "$readme_image" ]; then
  echo "Running $exe in $prefix (close the window to end)"
  wine "$exe"
  exit 0
fi

shot="$build/kpxsetup-demo.png"
rm -f "$shot"
xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
  wine "$1" & pid=$!
  # The main dialog carries the application title as its caption, which Wine
  # gives its X window as well: wait for it, let it paint, photograph it.
  shown=
  for i in $(seq 1 120); do
    shown=$(xwininfo -root -tree 2>/dev/null | grep -F "\"$3\"" | awk "{print \$1}" | head -n1)
    [ -n "$shown" ] && break
    kill -0 $pid 2>/dev/null || break
    sleep 0.5
  done
  [ -n "$shown" ] && sleep 2
  # The dialog alone when it is there, else the whole screen.
  import -window "${shown:-root}" "$2"
  if [ -n "$shown" ]; then echo "The tool window is shown; screenshot taken"
  elif kill -0 $pid 2>/dev/null; then echo "No tool window appeared; screenshot taken anyway"
  else echo "KPXSETUP.EXE ended by itself"; fi
  wineserver -k 2>/dev/null || true
' _ "$exe" "$shot" "PLOTARA ｶﾗｰﾌﾟﾛﾌｧｲﾙ 設定ﾂｰﾙ"
echo "Screenshot: $shot"
if [ -n "$readme_image" ] && [ -f "$shot" ]; then
  mkdir -p "$(dirname "$readme_image")"
  # A palette PNG keeps the picture small in the repository.
  convert "$shot" -strip -colors 64 "PNG8:$readme_image"
  echo "README picture: $readme_image"
fi
