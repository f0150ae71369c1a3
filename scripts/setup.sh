#!/usr/bin/env bash
# Installs everything the build, the tests and the demo need on a fresh Debian
# machine: the mingw-w64 cross compilers (posix thread model for the tests,
# win32 thread model for the shipped program), Wine with its 32-bit half, Xvfb, the
# Japanese locale and font, googletest sources, ImageMagick for screenshots,
# chmcmd (fp-utils) for the help file, osslsigncode and openssl for signing a
# release (scripts/release.sh) and its test.
# Safe to run again: it installs only what is missing.
#   scripts/setup.sh          everything above
#   scripts/setup.sh native   only what the native sanitizer and fuzz build needs
#                             (clang with libFuzzer, GoogleTest, CMake)
#   scripts/setup.sh tools    only the checkers: clang-format 14 (pinned: the
#                             format check asks this version) and cppcheck
set -euo pipefail

SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi

need=()
have() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed"; }

install_missing() {
  local need=()
  for p in "$@"; do have "$p" || need+=("$p"); done
  if [ ${#need[@]} -gt 0 ]; then
    $SUDO apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${need[@]}" >/dev/null
  fi
}

if [ "${1:-}" = tools ]; then
  install_missing clang-format-14 cppcheck
  exit 0
fi

if [ "${1:-}" = native ]; then
  install_missing cmake make clang libclang-rt-14-dev libgtest-dev
  exit 0
fi

pkgs=(cmake make g++-mingw-w64-i686-posix g++-mingw-w64-i686-win32 binutils-mingw-w64-i686 wine wine32:i386 wine64
      xvfb xauth locales fonts-ipafont-gothic imagemagick googletest x11-utils python3
      fp-utils clang-format-14 cppcheck clang libclang-rt-14-dev libgtest-dev osslsigncode openssl)
for p in "${pkgs[@]}"; do have "$p" || need+=("$p"); done

if [ ${#need[@]} -gt 0 ]; then
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    $SUDO dpkg --add-architecture i386
  fi
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${need[@]}" >/dev/null
fi

# Wine takes its ANSI code page from the locale: ja_JP.UTF-8 gives code page 932.
if ! locale -a 2>/dev/null | grep -qi '^ja_JP\.utf-\?8$'; then
  $SUDO sed -i 's/^# *\(ja_JP.UTF-8 UTF-8\)/\1/' /etc/locale.gen
  grep -q '^ja_JP.UTF-8 UTF-8' /etc/locale.gen || echo 'ja_JP.UTF-8 UTF-8' | $SUDO tee -a /etc/locale.gen >/dev/null
  $SUDO locale-gen >/dev/null
fi
