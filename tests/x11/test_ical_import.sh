#!/bin/bash
# iCalendar import through the settings window on a real X server: F8 opens the settings, the
# mouse wheel over the tab strip brings the "Import\Export" tab, "from iCalendar File" opens the
# real file dialog, the typed path and Enter import the file, the success message comes, and the
# events show in their day box. Then a yearly holiday calendar and a calendar of one-off events on
# the same days are imported one after the other: each keeps to its own kind of record.
# Screenshots go to docs/screenshots/ical-*.png.
set -u
: "${ALMANOR_PROGRAM_DIR:?}" "${ALMANOR_SOURCE_DIR:?}"
# shellcheck source=common.sh
source "$(dirname "$0")/common.sh"
shots="$ALMANOR_SOURCE_DIR/docs/screenshots"
mkdir -p "$shots"

# A private program folder and settings: the window in the centre, no splash, no pack style,
# the settings window opening on its first tab.
program_world "Settings%20Tab=1"
export TZ=UTC
xsetroot -solid "#3a6ea5"

# Two events on the 15th of this month as another calendar program exports them: an all-day
# one and one at 09:30 in a zone one hour ahead of UTC, with a summary folded over two lines.
year=$(date +%Y)
month=$(date +%-m)
day=$(printf '%04d%02d15' "$year" "$month")
ics="$work/school year.ics"
printf '%s\r\n' "BEGIN:VCALENDAR" "VERSION:2.0" "PRODID:-//Other//Calendar//EN" \
    "BEGIN:VTIMEZONE" "TZID:Plus One" "BEGIN:STANDARD" "DTSTART:19700101T000000" \
    "TZOFFSETFROM:+0100" "TZOFFSETTO:+0100" "END:STANDARD" "END:VTIMEZONE" \
    "BEGIN:VEVENT" "UID:1@other" "DTSTAMP:20260101T000000Z" "DTSTART;VALUE=DATE:$day" \
    "SUMMARY:Sports day" "END:VEVENT" \
    "BEGIN:VEVENT" "UID:2@other" "DTSTAMP:20260101T000000Z" "DTSTART;TZID=Plus One:${day}T093000" \
    "SUMMARY:Parents\\, teachers" "  evening" "END:VEVENT" "END:VCALENDAR" >"$ics"

cd "$work" && start "$work/Almanor/Almanor"
pid=$last_pid
wid=$(timeout 20 xdotool search --sync --onlyvisible --name '^Almanor$' | head -1)
[ -n "$wid" ] || { fail "the calendar window did not appear"; exit 1; }
sleep 1
eval "$(xdotool getwindowgeometry --shell "$wid")"
win_x=$X
win_y=$Y

# The box of the 15th, in style 1 at 15 twips to a pixel (as in test_interaction.sh).
first_column=$(date -d "$year-$month-01" +%w)
index=$((first_column + 14))
box_x=$((win_x + (90 + (index % 7) * 900) / 15))
box_y=$((win_y + (810 + (index / 7) * 990) / 15))
box_geometry="55x61+$box_x+$box_y"
import -window root -crop "$box_geometry" "$work/box-before.png"

xdotool windowactivate --sync "$wid" 2>/dev/null || true
xdotool key F8
settings=$(timeout 10 xdotool search --sync --onlyvisible --name '^Almanor Settings$' | head -1)
[ -n "$settings" ] || { fail "F8 did not open the settings window"; exit 1; }
sleep 0.8
set_x=$(xwininfo -id "$settings" | awk '/Absolute upper-left X/ {print $4}')
set_y=$(xwininfo -id "$settings" | awk '/Absolute upper-left Y/ {print $4}')
# Six notches of the wheel over the tab strip: from "Events" to "Import\Export".
xdotool mousemove "$((set_x + 60))" "$((set_y + 12))"
for _ in 1 2 3 4 5 6; do
    xdotool click 5
    sleep 0.15
done
sleep 0.5

