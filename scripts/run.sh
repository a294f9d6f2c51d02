#!/usr/bin/env bash
# Installs what is missing, builds, and starts kiv.exe under Wine on the user's display. With no
# display it says so and runs one measurement with kivcli instead.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh >&2

if [[ -n "${DISPLAY:-}" ]]; then
    cmake --preset windows >/dev/null
    cmake --build --preset windows --target kiv >&2
    # A Japanese locale gives the program its code page 932; the prefix is the program's own.
    export WINEPREFIX="${XDG_CACHE_HOME:-$HOME/.cache}/kiv/wine"
    export LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
    if [[ ! -f "$WINEPREFIX/system.reg" ]]; then
        echo "Creating the Wine prefix $WINEPREFIX (first run only)..." >&2
        mkdir -p "$WINEPREFIX"
        wineboot -i >/dev/null 2>&1
    fi
    # Caption buttons are drawn with Marlett, which Wine does not find in its own font folder.
    marlett=/usr/share/wine/fonts/marlett.ttf
    fonts="$WINEPREFIX/drive_c/windows/Fonts"
    if [[ -f $marlett && -d $fonts && ! -f $fonts/marlett.ttf ]]; then
        cp "$marlett" "$fonts/"
        wineserver -k 2>/dev/null || true
    fi
    # kiv.txt is kept beside the program, in build/windows/app.
    cd build/windows/app
    exec wine kiv.exe
fi

echo "No DISPLAY: the window program needs one. Running kivcli instead." >&2
cmake --preset native >/dev/null
cmake --build --preset native >&2
exec build/native/cli/kivcli "$@"
