#!/usr/bin/env bash
# Runs each fuzz target for a while: bash scripts/fuzz.sh [seconds per target] [target...]
# Builds the sanitizer build first. The test command runs it for a few seconds per target; run
# it longer by hand, e.g. `bash scripts/fuzz.sh 600`. The seeds in fuzz/corpus/<target>/ are
# read only; what a run finds goes to build/asan/fuzz-corpus/, and an input that fails to
# build/asan/fuzz-findings/ (the run then stops with its message).
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-5}
shift || true
targets=("$@")
((${#targets[@]})) || targets=(load atof format cstring path)

cmake --preset asan >/dev/null
cmake --build --preset asan >/dev/null

build=build/asan
mkdir -p "$build/fuzz-findings"
# The load target's scratch files, on a memory file system when there is one.
scratch=$(mktemp -d /dev/shm/kiv-fuzz.XXXXXX 2>/dev/null || mktemp -d)
trap 'rm -rf "$scratch"' EXIT
export KIV_FUZZ_DIR="$scratch"
for target in "${targets[@]}"; do
    work="$build/fuzz-corpus/$target"
    mkdir -p "$work"
    log="$build/fuzz-$target.log"
    if ! "$build/fuzz/${target}_fuzzer" "$work" "fuzz/corpus/$target" \
        -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
        -artifact_prefix="$build/fuzz-findings/$target-" >"$log" 2>&1; then
        tail -n 40 "$log"
        echo "fuzz: $target FAILED (input saved under $build/fuzz-findings/)"
        exit 1
    fi
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
    echo "fuzz: $target ok, $runs runs in ${seconds}s"
done
