#!/usr/bin/env bash
# Builds the release twice, from two copies of the source in two folders of different depth, one
# after the other, and requires the same bytes: the programs, the read-me, the zip, SHA256SUMS.
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
exit $status
