# Sourced by the benchmarks: builds the shipped program's configure with the
# benchmark target named in $1 (build/ship builds the benchmark programs), and
# sets up the benchmark's Wine prefix, made once and kept:
#   KPX_BENCH_PREFIX=dir  the prefix (default build/bench-prefix)
# Sets build (the build folder) and exports the Wine environment.
"$top/scripts/build.sh" KPXSETUP
build=${KPX_BUILD_DIR:-$top/build}
cmake --build "$build/ship" --target "$1" -j"$(nproc)"

prefix=${KPX_BENCH_PREFIX:-$build/bench-prefix}
export WINEPREFIX=$prefix WINEARCH=win32 WINEDEBUG=-all LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8
export WINEDLLOVERRIDES="mscoree,mshtml="
if [ ! -f "$prefix/.kpx-bench-ready" ]; then
  echo "Creating the benchmark's Wine prefix in $prefix ..."
  rm -rf "$prefix"
  wineboot -i >/dev/null 2>&1
  # As in the tests: windows on Wine's virtual desktop, which needs no window
  # manager; the dialog's fonts drawn with the IPA gothic fonts, as in the demo.
  wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
  wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f >/dev/null 2>&1
  wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'ＭＳ Ｐゴシック' /d 'IPAPGothic' /f >/dev/null 2>&1
  wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'ＭＳ ゴシック' /d 'IPAGothic' /f >/dev/null 2>&1
  wineserver -k 2>/dev/null || true
  wineserver -w
  touch "$prefix/.kpx-bench-ready"
fi
