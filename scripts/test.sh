#!/usr/bin/env bash
# Installs what is missing, builds everything, and runs every test:
# the host unit tests, the same tests built for Windows under Wine, and the end-to-end tests.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh

cmake --preset native >/dev/null
cmake --build --preset native
ctest --preset native

cmake --preset windows >/dev/null
cmake --build --preset windows
ctest --preset windows
