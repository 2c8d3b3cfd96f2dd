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

# start_calendar: a calendar whose window id lands in $calendar and pid in $calendar_pid.
start_calendar() {
    start "$work/Almanor/Almanor"
    calendar_pid=$last_pid
    calendar=""
    for _ in $(seq 100); do
        calendar=$(xdotool search --all --onlyvisible --pid "$calendar_pid" --name '^Almanor$' 2>/dev/null | head -1)
        [ -n "$calendar" ] && break
        sleep 0.2
    done
    [ -n "$calendar" ] || { fail "the calendar window did not appear"; exit 1; }
    sleep 0.5
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
