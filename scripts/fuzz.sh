#!/bin/bash
# Builds the libFuzzer targets with clang and runs each for FUZZ_SECONDS (default 60) on a working
# copy of its seed corpus (fuzz/corpus/<reader>/). Prints each target's executions and any crash;
# exits non-zero when a target crashed, leaked or met undefined behaviour.
# FUZZ_RUNS stops a target earlier, after that many executions (the long runs use 10000000);
# FUZZ_JOBS runs that many targets side by side (default 1).
# Usage: scripts/fuzz.sh [BUILD_DIR]   (FUZZ_SECONDS, FUZZ_RUNS, FUZZ_JOBS,
#                                       FUZZ_TARGETS="event_file csv_import")
set -uo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-fuzz}
seconds=${FUZZ_SECONDS:-60}
runs_limit=${FUZZ_RUNS:--1}
generator=()
command -v ninja >/dev/null 2>&1 && generator=(-G Ninja)

CC=clang CXX=clang++ cmake -S . -B "$build" "${generator[@]}" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DALMANOR_FUZZ=ON -DALMANOR_TESTS=OFF -DALMANOR_BENCH=OFF -DALMANOR_SANITIZE=OFF >/dev/null ||
    exit 1
cmake --build "$build" --target fuzz_targets || exit 1

targets=${FUZZ_TARGETS:-$(cd fuzz && ls fuzz_*.cpp | sed 's/^fuzz_//; s/\.cpp$//')}
jobs=${FUZZ_JOBS:-1}

# Runs one target; prints its line and fails when the target found a fault.
run_target() { # TARGET
    local target=$1 work="$build/corpus/$1" artifacts="$build/artifacts/$1/" log="$build/fuzz_$1.log"
    local started=$SECONDS status took runs
    mkdir -p "$work" "$artifacts"
    ASAN_OPTIONS=detect_leaks=1 "$build/fuzz/fuzz_$target" -max_total_time="$seconds" \
        -runs="$runs_limit" -print_final_stats=1 -rss_limit_mb=4096 -max_len=65536 -timeout=30 \
        -artifact_prefix="$artifacts" "$work" "fuzz/corpus/$target" >"$log" 2>&1
    status=$?
    took=$((SECONDS - started))
    runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$' | tail -1)
    if [ "$status" -eq 0 ]; then
        echo "fuzz $target: ${runs:-?} executions in ${took} s, no crash"
        return 0
    fi
    echo "fuzz $target: FAILED after ${runs:-?} executions in ${took} s (exit $status); see $log"
    grep -m5 -E 'ERROR|SUMMARY|runtime error|Test unit written' "$log" | sed 's/^/    /'
    return 1
}

# FUZZ_JOBS targets at a time (CI gives the machine's processors).
failed=0
running=0
for target in $targets; do
    if [ "$running" -ge "$jobs" ]; then
        wait -n || failed=1
        running=$((running - 1))
    fi
    run_target "$target" &
    running=$((running + 1))
done
while [ "$running" -gt 0 ]; do
    wait -n || failed=1
    running=$((running - 1))
done
exit $failed
