#!/usr/bin/env bash
# The release as an administrator gets it: scripts/release.sh packages the
# build's shipped program (signed with a certificate made here and thrown
# away, with --sign), and the zip is checked as shipped: its name and
# version resource carry the CMake project's version, the checksums beside
# and inside it hold, and in a fresh Wine prefix with PLOTARA printers its
# own install.cmd (under Wine's cmd), /sets, /list, /check, detect.cmd, the
# version box and uninstall.cmd do what the read-me says.
#   release-test.sh SHIP_DIR PROBE.EXE PRINTERS.EXE WINDRES [--sign]
# PROBE.EXE opens the version box (ReleaseVersionBoxProbe.cpp); PRINTERS.EXE
# adds the demo's printers (scripts/demo/AddDemoPrinters.cpp).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
top=$(cd "$here/../.." && pwd)
ship=$1 probe=$2 printers=$3 windres=$4 sign=${5:-}
umask 022
# Windows need a display: without one (a plain terminal) a private Xvfb.
if [ -z "${DISPLAY:-}" ]; then exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$@"; fi
tmp=$(mktemp -d /tmp/kpx-release.XXXXXX)
prefix=
cleanup() {
  if [ -n "$prefix" ]; then WINEPREFIX=$prefix wineserver -k 2>/dev/null || true; rm -rf "$prefix"; fi
  rm -rf "$tmp"
}
trap cleanup EXIT
fail() { echo "FAILED: $*"; exit 1; }

# The release, into a folder of this test.
args=(--from-build "$ship")
if [ "$sign" = --sign ]; then
  printf 'throwaway-%s' "$RANDOM" >"$tmp/password"
  openssl req -x509 -newkey rsa:2048 -nodes -keyout "$tmp/key.pem" -out "$tmp/cert.pem" -days 2 \
    -subj "/CN=KPXSetup test signer" -addext extendedKeyUsage=codeSigning 2>/dev/null
  openssl pkcs12 -export -inkey "$tmp/key.pem" -in "$tmp/cert.pem" -out "$tmp/signer.pfx" \
    -passout "file:$tmp/password"
  args+=(--sign "$tmp/signer.pfx")
fi
zip=$(KPX_DIST_DIR=$tmp/dist KPX_SIGN_PASSWORD_FILE=$tmp/password "$top/scripts/release.sh" "${args[@]}" | tail -n1)
name=$(basename "$zip" .zip)
version=${name#KPXSetup-}
project=$(sed -n 's/^project(KPXSetup VERSION \([0-9.]*\) .*/\1/p' "$top/CMakeLists.txt")
case $version in "$project" | "$project-modified") ;; *) fail "the zip's name $name is not of version $project" ;; esac
(cd "$tmp/dist" && sha256sum --quiet -c SHA256SUMS) || fail "the zip's checksum beside it"

# Its files, in the order the zip holds them.
expected="$name/KPXSETUP.CHM $name/KPXSETUP.EXE $name/KPXSETUP.INI $name/README.txt $name/SHA256SUMS $name/detect.cmd
$name/install.cmd $name/office/office-auto.kpx $name/office/office-font.kpx $name/office/office-tone.kpx
$name/office/office-vivid.kpx $name/uninstall.cmd"
listed=$(python3 -c 'import sys, zipfile; print(" ".join(zipfile.ZipFile(sys.argv[1]).namelist()))' "$zip")
[ "$listed" = "$(echo $expected)" ] || fail "the zip holds: $listed"

# Unpacked where a distribution tool's cache would have it, in a private
# copy of the run's prefix.
root=${KPX_PREFIX_ROOT:-/tmp/kpx-prefixes}
template=$("$top/scripts/make-prefix.sh" "$root" win32)
prefix=$(mktemp -d "$root/fresh-win32.XXXXXX")
cp -a "$template/." "$prefix/"
export WINEPREFIX=$prefix LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
unset GTEST_OUTPUT
package=$prefix/drive_c/package
python3 -m zipfile -e "$zip" "$package"
folder=$package/$name
(cd "$folder" && sha256sum --quiet -c SHA256SUMS) || fail "the checksums inside the zip"
[ "$(wc -l <"$folder/SHA256SUMS")" -eq 11 ] || fail "SHA256SUMS does not name every other file"

# The version resource of the shipped program, read from the file.
"$windres" -J coff -i "$folder/KPXSETUP.EXE" -O rc 2>/dev/null >"$tmp/resources.rc"
for key in FileVersion ProductVersion; do
  grep -q "VALUE \"$key\", \"$version\"" "$tmp/resources.rc" || fail "$key is not $version"
done
if [ "$sign" = --sign ]; then
  osslsigncode verify -CAfile "$tmp/cert.pem" -in "$folder/KPXSETUP.EXE" >"$tmp/verify" 2>&1 ||
    { cat "$tmp/verify"; fail "the signature does not verify"; }
  cmp -s "$folder/KPXSETUP.EXE" "$ship/KPXSETUP.EXE" && fail "the program is not signed"
else
  cmp "$folder/KPXSETUP.EXE" "$ship/KPXSETUP.EXE" || fail "the unsigned release's program is not the build's"
fi

# Wine's background processes start detached, so that they hold none of
# ctest's output (see scripts/wine-run.sh).
wineserver -p10 </dev/null >/dev/null 2>&1 || true
wine cmd /c exit </dev/null >/dev/null 2>&1 || true
wine "$printers" </dev/null >/dev/null 2>&1 || fail "the printers could not be added"

tooldir="$prefix/drive_c/Program Files/KPXSetup"
exe='C:\Program Files\KPXSetup\KPXSETUP.EXE'
expect() { # expect CODE OUTPUT-FILE COMMAND...: runs it, its code must be CODE
  local want=$1 out=$2 code=0
  shift 2
  (cd "$folder" && wine "$@" </dev/null >"$out" 2>&1) || code=$?
  [ "$code" = "$want" ] || { iconv -f CP932 -t UTF-8 "$out" || true; fail "$* ended with $code, not $want"; }
}
expect 0 "$tmp/install" cmd /c install.cmd
for f in KPXSETUP.EXE KPXSETUP.CHM KPXSETUP.INI office/office-auto.kpx office/office-font.kpx \
         office/office-tone.kpx office/office-vivid.kpx; do
  cmp "$folder/$f" "$tooldir/$f" || fail "install.cmd did not put $f in place"
done
log="$prefix/drive_c/windows/Logs/KPXSetup/kpxsetup.log"
head -n1 "$log" | iconv -f CP932 -t UTF-8 | grep -qF "ﾊﾞｰｼﾞｮﾝ: $version ｺﾝﾋﾟｭｰﾀｰ:" ||
  fail "the log's first line does not name $version"
expect 0 "$tmp/sets" "$exe" /sets
expect 0 "$tmp/list" "$exe" /list
grep -q 'Plotter 3F' "$tmp/list" || fail "/list does not list the printers"
expect 0 "$tmp/check" "$exe" /check /printer:* /set:Office
expect 0 "$tmp/detect" cmd /c detect.cmd
grep -q Installed "$tmp/detect" || fail "detect.cmd does not say Installed"
export KPX_RELEASE_EXE=$exe KPX_RELEASE_VERSION=$version
expect 0 "$tmp/probe" "$probe"
expect 0 "$tmp/uninstall" cmd /c uninstall.cmd
[ ! -e "$tooldir" ] || fail "uninstall.cmd left the program folder"
expect 1 "$tmp/detect" cmd /c detect.cmd
echo "release $name: checked"
