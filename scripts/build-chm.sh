#!/usr/bin/env bash
# build-chm.sh SRC OUT VERSION_HEADER: compiles the help project
# SRC/KPXSETUP.hhp into the help file OUT with chmcmd (Debian's fp-utils),
# each @KPX_VERSION@ in the pages replaced by the version the header
# (written by cmake/Version.cmake) carries.
#
# The sources are kept in UTF-8 so that they read and diff like the rest of
# the project. The help file is built in code page 932: HTML Help decodes a
# Japanese file's title, contents and index in the code page of its language
# (0x411, so 932), whatever the pages declare, and only the pages themselves
# follow their charset. So every text is converted into a staging folder
# beside OUT, each page declaring Shift_JIS; a character that code page 932
# cannot hold stops the build rather than turning into '?'.
set -euo pipefail
src=$1 out=$2 header=$3
version=$(sed -n 's/^#define KPX_VERSION_TEXT "\(.*\)"$/\1/p' "$header")
[ -n "$version" ] || { echo "build-chm.sh: no version in $header" >&2; exit 1; }

if ! command -v chmcmd >/dev/null; then
  echo "build-chm.sh: chmcmd not found; install fp-utils (scripts/setup.sh)" >&2
  exit 1
fi

stage="$(dirname "$out")/help-cp932"
rm -rf "$stage"
mkdir -p "$stage"
for f in "$src"/*; do
  sed -e 's/charset=utf-8/charset=Shift_JIS/' -e "s/@KPX_VERSION@/$version/g" "$f" | iconv -f UTF-8 -t CP932 > "$stage/$(basename "$f")"
done

# Debian's chmcmd (3.2.2) records the target of each [ALIAS] entry as the
# project folder's absolute path followed by the page's name, so a context id
# would lead to "/home/.../help-cp932/ctl_list.htm", which the help file does
# not hold. Compiled with the staging folder as the root of the file system
# (a private mount namespace in which the system's program and library
# folders stay visible), the target becomes "/ctl_list.htm", the page's real
# place in the file. Where such namespaces are not allowed, the file is
# compiled in place: its pages and contents work, its context ids do not.
compile_rooted() {
  unshare --user --map-root-user --mount sh -c '
    set -e
    for d in usr lib lib32 lib64 libx32 bin; do
      if [ -L "/$d" ]; then ln -s "$(readlink "/$d")" "$1/$d"
      elif [ -d "/$d" ]; then mkdir "$1/$d" && mount --rbind "/$d" "$1/$d"; fi
    done
    exec chroot "$1" "$2" --no-html-scan /KPXSETUP.hhp' sh "$stage" "$(readlink -f "$(command -v chmcmd)")"
}
compile_in_place() {
  (cd "$stage" && chmcmd --no-html-scan KPXSETUP.hhp)
}

# chmcmd resolves [MAP]'s #include from the working directory (the root, or
# the staging folder) and reports problems only as text, with exit code 0.
if ! log=$(compile_rooted 2>&1) || [ ! -f "$stage/KPXSETUP.chm" ]; then
  echo "build-chm.sh: cannot compile in a private root; the help file's context ids will not work" >&2
  log=$(compile_in_place 2>&1)
fi
if grep -qE '^(Error|Warning)|corrupt' <<<"$log"; then
  echo "$log" >&2
  exit 1
fi

# chmcmd stamps the file with the time of day it was compiled (milliseconds
# since midnight, in the ITSF header big-endian and in #SYSTEM's entry 10),
# and has no option to do otherwise; both are set to 0, so that every build
# of the same pages gives the same bytes (a time taken from the commit would
# leave a help file built before the last commit different). Nothing reads
# these fields.
python3 - "$stage/KPXSETUP.chm" <<'PY'
import struct, sys
path = sys.argv[1]
data = bytearray(open(path, 'rb').read())
assert data[:4] == b'ITSF', 'not a help file'
stamp = struct.unpack_from('>I', data, 0x10)[0]
struct.pack_into('>I', data, 0x10, 0)
# Entry 10 of #SYSTEM: code 10, length 4, a stamp within a minute of the
# header's (midnight may lie between them).
near = lambda value: min((value - stamp) % 86400000, (stamp - value) % 86400000) < 60000
found = [at for at in range(0x60, len(data) - 8)
         if data[at:at + 4] == b'\x0a\x00\x04\x00' and near(struct.unpack_from('<I', data, at + 4)[0])]
assert len(found) == 1, 'no single time stamp in #SYSTEM'
struct.pack_into('<I', data, found[0] + 4, 0)
open(path, 'wb').write(data)
PY
mv "$stage/KPXSETUP.chm" "$out"
