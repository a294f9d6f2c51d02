#!/usr/bin/env bash
# Runs one Windows program under Wine in a throwaway prefix with a Japanese locale,
# and passes its exit code back. Used by CTest for the cross-built tests.
set -euo pipefail
prefix=$(mktemp -d "${TMPDIR:-/tmp}/kiv-wine.XXXXXX")
cleanup() {
    WINEPREFIX="$prefix" wineserver -k 2>/dev/null || true
    rm -rf "$prefix"
}
trap cleanup EXIT
export WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8
unset DISPLAY
wine "$@"
