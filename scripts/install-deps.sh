#!/usr/bin/env bash
# Installs, on Debian, whatever the build and the tests need and is not there yet.
set -euo pipefail

packages=(
    cmake ninja-build g++ make pkg-config python3
    libgtest-dev libgmock-dev googletest libbenchmark-dev nlohmann-json3-dev
    g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
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

# Wine takes its ANSI code page (932) from a Japanese locale.
if ! locale -a 2>/dev/null | grep -qi '^ja_JP\.utf-\?8$'; then
    sed -i 's/^# *\(ja_JP.UTF-8 UTF-8\)/\1/' /etc/locale.gen
    locale-gen >/dev/null
fi
