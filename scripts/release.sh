#!/usr/bin/env bash
# Builds the Windows programs and packs dist/kiv-<version>-win64.zip: kiv.exe, kivcli.exe (when
# the tree builds it) and a short Japanese read-me in Shift-JIS with CR LF line ends.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh >&2

cmake --preset windows >/dev/null
cmake --build --preset windows --target kiv >&2
if grep -q '^add_executable(kivcli' cli/CMakeLists.txt; then
    cmake --build --preset windows --target kivcli >&2
fi

build=build/windows
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
name="kiv-$version-win64"
stage="$build/release/$name"
rm -rf "$stage"
mkdir -p "$stage" dist

cp "$build/app/kiv.exe" "$stage/"
[[ -f "$build/cli/kivcli.exe" ]] && cp "$build/cli/kivcli.exe" "$stage/"
sed "s/@PROJECT_VERSION@/$version/" app/dist/readme.txt.in |
    iconv -f UTF-8 -t CP932 | sed 's/$/\r/' >"$stage/readme.txt"

rm -f "dist/$name.zip"
(cd "$build/release" && zip -q -X -r "$OLDPWD/dist/$name.zip" "$name")
echo "dist/$name.zip"
