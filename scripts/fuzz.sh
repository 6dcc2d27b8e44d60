#!/usr/bin/env bash
# Runs every fuzz target for a bounded time, starting from its committed seed corpus.
#   scripts/fuzz.sh [BUILD_DIR] [SECONDS_PER_TARGET]      (defaults: build-asan, 60)
# BUILD_DIR must come from the "asan" preset (libFuzzer). New inputs go to a temporary folder;
# a crash or broken property stops the script with the failing input saved as
# BUILD_DIR/fuzz-crash-TARGET-*. Add such an input to tests/fuzz/crashes/TARGET/ once fixed.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-asan}
seconds=${2:-60}

# Per target: extra libFuzzer options. The list reader reads the file many times per input,
# so its inputs stay short.
declare -A options=(
    [path_helpers]=""
    [list_reader]="-max_len=2048"
    [command_words]=""
)

export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-halt_on_error=1:print_stacktrace=1}
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

for target in path_helpers list_reader command_words; do
    program="$build/tests/fuzz/${target}_fuzz"
    mkdir -p "$scratch/$target"
    echo "== fuzzing $target for ${seconds}s"
    # shellcheck disable=SC2086 # the options are separate words
    if ! "$program" ${options[$target]} -max_total_time="$seconds" -print_final_stats=1 \
            -artifact_prefix="$build/fuzz-crash-$target-" \
            "$scratch/$target" "tests/fuzz/corpus/$target" > "$scratch/$target.log" 2>&1; then
        tail -n 60 "$scratch/$target.log"
        echo "fuzzing $target found a failure; the input is in $build/fuzz-crash-$target-*" >&2
        exit 1
    fi
    grep -E '^stat::(number_of_executed_units|average_exec_per_sec)' "$scratch/$target.log"
done
