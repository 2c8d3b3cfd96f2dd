#!/bin/bash
# The calendar's mouse and keys on a real X server: a double click on a day box opens the event
# editor, typing and Enter save the event into calendar.dat, a right click opens the day menu and
# F4 shows the next month. Screenshots go to docs/screenshots/interaction-*.png.
set -u
: "${ALMANOR_PROGRAM_DIR:?}" "${ALMANOR_SOURCE_DIR:?}"

work=$(mktemp -d)
pid=""
cleanup() {
    [ -n "$pid" ] && kill "$pid" 2>/dev/null
    wait 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
fail() {
    echo "FAIL: $*" >&2
    exit 1
}
shots="$ALMANOR_SOURCE_DIR/docs/screenshots"
mkdir -p "$shots"

# A private program folder and settings: weeks start on Sunday, the window in the centre, no
# splash, no pack style.
mkdir -p "$work/Almanor" "$work/config/Almanor"
cp -r "$ALMANOR_PROGRAM_DIR/." "$work/Almanor/"
rm -f "$work/Almanor/calendar.dat"
cat >"$work/config/Almanor/Almanor.ini" <<'INI'
[Settings]
Show%20Splash=0
Start%20Day=1
Alignment=3
Style=1
Use%20Themes=0
INI
export XDG_CONFIG_HOME="$work/config" HOME="$work" LC_ALL=C.UTF-8
xsetroot -solid "#3a6ea5"

"$work/Almanor/Almanor" >"$work/out.log" 2>&1 &
pid=$!
wid=$(timeout 20 xdotool search --sync --onlyvisible --name '^Almanor$' | head -1)
[ -n "$wid" ] || fail "the calendar window did not appear"
sleep 1
eval "$(xdotool getwindowgeometry --shell "$wid")"
win_x=$X
win_y=$Y

# The box of the 15th of this month, in style 1 at 15 twips to a pixel: boxes 825 x 915 twips
# with 75 between them, the grid starting at 90, 810.
year=$(date +%Y)
month=$(date +%-m)
first_column=$(date -d "$year-$month-01" +%w)
index=$((first_column + 14))
row=$((index / 7))
column=$((index % 7))
box_x=$((win_x + (90 + column * 900 + 412) / 15))
box_y=$((win_y + (810 + row * 990 + 300) / 15))
import -window root "$shots/interaction-calendar.png"

xdotool mousemove "$box_x" "$box_y" click --repeat 2 --delay 60 1
editor=$(timeout 10 xdotool search --sync --onlyvisible --name '^Almanor - 0 Characters - 0 Words\.$' | head -1)
[ -n "$editor" ] || fail "a double click on a day box did not open the editor"
xdotool windowactivate --sync "$editor" 2>/dev/null || true
sleep 0.3
xdotool type --delay 30 "Tom & Jerry"
timeout 5 xdotool search --sync --onlyvisible --name '^Almanor - 11 Characters - 3 Words\.$' >/dev/null ||
    fail "the editor's title did not count the typed text"
import -window root "$shots/interaction-editor.png"
xdotool key Return
for _ in $(seq 50); do
    grep -q "15/$month/$year=Tom && Jerry" "$work/Almanor/calendar.dat" 2>/dev/null && break
    sleep 0.1
done
grep -q "\"15/$month/$year=Tom && Jerry\"" "$work/Almanor/calendar.dat" ||
    fail "Enter did not save the event into calendar.dat"
sleep 0.5
xdotool search --onlyvisible --name '^Almanor - ' >/dev/null && fail "the editor stayed open after Enter"
import -window root "$shots/interaction-saved.png"

# Right click on the box: the day menu opens (a new mapped pop-up window), Escape closes it.
before=$(xdotool search --onlyvisible --name '' 2>/dev/null | sort)
xdotool mousemove "$box_x" "$box_y" click 3
sleep 0.8
after=$(xdotool search --onlyvisible --name '' 2>/dev/null | sort)
[ "$before" != "$after" ] || fail "a right click on a day box showed no menu"
import -window root "$shots/interaction-day-menu.png"
xdotool key Escape
sleep 0.5

# F4: the next month. The grid changes, and the event of the 15th is no longer shown.
xdotool windowactivate --sync "$wid" 2>/dev/null || xdotool mousemove "$((win_x + 40))" "$((win_y + 10))" click 1
sleep 0.3
import -window "$wid" "$work/before.png"
xdotool key F4
sleep 0.8
import -window "$wid" "$work/after.png"
import -window root "$shots/interaction-next-month.png"
difference=$(compare -metric AE "$work/before.png" "$work/after.png" null: 2>&1 || true)
[ "${difference%% *}" != "0" ] || fail "F4 did not change the month shown"
kill -0 "$pid" 2>/dev/null || fail "the calendar ended during the test"
echo "PASS: editor, day menu and F4 on a real X server"
