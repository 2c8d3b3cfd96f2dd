#!/bin/bash
# Starts the calendar from the program folder given. With a display it simply runs it. Without
# one it runs it on a private X server, saves a screenshot, prints the screenshot's path and exits.
set -euo pipefail
program_dir=$(cd "${1:-build/Almanor}" && pwd)
root=$(cd "$(dirname "$0")/.." && pwd)

if [ -n "${DISPLAY:-}" ]; then
    exec "$program_dir/Almanor"
fi

mkdir -p "$root/build/screenshots"
shot="$root/build/screenshots/almanor-$(date +%Y%m%d-%H%M%S).png"
export ALMANOR_SHOT="$shot" ALMANOR_BIN="$program_dir/Almanor"
"$root/tests/x11/with_xserver.sh" bash -c '
    xsetroot -solid "#3a6ea5"
    "$ALMANOR_BIN" &
    pid=$!
    if ! timeout 20 xdotool search --sync --onlyvisible --name "^Almanor$" >/dev/null; then
        echo "The calendar window did not appear." >&2
        kill $pid 2>/dev/null
        exit 1
    fi
    sleep 2   # let the splash go and the window paint
    import -window root "$ALMANOR_SHOT"
    kill $pid 2>/dev/null
    wait $pid 2>/dev/null || true
'
echo "$shot"
