#!/bin/bash
# CSV import through the settings window on a real X server: F8 opens the settings, the mouse
# wheel over the tab strip brings the "Import\Export" tab, "from CSV File" opens the real file
# dialog, the typed path and Enter import the file, the success message comes, and the event
# shows in its day box. Screenshots go to docs/screenshots/exchange-*.png.
set -u
: "${ALMANOR_PROGRAM_DIR:?}" "${ALMANOR_SOURCE_DIR:?}"
# shellcheck source=common.sh
source "$(dirname "$0")/common.sh"
shots="$ALMANOR_SOURCE_DIR/docs/screenshots"
mkdir -p "$shots"

# A private program folder and settings: the window in the centre, no splash, no pack style,
# the settings window opening on its first tab.
program_world "Settings%20Tab=1"
xsetroot -solid "#3a6ea5"

year=$(date +%Y)
month=$(date +%-m)
csv="$work/appointments.csv"
printf '\xEF\xBB\xBFSubject,Start Date,Description,Location\r\n"Dentist","%s-%02d-15","Bring card, letter",Main St\r\n' \
    "$year" "$month" >"$csv"

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
# xwininfo gives the client area's place; xdotool's adds the frame of a decorated window twice.
set_x=$(xwininfo -id "$settings" | awk '/Absolute upper-left X/ {print $4}')
set_y=$(xwininfo -id "$settings" | awk '/Absolute upper-left Y/ {print $4}')
# The wheel over the tab strip steps one tab a notch: six notches from "Events" to
# "Import\Export".
xdotool mousemove "$((set_x + 60))" "$((set_y + 12))"
for _ in 1 2 3 4 5 6; do
    xdotool click 5
    sleep 0.15
done
sleep 0.5
import -window "$settings" "$shots/exchange-tab.png"

# "from CSV File": the third button of the Import frame. The page lies at 225, 765 twips in the
# window, the frame at 0, 60 in the page, the button at 240, 1260 in the frame.
xdotool mousemove "$((set_x + (225 + 240 + 1005) / 15))" "$((set_y + (765 + 60 + 1260 + 172) / 15))"
sleep 0.2
xdotool click 1
dialog=$(timeout 10 xdotool search --sync --onlyvisible --name '^Import Events from CSV File$' | head -1)
[ -n "$dialog" ] || { fail "\"from CSV File\" did not open the file dialog"; exit 1; }
sleep 0.8
import -window root "$shots/exchange-file-dialog.png"
xdotool type --delay 20 "$csv"
sleep 0.3
xdotool key Return

message=""
for _ in $(seq 50); do
    message=$(xdotool search --onlyvisible --name '^Almanor$' 2>/dev/null | grep -v "^$wid\$" | head -1)
    [ -n "$message" ] && break
    sleep 0.1
done
[ -n "$message" ] || fail "no message box after the import"
sleep 0.5
import -window root "$shots/exchange-imported.png"
grep -q "\"15/$month/$year=Dentist - Bring card, letter\"" "$work/Almanor/calendar.dat" 2>/dev/null ||
    fail "calendar.dat did not receive the imported event"
if [ -n "$message" ]; then
    xdotool windowactivate --sync "$message" 2>/dev/null || true
    xdotool key Return
    sleep 0.5
    xdotool search --onlyvisible --name '^Almanor$' 2>/dev/null | grep -qv "^$wid\$" &&
        fail "the message box stayed open after Enter"
fi

# The box of the 15th now shows the event: its pixels changed.
xdotool windowclose "$settings" 2>/dev/null || xdotool key --window "$settings" Escape
sleep 0.8
import -window root -crop "$box_geometry" "$work/box-after.png"
import -window root "$shots/exchange-calendar.png"
difference=$(compare -metric AE "$work/box-before.png" "$work/box-after.png" null: 2>&1 || true)
[ "${difference%% *}" != "0" ] || fail "the day box of the imported event did not change"

alive "$pid" || fail "the calendar ended during the test"
[ "$failures" -eq 0 ] || exit 1
echo "PASS: CSV import through the settings window and the real file dialog"
