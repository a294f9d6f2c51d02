#!/bin/sh
# kivcli against data files a hostile user may plant: a FIFO nobody writes to, a link to
# /dev/zero and a sparse 3 GB file without a line end. Each must be reported, the measurement
# must go on with the defaults and exit 0, within the address space given (KiB; 0 for none: the
# sanitizers reserve terabytes), and the planted file must be left as it was.
set -eu
kivcli=$1
limit_kib=$2
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
mkfifo "$dir/fifo.txt"
ln -s /dev/zero "$dir/zero.txt"
truncate -s 3G "$dir/sparse.txt"
for name in fifo zero sparse; do
    status=0
    (
        [ "$limit_kib" = 0 ] || ulimit -v "$limit_kib"
        exec timeout 60 "$kivcli" --json --file "$dir/$name.txt"
    ) >"$dir/out" 2>"$dir/err" || status=$?
    if [ "$status" != 0 ] || ! grep -q '"row":[0-9]' "$dir/out" ||
        ! grep -q "^file:$dir/$name.txt " "$dir/err"; then
        echo "$name.txt: exit $status"
        cat "$dir/out" "$dir/err"
        exit 1
    fi
done
test -p "$dir/fifo.txt"
test "$(readlink "$dir/zero.txt")" = /dev/zero
test "$(stat -c %s "$dir/sparse.txt")" = 3221225472
test "$(ls "$dir" | tr '\n' ' ')" = "err fifo.txt out sparse.txt zero.txt "
