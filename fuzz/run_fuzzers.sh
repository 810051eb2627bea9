#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for SECONDS (default 30) from its
# seed corpus; new inputs gather in the build folder, never in the repository.
#   fuzz/run_fuzzers.sh            the short run CI makes
#   fuzz/run_fuzzers.sh 3600       a long run: an hour per target
# QUIVANTO_FUZZ_BUILD_DIR picks the build folder (default: build-fuzz beside fuzz/).
# A crash leaves its input in <build>/artifacts/; replay it with <build>/<target> <file>.
set -euo pipefail

seconds="${1:-30}"
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
build="${QUIVANTO_FUZZ_BUILD_DIR:-$here/../build-fuzz}"
targets=(fuzz_list_bytes fuzz_item_line fuzz_dropped_path fuzz_duplicate_scans)

if ! command -v clang++ >/dev/null; then
    echo "run_fuzzers.sh: clang++ is needed (packages clang and libclang-rt-14-dev)" >&2
    exit 1
fi
cmake -S "$here" -B "$build" -G Ninja -DCMAKE_CXX_COMPILER=clang++ \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j 2

mkdir -p "$build/artifacts"
summary=()
failed=0
for target in "${targets[@]}"; do
    corpus="$build/corpus/$target"
    mkdir -p "$corpus"
    log="$build/$target.log"
    echo "== $target: $seconds s"
    status=0
    "$build/$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=8192 \
        -print_final_stats=1 -artifact_prefix="$build/artifacts/$target-" \
        "$corpus" "$here/corpus/$target" >"$log" 2>&1 || status=$?
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
    if [ "$status" -ne 0 ]; then
        failed=1
        tail -n 40 "$log"
        summary+=("$target: FAILED after ${runs:-?} executions (log: $log)")
    else
        summary+=("$target: ${runs:-?} executions in $seconds s, no failure")
    fi
done
printf '%s\n' "${summary[@]}"
exit "$failed"
