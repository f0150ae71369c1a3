#!/usr/bin/env bash
# Two release builds of one tree give the same bytes: the release packaged
# from this build's shipped program, and one that scripts/release.sh builds
# from nothing, later, from a copy of the tree in another folder (the same
# commit with the same changes not yet committed, so the same version) and
# with another build folder. The zips and each file in them must have the
# same SHA-256. Only the shipped program and its help file are built.
#   reproducible-test.sh SHIP_DIR
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
top=$(cd "$here/../.." && pwd)
ship=$1
tmp=$(mktemp -d /tmp/kpx-reproducible.XXXXXX)
trap 'rm -rf "$tmp"' EXIT
fail() { echo "FAILED: $*"; exit 1; }

a=$(KPX_DIST_DIR=$tmp/a "$top/scripts/release.sh" --from-build "$ship" | tail -n1)

src=$tmp/another/folder/of/a/longer/name/KPXSetup
git clone -q --shared --no-checkout "$top" "$src"
git -C "$src" checkout -q --detach "$(git -C "$top" rev-parse HEAD)"
git -C "$top" diff --binary HEAD >"$tmp/changes"
if [ -s "$tmp/changes" ]; then git -C "$src" apply --binary "$tmp/changes"; fi
(cd "$top" && git ls-files -o --exclude-standard -z | tar -c --null -T - -f -) | tar -x -C "$src"
b=$(KPX_DIST_DIR=$tmp/b KPX_RELEASE_BUILD_DIR=$tmp/elsewhere/build "$src/scripts/release.sh" | tail -n1)

[ "$(basename "$a")" = "$(basename "$b")" ] || fail "two names: $(basename "$a") and $(basename "$b")"
for side in a b; do
  mkdir "$tmp/$side-files"
  python3 -m zipfile -e "$tmp/$side/$(basename "$a")" "$tmp/$side-files"
  (cd "$tmp/$side-files" && find . -type f | sort | xargs sha256sum) >"$tmp/$side.sums"
done
diff "$tmp/a.sums" "$tmp/b.sums" || fail "the files differ"
[ "$(wc -l <"$tmp/a.sums")" -eq 12 ] || fail "not every file compared"
sha256sum "$a" "$b"
[ "$(sha256sum <"$a")" = "$(sha256sum <"$b")" ] || fail "the zips differ"
echo "the same bytes from both builds"
