#!/bin/bash
# Text typed in the open editor survives the calendar being closed by another program: a second
# copy's start (which replaces the running one) and the termination signal a session's end sends
# both save it into calendar.dat before the calendar goes.
set -u
: "${ALMANOR_PROGRAM_DIR:?}"
# shellcheck source=common.sh
source "$(dirname "$0")/common.sh"

program_world
data="$work/Almanor/calendar.dat"
year=$(date +%Y)
month=$(date +%-m)

# start_calendar: a calendar whose window id lands in $wid and pid in $calendar_pid.
start_calendar() {
    start "$work/Almanor/Almanor"
    calendar_pid=$last_pid
    wid=""
    for _ in $(seq 100); do
        wid=$(xdotool search --all --onlyvisible --pid "$calendar_pid" --name '^Almanor$' 2>/dev/null | head -1)
        [ -n "$wid" ] && break
        sleep 0.2
    done
    [ -n "$wid" ] || { fail "the calendar window did not appear"; exit 1; }
    sleep 0.5
}

# box_point DAY: the screen point "x y" of the day's box in the calendar $wid.
box_point() {
    eval "$(xdotool getwindowgeometry --shell "$wid")"
    local index=$(($(date -d "$year-$month-01" +%w) + $1 - 1))
    echo $((X + (90 + index % 7 * 900 + 412) / 15)) $((Y + (810 + index / 7 * 990 + 300) / 15))
}

# type_on_day DAY TEXT: opens the editor with a double click on the day's box and types TEXT,
# without saving.
type_on_day() {
    # shellcheck disable=SC2046
    xdotool mousemove $(box_point "$1") click --repeat 2 --delay 60 1
    local editor
    editor=$(timeout 10 xdotool search --all --sync --onlyvisible --pid "$calendar_pid" --name '^Almanor - 0 Characters' | head -1)
    [ -n "$editor" ] || { fail "the editor did not open on day $1"; return 1; }
    xdotool windowactivate --sync "$editor" 2>/dev/null || true
    sleep 0.3
    xdotool type --delay 30 "$2"
    timeout 5 xdotool search --all --sync --onlyvisible --pid "$calendar_pid" --name "^Almanor - ${#2} Characters" >/dev/null ||
        fail "the editor did not take the text \"$2\""
}

note "a second copy replaces a calendar whose editor holds typed text and whose day menu is open"
start_calendar
first_pid=$calendar_pid
type_on_day 15 "Dentist at 9"
before=$(xdotool search --onlyvisible --name '' 2>/dev/null | sort)
# shellcheck disable=SC2046
xdotool mousemove $(box_point 20) click 3
sleep 0.5
after=$(xdotool search --onlyvisible --name '' 2>/dev/null | sort)
[ "$before" != "$after" ] || fail "the day menu did not open"
start_calendar
wait_end "$first_pid" 15 || fail "the first calendar did not close when a second copy started"
grep -q "\"15/$month/$year=Dentist at 9\"" "$data" 2>/dev/null ||
    fail "the typed text was lost: $(cat "$data" 2>/dev/null)"

note "the termination signal saves the typed text, then the calendar ends"
type_on_day 16 "Call Anna"
kill -TERM "$calendar_pid"
wait_end "$calendar_pid" 15 || fail "the calendar did not end on the termination signal"
grep -q "\"16/$month/$year=Call Anna\"" "$data" 2>/dev/null ||
    fail "the typed text was lost at the termination signal: $(cat "$data" 2>/dev/null)"
grep -q "\"15/$month/$year=Dentist at 9\"" "$data" || fail "the earlier note went"

exit $((failures > 0))
