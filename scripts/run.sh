#!/usr/bin/env bash
# Installs what is missing, builds, and runs one measurement.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh >&2

cmake --preset native >/dev/null
cmake --build --preset native >&2
exec build/native/cli/kivcli "$@"
