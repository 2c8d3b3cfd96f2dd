#!/bin/bash
# A day with two records on a real X server: a dated "Dentist" and, later in calendar.dat, an
# every-year "Birthday" for the same day. The box shows the birthday; editing it through the real
# editor changes that record only and leaves the dentist as it was.
set -u
: "${ALMANOR_PROGRAM_DIR:?}" "${ALMANOR_SOURCE_DIR:?}"
source "$(dirname "$0")/common.sh"

program_world "Show%20Alerts=0"
year=$(date +%Y)
month=$(date +%-m)
data="$work/Almanor/calendar.dat"
printf '"5/%s/%s=Dentist"\r\n"5/%s/9999=Birthday"\r\n' "$month" "$year" "$month" >"$data"

start "$work/Almanor/Almanor"
calendar=$last_pid
wid=$(timeout 20 xdotool search --sync --onlyvisible --name '^Almanor$' | head -1)
[ -n "$wid" ] || { fail "the calendar window did not appear"; exit 1; }
sleep 1
eval "$(xdotool getwindowgeometry --shell "$wid")"

# The box of the 5th, in style 1 at 15 twips to a pixel: boxes 825 x 915 twips with 75 between
# them, the grid starting at 90, 810.
index=$(($(date -d "$year-$month-01" +%w) + 4))
box_x=$((X + (90 + index % 7 * 900 + 412) / 15))
box_y=$((Y + (810 + index / 7 * 990 + 300) / 15))
import -window "$wid" "$work/shown.png"

# The editor opens on the record the box shows: "Birthday", 8 characters.
xdotool mousemove "$box_x" "$box_y" click --repeat 2 --delay 60 1
editor=$(timeout 10 xdotool search --sync --onlyvisible --name '^Almanor - 8 Characters - 1 Words\.$' | head -1)
if [ -z "$editor" ]; then
    fail "the editor did not open on the shown \"Birthday\""
    exit 1
fi
xdotool windowactivate --sync "$editor" 2>/dev/null || true
sleep 0.3
# The whole text is selected: typing replaces it; "Every year" stays ticked.
xdotool type --delay 30 "Birthday party"
timeout 5 xdotool search --sync --onlyvisible --name '^Almanor - 14 Characters - 2 Words\.$' >/dev/null ||
    fail "the editor's title did not count the typed text"
xdotool key Return

expected=$(printf '"5/%s/%s=Dentist"\r\n"5/%s/9999=Birthday party"\r\n' "$month" "$year" "$month")
for _ in $(seq 50); do
    [ "$(cat "$data")" = "$expected" ] && break
    sleep 0.1
done
if [ "$(cat "$data")" != "$expected" ]; then
    fail "calendar.dat after the edit is not the dentist and the changed birthday:"
    cat -A "$data" >&2
fi
sleep 0.5
xdotool search --onlyvisible --name '^Almanor - ' >/dev/null && fail "the editor stayed open after Enter"
import -window "$wid" "$work/saved.png"
alive "$calendar" || fail "the calendar ended during the test"
[ "$failures" -eq 0 ] || exit 1
echo "PASS: the edit of a day with two records changes the record shown"
