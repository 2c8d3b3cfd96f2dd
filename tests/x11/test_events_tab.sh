#!/bin/bash
# The "Events" tab of the settings window on a real X server: F8 opens the window on the tab, the
# overview lists the events, a double click on a line and No leaves calendar.dat alone, Yes
# removes exactly that record and the calendar's box of that day shows no event any more.
# Screenshots go to docs/screenshots/events-*.png.
set -u
: "${ALMANOR_PROGRAM_DIR:?}" "${ALMANOR_SOURCE_DIR:?}"
source "$(dirname "$0")/common.sh"
shots="$ALMANOR_SOURCE_DIR/docs/screenshots"
mkdir -p "$shots"

year=$(date +%Y)
month=$(date +%-m)
data="$work/Almanor/calendar.dat"

# A private program folder and settings: weeks start on Sunday, the window in the centre, no
# splash, no pack style, the settings window opening on its first tab.
program_world "Settings%20Tab=1"
printf '"10/%s/%s=Dentist"\r\n"20/%s/%s=Party && cake"\r\n"28/%s/9999=Every year"\r\n' \
    "$month" "$year" "$month" "$year" "$month" >"$data"
cp "$data" "$work/original.dat"
xsetroot -solid "#3a6ea5"

start "$work/Almanor/Almanor"
calendar=$(timeout 20 xdotool search --sync --onlyvisible --name '^Almanor$' | head -1)
[ -n "$calendar" ] || { fail "the calendar window did not appear"; exit 1; }
sleep 1

[ "$(caption_colours 10)" -gt 1 ] || fail "the box of the 10th shows no event to begin with"

# F8 on the calendar: the settings window on the "Events" tab, statistics first.
# A busy machine may lose the first key before the calendar has the focus: try again.
settings=""
for _ in 1 2 3; do
    xdotool windowactivate --sync "$calendar" 2>/dev/null || true
    xdotool key F8
    settings=$(timeout 5 xdotool search --sync --onlyvisible --name '^Almanor Settings$' | head -1)
    [ -n "$settings" ] && break
done
[ -n "$settings" ] || { fail "F8 did not open the settings window"; exit 1; }
sleep 0.8
import -window "$settings" "$shots/events-statistics.png"

# Inside the window, pages start at 225, 765 twips; the option "Events Overview" lies at
# 120, 300 in the "View" frame, the list's first line at 0, 1140 + 2 pixels.
click_at() { xdotool mousemove --window "$settings" "$1" "$2" click "${3:-1}"; }
click_at $(((225 + 120) / 15 + 8)) $(((765 + 300) / 15 + 8))
sleep 0.5
first_line_x=$(((225 + 600) / 15))
first_line_y=$(((765 + 1140) / 15 + 9))
click_at "$first_line_x" "$first_line_y"
sleep 0.3
import -window "$settings" "$shots/events-overview.png"

# The first line is the 10th (ascending dates, the every-year event on the 28th last).
ask_removal() {
    xdotool mousemove --window "$settings" "$first_line_x" "$first_line_y" click --repeat 2 --delay 80 1
    question=""
    for _ in $(seq 100); do
        question=$(xdotool search --onlyvisible --name '^Almanor$' 2>/dev/null |
            grep -v "^$calendar\$" | head -1)
        [ -n "$question" ] && break
        sleep 0.1
    done
    [ -n "$question" ] || { fail "a double click on a line asked nothing"; return 1; }
    sleep 0.3
}
# Waits up to ten seconds for window $1 to be unmapped.
gone() {
    local i
    for i in $(seq 100); do
        xdotool search --onlyvisible --name '^Almanor$' 2>/dev/null | grep -q "^$1\$" || return 0
        sleep 0.1
    done
    return 1
}
if ask_removal; then
    xdotool windowactivate --sync "$question" 2>/dev/null || true
    xdotool key --clearmodifiers alt+n
    gone "$question" || fail "No did not close the question"
    cmp -s "$data" "$work/original.dat" || fail "answering No changed calendar.dat"
fi
if ask_removal; then
    import -window root "$shots/events-remove-question.png"
    xdotool windowactivate --sync "$question" 2>/dev/null || true
    xdotool key --clearmodifiers alt+y
    gone "$question" || fail "Yes did not close the question"
    sleep 0.5
    printf '"20/%s/%s=Party && cake"\r\n"28/%s/9999=Every year"\r\n' "$month" "$year" "$month" \
        >"$work/expected.dat"
    cmp -s "$data" "$work/expected.dat" ||
        fail "Yes did not remove exactly the record of the 10th: $(cat -A "$data")"
    [ "$(caption_colours 10)" = 1 ] || fail "the box of the 10th still shows an event"
    [ "$(caption_colours 20)" -gt 1 ] || fail "the box of the 20th lost its event"
    import -window root "$shots/events-after-removal.png"
fi
alive "${started[0]}" || fail "the calendar ended during the test"
[ "$failures" = 0 ] || exit 1
echo "PASS: events overview, removal and the calendar's box on a real X server"
