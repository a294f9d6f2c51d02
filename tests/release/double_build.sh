#!/usr/bin/env bash
# Builds the release twice, from two copies of the source in two folders of different depth, one
# after the other, and requires the same bytes: the programs, the read-me, the licence and
# notices, the zip, SHA256SUMS; the zip must hold the licence and the notices, neither empty.
# Only the release targets are built, so that this stays within a few minutes.
set -euo pipefail
source=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d "${TMPDIR:-/tmp}/kiv-release.XXXXXX")
trap 'rm -rf "$work"' EXIT

# Both builds take the same time stamp; the commit's when the tree is a git checkout.
if [[ -z "${SOURCE_DATE_EPOCH:-}" ]]; then
    SOURCE_DATE_EPOCH=$(git -C "$source" log -1 --format=%ct 2>/dev/null || date +%s)
fi
export SOURCE_DATE_EPOCH

# The tracked files and the new ones git does not ignore, as they are in the working tree.
copy_source() {
    mkdir -p "$1"
    git -C "$source" ls-files -z --cached --others --exclude-standard |
        (cd "$source" && xargs -0 sh -c 'for f; do [ -e "$f" ] && printf "%s\0" "$f"; done' _) |
        tar -C "$source" --null -T - -cf - | tar -C "$1" -xf -
}

copies=("$work/one" "$work/two/deeper/folder")
for copy in "${copies[@]}"; do
    copy_source "$copy"
    bash "$copy/scripts/release.sh" >"$copy.out" 2>"$copy.log" ||
        { tail -n 30 "$copy.log"; echo "the release build in $copy failed"; exit 1; }
    cat "$copy.out"
done

status=0
a=${copies[0]}
b=${copies[1]}
for file in $(cd "$a" && ls dist/* build/windows/release/*/*); do
    if cmp "$a/$file" "$b/$file"; then
        echo "same: $file"
    else
        echo "DIFFERENT: $file"
        status=1
    fi
done

# The zip carries our licence and the third-party notices, and neither is empty.
python3 - "$a/dist/"*.zip <<'CHECK' || status=1
import sys
import zipfile

sizes = {i.filename.rsplit("/", 1)[-1]: i.file_size for i in zipfile.ZipFile(sys.argv[1]).infolist()}
for name in ("LICENSE.txt", "THIRD-PARTY-NOTICES.txt"):
    if sizes.get(name, 0) == 0:
        sys.exit(f"{name} is missing from the zip or empty")
    print(f"in the zip: {name}, {sizes[name]} bytes")
CHECK
exit $status
