#!/usr/bin/env bash
# package.sh: builds the release and writes dist/orva-<version>-win32.zip (the
# Addins folder a RadASM user copies, and ORVA.txt) and its SHA-256 checksum
# file dist/orva-<version>-win32.zip.sha256. The version is the CMake project
# version. Installs whatever the build needs first.
set -euo pipefail
cd "$(dirname "$0")/.."

echo "package: installing what is missing (the first time this takes minutes)"
scripts/install-deps.sh
echo "package: configuring the Windows build (build/windows)"
cmake --preset windows >/dev/null
echo "package: building orvara.dll, the six message modules, orva-lookup.exe and the zip"
cmake --build --preset windows --target orva_package

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build/windows/CMakeCache.txt)
zip=orva-$version-win32.zip
mkdir -p dist
cp "build/windows/dist/$zip" "build/windows/dist/$zip.sha256" dist/
(cd dist && sha256sum --check --quiet "$zip.sha256")

echo "package: wrote dist/$zip ($(stat -c %s "dist/$zip") bytes) and dist/$zip.sha256:"
python3 -c 'import sys, zipfile
for i in zipfile.ZipFile(sys.argv[1]).infolist(): print(f"  {i.file_size:>9}  {i.filename}")' "dist/$zip"
