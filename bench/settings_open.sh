#!/bin/bash
# Opening the settings window: from the F8 key on the running calendar to the window "Almanor
# Settings" being mapped, with RECORDS events in calendar.dat and the Default pack present, RUNS
# times (the window is closed between runs, so each run builds it afresh); prints every run and
# the median. The time includes sending the key (a short xdotool run).
# Usage: bench/settings_open.sh BUILD_DIR [RUNS] [RECORDS]
#   BUILD_DIR: a Release build folder holding Almanor/Almanor (with Default) and
#   bench/startup_watch.
# Without a display it runs itself on a private X server (Xvfb 1280x1024 with openbox).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:?usage: settings_open.sh BUILD_DIR [RUNS] [RECORDS]}" && pwd)
runs=${2:-20}
records=${3:-100000}

if [ -z "${DISPLAY:-}" ]; then
    exec "$root/tests/x11/with_xserver.sh" "$0" "$build" "$runs" "$records"
fi

watch="$build/bench/startup_watch"
[ -x "$watch" ] || { echo "missing $watch (build startup_watch)" >&2; exit 2; }
[ -f "$build/Almanor/Default/settings.ini" ] || { echo "missing the Default pack" >&2; exit 2; }
work=$(mktemp -d)
pid=""
cleanup() {
    [ -n "$pid" ] && kill "$pid" 2>/dev/null
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
cp -r "$build/Almanor" "$work/Almanor"
export HOME="$work/home" XDG_CONFIG_HOME="$work/config" XDG_CONFIG_DIRS="$work/xdg"
export XDG_RUNTIME_DIR="$work/runtime"
mkdir -p "$HOME" "$XDG_CONFIG_HOME/Almanor" "$XDG_CONFIG_DIRS" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
printf '[Settings]\nShow%%20Splash=0\nSettings%%20Tab=2\n' >"$XDG_CONFIG_HOME/Almanor/Almanor.ini"

# One event a day for the RECORDS days up to yesterday, none today (no alert box).
python3 "$root/bench/write_events.py" "$records" >"$work/Almanor/calendar.dat"

"$work/Almanor/Almanor" >"$work/calendar.log" 2>&1 &
pid=$!
wid=$(timeout 60 xdotool search --sync --onlyvisible --name '^Almanor$' | head -1)
[ -n "$wid" ] || { echo "the calendar did not start" >&2; exit 1; }
sleep 1

times=()
for run in $(seq "$runs"); do
    xdotool windowactivate --sync "$wid" 2>/dev/null || true
    sleep 0.3
    # A key that went elsewhere (the calendar not focused yet on a busy machine) opens nothing:
    # that run is left out.
    if ! out=$("$watch" --trigger "Almanor Settings" xdotool key F8 2>/dev/null); then
        echo "run $run: the key opened no window; left out"
        continue
    fi
    ms=${out%% *}
    times+=("$ms")
    echo "run $run: $ms ms from F8 to the mapped settings window"
    # Cancel closes the window; the next run opens a new one.
    sid=$(timeout 10 xdotool search --sync --onlyvisible --name '^Almanor Settings$' 2>/dev/null | head -1)
    xdotool mousemove --window "$sid" 236 323 click 1 2>/dev/null || true
    for _ in $(seq 50); do
        xdotool search --onlyvisible --name '^Almanor Settings$' >/dev/null 2>&1 || break
        sleep 0.1
    done
done
printf '%s\n' "${times[@]}" | sort -n | awk '{ v[NR] = $1 } END {
    m = (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2
    printf "settings window, median of %d runs: %.1f ms (min %.1f, max %.1f)\n", NR, m, v[1], v[NR] }'
echo "load average: $(cut -d' ' -f1-3 /proc/loadavg)"
echo "records: $records ($(stat -c %s "$work/Almanor/calendar.dat") bytes)"
