#!/usr/bin/env bash
# Runs one Windows program under Wine in a throwaway prefix with a Japanese locale,
# and passes its exit code back. Used by CTest for the cross-built tests. Without a display;
# with KIV_WINE_XVFB=1, on a private Xvfb display, for tests that open real windows.
set -euo pipefail
prefix=$(mktemp -d "${TMPDIR:-/tmp}/kiv-wine.XXXXXX")
xvfb_pid=
cleanup() {
    WINEPREFIX="$prefix" wineserver -k 2>/dev/null || true
    if [[ -n $xvfb_pid ]]; then kill "$xvfb_pid" 2>/dev/null || true; fi
    rm -rf "$prefix"
}
trap cleanup EXIT
# A test's own WINEDLLOVERRIDES are added to ours.
export WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=${WINEDLLOVERRIDES:+;$WINEDLLOVERRIDES}" LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8
unset DISPLAY
if [[ ${KIV_WINE_XVFB:-} == 1 ]]; then
    # Xvfb picks a free display number and writes it to the file descriptor.
    exec {number_fd}<> <(:)
    Xvfb -displayfd "$number_fd" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    xvfb_pid=$!
    read -r -t 10 number <&"$number_fd"
    export DISPLAY=":$number"
fi
wine "$@"