# Imports the .ics file $1 with "from iCalendar File" (the fourth button of the Import frame:
# the page lies at 225, 765 twips in the window, the frame at 0, 60 in the page, the button at
# 240, 1710 in the frame) and the real file dialog, then closes the success message. With $2,
# screenshots of the dialog and the message are taken.
import_ics() {
    local path=$1 shots_too=${2:-} dialog message
    xdotool mousemove "$((set_x + (225 + 240 + 1005) / 15))" "$((set_y + (765 + 60 + 1710 + 172) / 15))"
    sleep 0.2
    xdotool click 1
    dialog=$(timeout 10 xdotool search --sync --onlyvisible --name '^Import Events from iCalendar File$' | head -1)
    [ -n "$dialog" ] || { fail "\"from iCalendar File\" did not open the file dialog"; return 1; }
    sleep 0.8
    [ -n "$shots_too" ] && import -window root "$shots/ical-file-dialog.png"
    xdotool type --delay 20 "$path"
    sleep 0.3
    xdotool key Return
    # The machine may be busy: the import and its message get up to 20 s.
    message=""
    for _ in $(seq 200); do
        message=$(xdotool search --onlyvisible --name '^Almanor$' 2>/dev/null | grep -v "^$wid\$" | head -1)
        [ -n "$message" ] && break
        sleep 0.1
    done
    [ -n "$message" ] || { fail "no message box after importing $path"; return 1; }
    sleep 0.5
    [ -n "$shots_too" ] && import -window root "$shots/ical-imported.png"
    xdotool windowactivate --sync "$message" 2>/dev/null || true
    xdotool key Return
    for _ in $(seq 50); do
        xdotool search --onlyvisible --name '^Almanor$' 2>/dev/null | grep -qv "^$wid\$" || break
        sleep 0.1
    done
    if xdotool search --onlyvisible --name '^Almanor$' 2>/dev/null | grep -qv "^$wid\$"; then
        fail "the message box stayed open after Enter"
        return 1
    fi
    sleep 0.3
}

import_ics "$ics" shots
grep -q "\"15/$month/$year=Sports day + 08:30:00 Parents, teachers evening\"" \
    "$work/Almanor/calendar.dat" 2>/dev/null ||
    fail "calendar.dat did not receive the imported events: $(cat "$work/Almanor/calendar.dat" 2>&1)"

# A holiday calendar of yearly events, then another program's one-off events of this year on
# the same days: the one-offs become dated records, the yearly ones every-year records.
holidays="$work/holidays.ics"
printf '%s\r\n' "BEGIN:VCALENDAR" "VERSION:2.0" "PRODID:-//Holidays//EN" \
    "BEGIN:VEVENT" "UID:xmas@holidays" "DTSTAMP:20260101T000000Z" "DTSTART;VALUE=DATE:20001225" \
    "RRULE:FREQ=YEARLY" "SUMMARY:Christmas" "END:VEVENT" \
    "BEGIN:VEVENT" "UID:newyear@holidays" "DTSTAMP:20260101T000000Z" "DTSTART;VALUE=DATE:20000101" \
    "RRULE:FREQ=YEARLY" "SUMMARY:New Year" "END:VEVENT" "END:VCALENDAR" >"$holidays"
one_offs="$work/family.ics"
printf '%s\r\n' "BEGIN:VCALENDAR" "VERSION:2.0" "PRODID:-//Family//EN" \
    "BEGIN:VEVENT" "UID:1@family" "DTSTAMP:20260101T000000Z" "DTSTART;VALUE=DATE:${year}1225" \
    "SUMMARY:Christmas Day at Gran's" "END:VEVENT" \
    "BEGIN:VEVENT" "UID:2@family" "DTSTAMP:20260101T000000Z" "DTSTART;VALUE=DATE:${year}0101" \
    "SUMMARY:New Year walk" "END:VEVENT" "END:VCALENDAR" "X-COMMENT: exported by a web calendar" \
    >"$one_offs"
import_ics "$holidays"
import_ics "$one_offs"
for record in "25/12/9999=Christmas" "1/1/9999=New Year" "25/12/$year=Christmas Day at Gran's" \
    "1/1/$year=New Year walk"; do
    grep -qxF "\"$record\"" <(tr -d '\r' <"$work/Almanor/calendar.dat") ||
        fail "calendar.dat lacks the record $record: $(cat "$work/Almanor/calendar.dat" 2>&1)"
done

# The box of the 15th now shows the events: its pixels changed.
xdotool windowclose "$settings" 2>/dev/null || xdotool key --window "$settings" Escape
sleep 0.8
import -window root -crop "$box_geometry" "$work/box-after.png"
import -window root "$shots/ical-calendar.png"
difference=$(compare -metric AE "$work/box-before.png" "$work/box-after.png" null: 2>&1 || true)
[ "${difference%% *}" != "0" ] || fail "the day box of the imported events did not change"

alive "$pid" || fail "the calendar ended during the test"
[ "$failures" -eq 0 ] || exit 1
echo "PASS: iCalendar import through the settings window and the real file dialog"
