#!/bin/bash
# Reminders reach a real notification server: dunst on this X display, in a private D-Bus
# session. With one day ahead and the reminder time passed, the calendar's start sends "Today"
# and "Tomorrow" with their notes; a second start on the same day sends nothing more.
set -u
: "${ALMANOR_PROGRAM_DIR:?}" "${ALMANOR_SOURCE_DIR:?}"
source "$(dirname "$0")/common.sh"

command -v dunst >/dev/null || { echo "SKIP: dunst is not installed"; exit 0; }
program_world "Remind%20Days=1" "Remind%20Time=00:00" "Show%20Alerts=0"
export XDG_STATE_HOME="$work/state"
tomorrow=$(date -d tomorrow +%-d/%-m/%Y)
today=$(date +%-d/%-m/%Y)
printf '"%s=Dentist at ten"\r\n"%s=Gym"\r\n' "$tomorrow" "$today" >"$work/Almanor/calendar.dat"

# The private session bus; dunst stays out of the user's own configuration.
address_file="$work/bus.address"
start dbus-daemon --session --nofork --print-address=3 3>"$address_file"
for _ in $(seq 100); do [ -s "$address_file" ] && break; sleep 0.05; done
export DBUS_SESSION_BUS_ADDRESS=$(head -1 "$address_file")
[ -n "$DBUS_SESSION_BUS_ADDRESS" ] || { fail "the private bus did not start"; exit 1; }
mkdir -p "$work/config/dunst"
printf '[global]\n    history_length = 20\n' >"$work/config/dunst/dunstrc"
start dunst -config "$work/config/dunst/dunstrc"
for _ in $(seq 100); do dunstctl is-paused >/dev/null 2>&1 && break; sleep 0.05; done

# All that arrived: dunst keeps closed notices in its history.
arrived() {
    dunstctl close-all >/dev/null 2>&1
    dunstctl history 2>/dev/null
}

start "$work/Almanor/Almanor"
calendar=$last_pid
history=""
for _ in $(seq 100); do
    history=$(arrived)
    grep -q '"Tomorrow"' <<<"$history" && grep -q '"Today"' <<<"$history" && break
    sleep 0.1
done
grep -q '"Tomorrow"' <<<"$history" || fail "no \"Tomorrow\" notice arrived: $history"
grep -q 'Dentist at ten' <<<"$history" || fail "tomorrow's note did not arrive: $history"
grep -q 'Gym' <<<"$history" || fail "today's note did not arrive: $history"
grep -q '"Almanor"' <<<"$history" || fail "the notices do not name the program: $history"
kill "$calendar"
wait "$calendar" 2>/dev/null

# A second start on the same day tells nothing again.
count=$(grep -c '"Tomorrow"' <<<"$history")
start "$work/Almanor/Almanor"
timeout 20 xdotool search --sync --onlyvisible --name '^Almanor$' >/dev/null ||
    fail "the calendar did not start again"
sleep 2
again=$(grep -c '"Tomorrow"' <<<"$(arrived)")
[ "$again" -eq "$count" ] || fail "the second start sent the reminders again ($again, not $count)"
[ -n "${ALMANOR_DEBUG:-}" ] && echo "$history"
[ "$failures" -eq 0 ] || exit 1
echo "PASS: reminders arrive at the desktop's notification server once a day"
