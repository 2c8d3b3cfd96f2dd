#!/bin/bash
# The calendar on a real X server: the window "Almanor" appears at the bottom right of the work
# area with the size of a style-1 month, the desktop shows through the gaps between the boxes,
# a second start replaces the first copy, and a copy killed outright does not block the next.
# Run by CTest inside with_xserver.sh. With ALMANOR_SAVE_SCREENSHOT=1 the window's picture is
# saved to docs/screenshots/calendar-window.png.
set -uo pipefail

: "${ALMANOR_PROGRAM_DIR:?}" "${ALMANOR_SOURCE_DIR:?}"
work=$(mktemp -d)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill -9 "$pid" 2>/dev/null; done
    wait 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# Waits up to $1 seconds for the command after it to succeed.
wait_for() {
    local seconds=$1
    shift
    local deadline=$((SECONDS + seconds))
    until "$@"; do
        [ $SECONDS -ge $deadline ] && return 1
        sleep 0.05
    done
}

export HOME="$work/home" XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/runtime"
mkdir -p "$HOME" "$XDG_CONFIG_HOME/Almanor" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
cp -r "$ALMANOR_PROGRAM_DIR" "$work/Almanor"
program="$work/Almanor/Almanor"

# Weeks from Sunday, style 1, bottom right; no splash and no alert box in the way.
cat >"$XDG_CONFIG_HOME/Almanor/Almanor.ini" <<'EOF'
[Settings]
Style=1
Alignment=0
Start%20Day=1
Show%20Splash=0
Show%20Alerts=0
EOF

# Some events of this month, plus one every-year event.
month=$(date +%-m)
year=$(date +%Y)
printf '"3/%s/%s=Dentist at 9"\r\n"12/%s/%s=Quarterly planning meeting with the design team and guests upstairs"\r\n"20/%s/9999=Anna'"'"'s birthday"\r\n"27/%s/%s=Tom && Jerry"\r\n' \
    "$month" "$year" "$month" "$year" "$month" "$month" "$year" >"$work/Almanor/calendar.dat"

# A solid desktop colour that no label of the calendar uses.
xsetroot -solid '#ff00ff'

calendar_windows() {
    xdotool search --onlyvisible --name '^Almanor$' 2>/dev/null
}
window_of_pid() {
    local id
    for id in $(calendar_windows); do
        [ "$(xdotool getwindowpid "$id" 2>/dev/null)" = "$1" ] && echo "$id" && return 0
    done
    return 1
}
start_calendar() {
    "$program" >>"$work/calendar.log" 2>&1 &
    started=$!
    pids+=("$started")
}
# A copy that ended stays a zombie until reaped, so look at its state, not just its pid.
is_running() {
    local state
    state=$(ps -o stat= -p "$1" 2>/dev/null)
    [ -n "$state" ] && [[ $state != Z* ]]
}
has_exited() { ! is_running "$1"; }

# --- The window, its place and its size ------------------------------------------------------
start_calendar
first=$started
wait_for 30 window_of_pid "$first" >/dev/null || fail "no window 'Almanor' of the first copy"
win=$(window_of_pid "$first")

# Expected size: style 1 is 6405 twips wide, and 5775 or 6765 twips high for five or six rows.
first_column=$(date -d "$year-$month-01" +%w)
days=$(date -d "$year-$month-01 +1 month -1 day" +%-d)
if [ $((first_column + days - 1)) -ge 35 ]; then height_twips=6765; else height_twips=5775; fi
dpi=$(xrdb -query 2>/dev/null | awk '/^Xft.dpi:/ {print $2}')
dpi=${dpi:-96}
px() { awk -v t="$1" -v d="$dpi" 'BEGIN { printf "%d", t * d / 1440 + 0.5 }'; }
want_w=$(px 6405)
want_h=$(px $height_twips)

