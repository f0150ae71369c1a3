#!/usr/bin/env bash
# Builds the shipped program and its help file in a fresh build folder and
# writes the release an administrator downloads:
#   dist/KPXSetup-<version>.zip   one folder KPXSetup-<version>/ holding
#       KPXSETUP.EXE, KPXSETUP.CHM, a sample KPXSETUP.INI with the set Office
#       and its four .kpx files (office\), install.cmd, detect.cmd,
#       uninstall.cmd, README.txt and SHA256SUMS (of every other file)
#   dist/SHA256SUMS               the zip's SHA-256
# The version is the CMake project's, as the build wrote it (a tree that
# differs from its commit gives "<version>-modified").
#
#   scripts/release.sh [--sign PFX [--timestamp URL]] [--from-build DIR]
#   --sign PFX       signs KPXSETUP.EXE (Authenticode, SHA-256) with the
#                    certificate and key of the PKCS#12 file PFX; its password
#                    comes from KPX_SIGN_PASSWORD_FILE (a file) or
#                    KPX_SIGN_PASSWORD (the environment), never the command line
#   --timestamp URL  adds an RFC 3161 time stamp from that server
#   --from-build DIR packages the program and help file already built in DIR
#                    (a build of these sources with the shipped program's
#                    settings, such as build/ship) instead of building
#   KPX_DIST_DIR     where the release goes (default: dist/)
#   KPX_RELEASE_BUILD_DIR  the fresh build folder (default: dist/build)
#
# The same commit gives the same bytes wherever and whenever it is built:
# times come from the commit (SOURCE_DATE_EPOCH), no output holds a path of
# the build (see CMakeLists.txt and scripts/build-chm.sh), and the zip's
# entries stand in name order with the commit's time and fixed attributes.
# What cannot be pinned here is the tools themselves: another version of the
# compiler, the linker, chmcmd or zlib may give other bytes, so a check
# against the source uses the packages scripts/setup.sh installs on the
# Debian release that built it. A time stamp is the server's signature over
# the time of signing, different on each run: a time-stamped build is
# reproducible only up to its signature (see docs/developer.md).
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
sign= timestamp= from=
while [ $# -gt 0 ]; do
  case $1 in
    --sign) sign=${2:?--sign needs a PKCS#12 file}; shift 2 ;;
    --timestamp) timestamp=${2:?--timestamp needs an address}; shift 2 ;;
    --from-build) from=${2:?--from-build needs a folder}; shift 2 ;;
    *) echo "usage: $0 [--sign PFX [--timestamp URL]] [--from-build DIR]" >&2; exit 2 ;;
  esac
done
if [ -n "$timestamp" ] && [ -z "$sign" ]; then
  echo "release.sh: --timestamp needs --sign" >&2; exit 2
fi
if [ -n "$sign" ]; then
  [ -f "$sign" ] || { echo "release.sh: no certificate file $sign" >&2; exit 2; }
  if [ -z "${KPX_SIGN_PASSWORD_FILE:-}" ] && [ -z "${KPX_SIGN_PASSWORD+set}" ]; then
    echo "release.sh: set KPX_SIGN_PASSWORD_FILE or KPX_SIGN_PASSWORD for the certificate's password" >&2
    exit 2
  fi
fi
"$top/scripts/setup.sh"

export TZ=UTC LC_ALL=C
umask 022
if [ -z "${SOURCE_DATE_EPOCH:-}" ]; then
  SOURCE_DATE_EPOCH=$(git -C "$top" log -1 --format=%ct 2>/dev/null) ||
    { echo "release.sh: not a git checkout; set SOURCE_DATE_EPOCH to the commit's time" >&2; exit 2; }
fi
export SOURCE_DATE_EPOCH
dist=${KPX_DIST_DIR:-$top/dist}
mkdir -p "$dist"
dist=$(cd "$dist" && pwd)

