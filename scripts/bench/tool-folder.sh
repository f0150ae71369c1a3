# Sourced by the benchmarks that run the shipped program in their prefix:
#   make_tool_folder NAME BYTES
# puts KPXSETUP.EXE and the benchmark's printer maker into C:\NAME of the
# prefix, beside the demo's KPXSETUP.INI and its three sets' profile files
# of BYTES random bytes each. Sets dir (the folder on the host).
make_tool_folder() {
  dir="$prefix/drive_c/$1"
  mkdir -p "$dir"
  cp "$build/ship/KPXSETUP.EXE" "$build/ship/bench/kpx_bench_printers.exe" "$dir/"
  "$top/scripts/demo/write-settings.py" "$dir/KPXSETUP.INI"
  for set in office poster photo; do
    mkdir -p "$dir/$set"
    for f in auto vivid tone font; do
      head -c "$2" /dev/urandom >"$dir/$set/$f.kpx"
    done
  done
}
