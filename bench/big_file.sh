#!/bin/bash
# Starts the release calendar on a private X server with a very large calendar.dat (default
# 200 MB, some notes in the shown month) and prints the time to the mapped window, the resident
# memory when shown and its peak. Usage: bench/big_file.sh [BUILD_DIR] [MEGABYTES]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
megabytes=${2:-200}
[ -x "$build/Almanor/Almanor" ] || { echo "no $build/Almanor/Almanor: make build first" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -r "$build/Almanor" "$work/Almanor"
rm -f "$work/Almanor/calendar.dat"
python3 - "$work/Almanor/calendar.dat" "$megabytes" <<'PY'
import datetime, sys
path, megabytes = sys.argv[1], int(sys.argv[2])
today = datetime.date.today()
with open(path, "wb") as f:
    i = 0
    while f.tell() < megabytes * 1024 * 1024:
        day, month, year = i % 28 + 1, i % 12 + 1, 1800 + i % 400
        if i % 1000 == 0:
            month, year = today.month, today.year
        f.write(f'"{day}/{month}/{year}=Note {i} with a little text, as people write them"\r\n'.encode())
        i += 1
print(f"calendar.dat: {i} records, {megabytes} MB")
PY

export XDG_CONFIG_HOME="$work/config"
measure() {
    local start pid window
    start=$(date +%s.%N)
    "$work/Almanor/Almanor" >"$work/log" 2>&1 &
    pid=$!
    window=$(timeout 120 xdotool search --sync --onlyvisible --name '^Almanor$' | head -1)
    local shown
    shown=$(date +%s.%N)
    sleep 2
    echo "start to mapped window: $(python3 -c "print(round(($shown - $start) * 1000))") ms"
    grep -E '^(VmRSS|VmHWM)' "/proc/$pid/status" | sed 's/^/  /'
    kill "$pid"
    wait "$pid" 2>/dev/null || true
    [ -n "$window" ] || echo "  the window never showed"
}
export -f measure
export work
"$root/tests/x11/with_xserver.sh" bash -c measure
