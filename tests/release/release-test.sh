#!/usr/bin/env bash
# The zip scripts/release.sh packages from the build's shipped program (with
# --sign: signed with a throwaway certificate), checked as shipped; in a
# private prefix with the demo's printers its commands do what README.txt says.
#   release-test.sh SHIP_DIR PROBE.EXE PRINTERS.EXE WINDRES [--sign]
set -euo pipefail
top=$(cd "$(dirname "$0")/../.." && pwd)
ship=$1 probe=$2 printers=$3 windres=$4 sign=${5:-}
umask 022
tmp=$(mktemp -d /tmp/kpx-release.XXXXXX) prefix=
trap 'if [ -n "$prefix" ]; then WINEPREFIX=$prefix wineserver -k || true; WINEPREFIX=$prefix wineserver -w || true
      rm -rf "$prefix"; fi; rm -rf "$tmp"' EXIT
fail() { echo "FAILED: $*"; exit 1; }

args=(--from-build "$ship")
if [ "$sign" = --sign ]; then
  echo "throwaway-$RANDOM" >"$tmp/password"
  openssl req -x509 -newkey rsa:2048 -nodes -keyout "$tmp/key" -out "$tmp/cert" -days 2 -subj /CN=KPXSetup-test \
    -addext extendedKeyUsage=codeSigning 2>/dev/null
  openssl pkcs12 -export -inkey "$tmp/key" -in "$tmp/cert" -out "$tmp/pfx" -passout "file:$tmp/password"
  args+=(--sign "$tmp/pfx")
fi
zip=$(KPX_DIST_DIR=$tmp/dist KPX_SIGN_PASSWORD_FILE=$tmp/password "$top/scripts/release.sh" "${args[@]}" | tail -n1)
name=$(basename "$zip" .zip) version=${zip##*/KPXSetup-} version=${version%.zip}
project=$(sed -n 's/^project(KPXSetup VERSION \([0-9.]*\) .*/\1/p' "$top/CMakeLists.txt")
[[ $version =~ ^$project(-modified)?$ ]] || fail "$name is not of version $project"
(cd "$tmp/dist" && sha256sum --quiet -c SHA256SUMS) || fail "the zip's checksum"

root=${KPX_PREFIX_ROOT:-/tmp/kpx-prefixes}
prefix=$(mktemp -d "$root/fresh-win32.XXXXXX") && cp -a "$("$top/scripts/make-prefix.sh" "$root" win32)/." "$prefix/"
export WINEPREFIX=$prefix LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
folder=$prefix/drive_c/package/$name
python3 -m zipfile -e "$zip" "$prefix/drive_c/package"
(cd "$folder" && [ "$(wc -l <SHA256SUMS)" = 11 ] && sha256sum --quiet -c SHA256SUMS) || fail "the checksums inside"
"$windres" -J coff -i "$folder/KPXSETUP.EXE" -O rc >"$tmp/rc" 2>/dev/null
[ "$(grep -c "Version\", \"$version\"" "$tmp/rc")" = 2 ] || fail "the version resource does not name $version"
if [ "$sign" = --sign ]; then
  osslsigncode verify -CAfile "$tmp/cert" -in "$folder/KPXSETUP.EXE" >/dev/null || fail "the signature"
else
  cmp "$folder/KPXSETUP.EXE" "$ship/KPXSETUP.EXE" || fail "the unsigned program is not the build's"
fi

# Wine's background processes start detached, holding none of ctest's output.
wineserver -p10 </dev/null >/dev/null 2>&1 || true
wine "$printers" </dev/null >/dev/null 2>&1 || fail "the printers could not be added"
tooldir="$prefix/drive_c/Program Files/KPXSetup" exe='C:\Program Files\KPXSetup\KPXSETUP.EXE'
expect() { # expect CODE COMMAND...: runs it from the package, its code must be CODE
  local want=$1 code=0
  shift
  (cd "$folder" && wine "$@" </dev/null >"$tmp/out" 2>&1) || code=$?
  [ "$code" = "$want" ] || { cat "$tmp/out"; fail "$* ended with $code"; }
}
expect 0 cmd /c install.cmd
for f in KPXSETUP.EXE KPXSETUP.CHM KPXSETUP.INI office/office-{auto,font,tone,vivid}.kpx; do
  cmp "$folder/$f" "$tooldir/$f" || fail "install.cmd did not put $f in place"
done
head -n1 "$prefix/drive_c/windows/logs/KPXSetup/kpxsetup.log" | iconv -f CP932 -t UTF-8 |
  grep -qF "ﾊﾞｰｼﾞｮﾝ: $version ｺﾝﾋﾟｭｰﾀｰ:" || fail "the log's first line does not name $version"
expect 0 "$exe" /sets
expect 0 "$exe" /list
grep -q 'Plotter 3F' "$tmp/out" || fail "/list lists no printer"
expect 0 "$exe" /check /printer:* /set:Office
expect 0 cmd /c detect.cmd
grep -q Installed "$tmp/out" || fail "detect.cmd does not say Installed"
KPX_RELEASE_EXE=$exe KPX_RELEASE_VERSION=$version GTEST_OUTPUT= expect 0 "$probe"
expect 0 cmd /c uninstall.cmd
[ ! -e "$tooldir" ] || fail "uninstall.cmd left the program folder"
expect 1 cmd /c detect.cmd
