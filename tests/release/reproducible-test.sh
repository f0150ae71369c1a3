#!/usr/bin/env bash
# Two release builds of one tree give the same bytes: the release packaged
# from this build's shipped program, and one scripts/release.sh builds from
# nothing, later, from a copy of the tree (the same commit with the same
# changes, so the same version) in other folders. The zips and each file in
# them have the same SHA-256.
#   reproducible-test.sh SHIP_DIR
set -euo pipefail
top=$(cd "$(dirname "$0")/../.." && pwd)
tmp=$(mktemp -d /tmp/kpx-reproducible.XXXXXX)
trap 'rm -rf "$tmp"' EXIT
a=$(KPX_DIST_DIR=$tmp/a "$top/scripts/release.sh" --from-build "$1" | tail -n1)
src=$tmp/another/folder/of/a/longer/name/KPXSetup
git clone -q --shared --no-checkout "$top" "$src"
git -C "$src" checkout -q --detach "$(git -C "$top" rev-parse HEAD)"
git -C "$top" diff --binary HEAD >"$tmp/changes"
if [ -s "$tmp/changes" ]; then git -C "$src" apply --binary "$tmp/changes"; fi
(cd "$top" && git ls-files -o --exclude-standard -z | tar -c --null -T - -f -) | tar -x -C "$src"
b=$(KPX_DIST_DIR=$tmp/b KPX_RELEASE_BUILD_DIR=$tmp/elsewhere/build "$src/scripts/release.sh" | tail -n1)
for side in "$a" "$b"; do
  (python3 -m zipfile -e "$side" "$side.files" && cd "$side.files" && find . -type f | sort | xargs sha256sum)
  sha256sum <"$side"
done >"$tmp/sums"
[ "$(sort "$tmp/sums" | uniq -c | awk '$1 != 2' | wc -l)" = 0 ] && [ "$(wc -l <"$tmp/sums")" = 26 ] ||
  { cat "$tmp/sums"; echo "FAILED: the two releases differ"; exit 1; }
