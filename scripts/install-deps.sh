#!/usr/bin/env bash
# Installs, on Debian, whatever the build and the tests need and is not there yet.
set -euo pipefail

packages=(
    cmake ninja-build g++ make pkg-config python3
    libgtest-dev libgmock-dev googletest libbenchmark-dev nlohmann-json3-dev
    g++-mingw-w64-x86-64-win32 binutils-mingw-w64-x86-64
    wine wine64 xvfb x11-utils imagemagick fonts-ipafont-gothic locales zip
    clang libclang-rt-14-dev python3
)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
    echo "Installing: ${missing[*]}"
    apt-get update -qq
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}" >/dev/null
fi

# Wine takes its ANSI code page from the locale: 932 from a Japanese one, which the program is
# written for, and 1252 from an English one, which an end-to-end case runs it under.
for locale in ja_JP en_US; do
    if ! locale -a 2>/dev/null | grep -qi "^${locale}\\.utf-\\?8\$"; then
        sed -i "s/^# *\\(${locale}.UTF-8 UTF-8\\)/\\1/" /etc/locale.gen
        generate=1
    fi
done
if [[ -v generate ]]; then
    locale-gen >/dev/null
fi
