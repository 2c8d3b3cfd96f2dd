#!/bin/bash
# Start-up time of the calendar: from starting the program to its window "Almanor" being mapped,
# with a calendar.dat of RECORDS events, RUNS times; prints every run and the median.
# Usage: bench/startup.sh BUILD_DIR [RUNS] [RECORDS]
#   BUILD_DIR: a Release build folder holding Almanor/Almanor, bench/startup_watch and
#   bench/startup_baseline.
# Without a display it runs itself on a private X server (Xvfb 1280x1024 with openbox).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:?usage: startup.sh BUILD_DIR [RUNS] [RECORDS]}" && pwd)
runs=${2:-10}
records=${3:-10000}

if [ -z "${DISPLAY:-}" ]; then
    exec "$root/tests/x11/with_xserver.sh" "$0" "$build" "$runs" "$records"
fi

watch="$build/bench/startup_watch"
for tool in "$watch" "$build/bench/startup_baseline"; do
    [ -x "$tool" ] || { echo "missing $tool (build startup_watch and startup_baseline)" >&2; exit 2; }
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -r "$build/Almanor" "$work/Almanor"
export HOME="$work/home" XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/runtime"
mkdir -p "$HOME" "$XDG_CONFIG_HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"

# One event a day for the RECORDS days up to yesterday: this month's boxes before today hold
# captions to fit, and nothing falls on today, so no alert box holds the start-up.
python3 "$root/bench/write_events.py" "$records" >"$work/Almanor/calendar.dat"

# The calendar and, run for run beside it, an empty Qt window: the part of the start-up that is
# Qt's own and the machine's.
times=()
cpu=()
base_times=()
base_cpu=()
for run in $(seq "$runs"); do
    read -r ms cpu_ms < <("$watch" Almanor "$work/Almanor/Almanor")
    times+=("$ms")
    cpu+=("$cpu_ms")
    read -r base_ms base_cpu_ms < <("$watch" Almanor "$build/bench/startup_baseline")
    base_times+=("$base_ms")
    base_cpu+=("$base_cpu_ms")
    echo "run $run: calendar $ms ms to the mapped window ($cpu_ms ms processor);" \
        "empty Qt window $base_ms ms ($base_cpu_ms ms)"
done
median() {
    printf '%s\n' "$@" | sort -n | awk '{ v[NR] = $1 } END {
        m = (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2
        printf "%.1f ms (min %.1f, max %.1f)", m, v[1], v[NR] }'
}
echo "calendar, median of $runs runs: $(median "${times[@]}") to the mapped window," \
    "processor $(median "${cpu[@]}")"
echo "empty Qt window, median of $runs runs: $(median "${base_times[@]}"), processor" \
    "$(median "${base_cpu[@]}")"
echo "load average: $(cut -d' ' -f1-3 /proc/loadavg)"
echo "records: $records ($(stat -c %s "$work/Almanor/calendar.dat") bytes)"
