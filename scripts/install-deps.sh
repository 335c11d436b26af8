#!/usr/bin/env bash
# Installs what the build and the tests need, and only what is missing:
# the MinGW-w64 i686 cross tools, 32-bit Wine with its own fonts, Xvfb, CMake/Ninja, clang with
# libFuzzer and the sanitizer runtimes, and GoogleTest's sources.
set -euo pipefail

SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi

need=()
have_pkg() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed"; }

for p in g++-mingw-w64-i686 binutils-mingw-w64-i686 wine wine32:i386 xvfb xauth fonts-wine \
         cmake ninja-build clang libclang-rt-14-dev googletest python3 imagemagick x11-apps; do
  have_pkg "$p" || need+=("$p")
done

if [ ${#need[@]} -eq 0 ]; then
  exit 0
fi

echo "install-deps: installing ${need[*]}"
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  $SUDO dpkg --add-architecture i386
fi
$SUDO apt-get update -q
$SUDO env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${need[@]}"
