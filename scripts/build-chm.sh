#!/usr/bin/env bash
# build-chm.sh SRC OUT: compiles the help project SRC/KPXSETUP.hhp into the
# help file OUT with chmcmd (Debian's fp-utils).
#
# The sources are kept in UTF-8 so that they read and diff like the rest of
# the project. The help file is built in code page 932: HTML Help decodes a
# Japanese file's title, contents and index in the code page of its language
# (0x411, so 932), whatever the pages declare, and only the pages themselves
# follow their charset. So every text is converted into a staging folder
# beside OUT, each page declaring Shift_JIS; a character that code page 932
# cannot hold stops the build rather than turning into '?'.
set -euo pipefail
src=$1 out=$2

if ! command -v chmcmd >/dev/null; then
  echo "build-chm.sh: chmcmd not found; install fp-utils (scripts/setup.sh)" >&2
  exit 1
fi

stage="$(dirname "$out")/help-cp932"
rm -rf "$stage"
mkdir -p "$stage"
for f in "$src"/*; do
  sed 's/charset=utf-8/charset=Shift_JIS/' "$f" | iconv -f UTF-8 -t CP932 > "$stage/$(basename "$f")"
done

# chmcmd resolves [MAP]'s #include from the working directory and reports
# problems only as text, with exit code 0.
log=$(cd "$stage" && chmcmd --no-html-scan KPXSETUP.hhp 2>&1)
if grep -qE '^(Error|Warning)|corrupt' <<<"$log"; then
  echo "$log" >&2
  exit 1
fi
mv "$stage/KPXSETUP.chm" "$out"
