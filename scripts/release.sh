#!/usr/bin/env bash
# Builds the Windows programs and packs dist/kiv-<version>-win64.zip: kiv.exe and kivcli.exe,
# stripped, a short Japanese read-me in Shift-JIS with CR LF line ends, our licence and the notices
# of the libraries linked into the programs, both with CR LF; dist/SHA256SUMS holds the zip's
# checksum. The same source gives the same bytes in any folder at any time: the zip's
# times are SOURCE_DATE_EPOCH when it is set, otherwise the commit's time.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh >&2

if [[ -z "${SOURCE_DATE_EPOCH:-}" ]]; then
    SOURCE_DATE_EPOCH=$(git log -1 --format=%ct 2>/dev/null) ||
        { echo "not a git checkout: set SOURCE_DATE_EPOCH" >&2; exit 1; }
fi
export SOURCE_DATE_EPOCH

cmake --preset windows >/dev/null
cmake --build --preset windows --target kiv kivcli >&2

build=build/windows
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
name="kiv-$version-win64"
stage="$build/release/$name"
rm -rf "$stage"
mkdir -p "$stage" dist

cp "$build/app/kiv.exe" "$stage/"  # linked stripped
# strip stamps the PE header with SOURCE_DATE_EPOCH, or else the current time: 0, as the linker
# leaves kiv.exe's.
SOURCE_DATE_EPOCH=0 x86_64-w64-mingw32-strip -o "$stage/kivcli.exe" "$build/cli/kivcli.exe"
sed "s/@PROJECT_VERSION@/$version/g" app/dist/readme.txt.in |
    iconv -f UTF-8 -t CP932 | sed 's/$/\r/' >"$stage/readme.txt"
# LICENSE is plain ASCII, which any Notepad reads; the notices come from the link maps and the
# Debian packages' copyright files as they are now.
sed 's/$/\r/' LICENSE >"$stage/LICENSE.txt"
python3 scripts/third-party-notices.py "$stage/THIRD-PARTY-NOTICES.txt" \
    "$build/app/kiv.exe.map" "$build/cli/kivcli.exe.map"

files=(kiv.exe kivcli.exe readme.txt LICENSE.txt THIRD-PARTY-NOTICES.txt)
python3 scripts/pack-zip.py "dist/$name.zip" "$name" "${files[@]/#/$stage/}"
(cd dist && sha256sum "$name.zip" >SHA256SUMS)

for file in "${files[@]/#/$stage/}" "dist/$name.zip"; do
    printf '%-40s %9d bytes\n' "${file#"$build/release/"}" "$(stat -c %s "$file")"
done
cat dist/SHA256SUMS