if [ -z "$from" ]; then
  from=${KPX_RELEASE_BUILD_DIR:-$dist/build}
  rm -rf "$from"
  cmake -S "$top" -B "$from" -DCMAKE_TOOLCHAIN_FILE="$top/cmake/mingw-i686-win32.cmake" \
        -DCMAKE_BUILD_TYPE=Release -DKPX_BUILD_TESTS=OFF -DKPX_WARNINGS_AS_ERRORS=ON >/dev/null
  cmake --build "$from" -j"$(nproc)"
fi
version=$(sed -n 's/^#define KPX_VERSION_TEXT "\(.*\)"$/\1/p' "$from/generated/kpx_version.h")
[ -n "$version" ] || { echo "release.sh: no version in $from/generated/kpx_version.h" >&2; exit 1; }

name=KPXSetup-$version
stage=$(mktemp -d "$dist/.stage.XXXXXX")
trap 'rm -rf "$stage"' EXIT
folder=$stage/$name
mkdir -p "$folder/office"
cp "$from/KPXSETUP.EXE" "$folder/KPXSETUP.EXE"
cp "$from/KPXSETUP.chm" "$folder/KPXSETUP.CHM"
files=$top/scripts/release
cp "$files/install.cmd" "$files/detect.cmd" "$files/uninstall.cmd" "$files/KPXSETUP.INI" "$folder/"
cp "$files"/office/*.kpx "$folder/office/"
# The read-me in the code page Notepad of a Japanese Windows reads, CR LF.
sed -e "s/@KPX_VERSION@/$version/g" -e 's/$/\r/' "$files/README.txt" | iconv -f UTF-8 -t CP932 >"$folder/README.txt"

if [ -n "$sign" ]; then
  args=(sign -pkcs12 "$sign" -h sha256 -n "KPXSetup $version" -in "$folder/KPXSETUP.EXE"
        -out "$stage/signed.exe")
  # Without a time stamp the signing time is the commit's, so the signed
  # program too is the same from any build with the same certificate.
  if [ -n "$timestamp" ]; then args+=(-ts "$timestamp"); else args+=(-time "$SOURCE_DATE_EPOCH"); fi
  # The password reaches the signer in a file, never on its command line
  # (which every user of the machine can read): the given one, or one of
  # this run's private folder holding the environment's.
  passfile=${KPX_SIGN_PASSWORD_FILE:-}
  if [ -z "$passfile" ]; then
    passfile=$stage/password
    (umask 077 && printf '%s' "$KPX_SIGN_PASSWORD" >"$passfile")
  fi
  osslsigncode "${args[@]}" -readpass "$passfile" >/dev/null
  mv "$stage/signed.exe" "$folder/KPXSETUP.EXE"
fi

(cd "$folder" && find . -type f | sed 's|^\./||' | sort | xargs sha256sum >"$stage/SHA256SUMS" && mv "$stage/SHA256SUMS" .)

zip=$dist/$name.zip
python3 - "$stage" "$name" "$zip.new" "$SOURCE_DATE_EPOCH" <<'PY'
import os, sys, time, zipfile
stage, name, out, epoch = sys.argv[1], sys.argv[2], sys.argv[3], int(sys.argv[4])
stamp = time.gmtime(max(epoch, 315532800))[:6]  # a zip holds no time before 1980
paths = []
for root, dirs, files in os.walk(os.path.join(stage, name)):
    paths += [os.path.relpath(os.path.join(root, f), stage) for f in files]
with zipfile.ZipFile(out, 'w') as z:
    for path in sorted(paths):
        info = zipfile.ZipInfo(path.replace(os.sep, '/'), stamp)
        info.create_system = 0  # MS-DOS: no owner or mode of the build machine
        info.external_attr = 0x20  # archive
        info.compress_type = zipfile.ZIP_DEFLATED
        with open(os.path.join(stage, path), 'rb') as f:
            z.writestr(info, f.read(), compresslevel=9)
PY
mv "$zip.new" "$zip"
(cd "$dist" && sha256sum "$name.zip" >SHA256SUMS.new && mv SHA256SUMS.new SHA256SUMS)
echo "$zip"