read -r wa_x wa_y wa_w wa_h < <(xprop -root _NET_WORKAREA | sed 's/.*= //; s/,//g' | awk '{print $1, $2, $3, $4}')
geometry() {
    xwininfo -id "$win" | awk '/Absolute upper-left X/ {x=$NF} /Absolute upper-left Y/ {y=$NF}
        /^ +Width:/ {w=$NF} /^ +Height:/ {h=$NF} END {print x, y, w, h}'
}
near() { [ $(($1 - $2)) -le 1 ] && [ $(($2 - $1)) -le 1 ]; }
placed() {
    read -r x y w h < <(geometry)
    near "$w" "$want_w" && near "$h" "$want_h" &&
        near $((x + w)) $((wa_x + wa_w)) && near $((y + h)) $((wa_y + wa_h))
}
# The window manager may settle the position just after mapping.
if ! wait_for 10 placed; then
    read -r x y w h < <(geometry)
    fail "window at ${x},${y} size ${w}x${h}; want ${want_w}x${want_h} at the bottom right of" \
        "the work area ${wa_x},${wa_y} ${wa_w}x${wa_h}"
fi
read -r x y w h < <(geometry)
echo "window ${w}x${h} at ${x},${y} (work area ${wa_x},${wa_y} ${wa_w}x${wa_h}, ${dpi} dpi)"

# --- The desktop shows through the gaps -----------------------------------------------------
# Row 1 is always full. Between boxes 7 and 8 lies a gap of 75 twips; inside box 8 is the box.
gap_x=$((x + $(px 952)))
row_y=$((y + $(px 2257)))
box_x=$((x + $(px 1400)))
pixel() {
    import -silent -window root -crop "1x1+$1+$2" -depth 8 txt:- 2>/dev/null |
        awk 'NR == 2 {print $3}'
}
shows_desktop() { [ "$(pixel "$gap_x" "$row_y")" = "#FF00FF" ]; }
wait_for 10 shows_desktop || fail "the gap at ${gap_x},${row_y} shows $(pixel "$gap_x" "$row_y"), not the desktop"
box_colour=$(pixel "$box_x" "$row_y")
[ "$box_colour" != "#FF00FF" ] || fail "box 8 at ${box_x},${row_y} is see-through"
# Outside the grid, left of box 0 and below the last row, the desktop shows as well.
[ "$(pixel $((x + 1)) "$row_y")" = "#FF00FF" ] || fail "the margin left of the grid is drawn"

if [ "${ALMANOR_SAVE_SCREENSHOT:-0}" = 1 ]; then
    shots="$ALMANOR_SOURCE_DIR/docs/screenshots"
    mkdir -p "$shots"
    # A desktop blue for the picture, then the test colour again.
    xsetroot -solid '#3a6ea5'
    sleep 0.5
    import -silent -window root -crop "$((w + 40))x$((h + 40))+$((x - 40))+$((y - 40))" +repage \
        "$shots/calendar-window.png" || fail "screenshot failed"
    xsetroot -solid '#ff00ff'
    echo "screenshot: $shots/calendar-window.png"
fi

# --- A second start replaces the first copy ---------------------------------------------------
start_calendar
second=$started
wait_for 30 has_exited "$first" || fail "the first copy still runs after a second start"
wait_for 30 window_of_pid "$second" >/dev/null || fail "the second copy shows no window"
sleep 0.3
is_running "$second" || fail "the second copy ended as well"
[ "$(calendar_windows | wc -l)" -eq 1 ] || fail "more than one calendar window is shown"

# --- A copy killed outright leaves nothing that blocks the next start -------------------------
kill -9 "$second"
wait "$second" 2>/dev/null
start_calendar
third=$started
wait_for 30 window_of_pid "$third" >/dev/null || fail "no window after a crashed copy"
# It answers to the name: a fourth start closes it.
start_calendar
fourth=$started
wait_for 30 has_exited "$third" || fail "the copy started after a crash does not answer"
wait_for 30 window_of_pid "$fourth" >/dev/null || fail "the fourth copy shows no window"
kill "$fourth"
wait_for 30 has_exited "$fourth" || fail "the calendar does not end on SIGTERM"

echo "PASS"
