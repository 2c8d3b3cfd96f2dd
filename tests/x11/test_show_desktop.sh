#!/bin/bash
# The calendar as part of the desktop on a real X server with openbox: it stays in place while the
# desktop is shown (`wmctrl -k on`) and after (`wmctrl -k off`), stays above the desktop's icon
# window (a stand-in that covers the screen) however that is raised, and below an ordinary
# window; and a day's tooltip shows over its box while another program's window is active.
# Needs ALMANOR_PROGRAM_DIR and ALMANOR_BUILD_DIR; with ALMANOR_SCREENSHOT_DIR set, screenshots
# are saved there.
set -u
. "$(dirname "$0")/common.sh"
: "${ALMANOR_PROGRAM_DIR:?}" "${ALMANOR_BUILD_DIR:?}"

program_world
year=$(date +%Y)
month=$(date +%-m)
printf '"15/%s/%s=Party at noon"\r\n' "$month" "$year" >"$work/Almanor/calendar.dat"

viewable() { xwininfo -id "$1" 2>/dev/null | grep -q 'Map State: IsViewable'; }
stacking_index() {
    xprop -root _NET_CLIENT_LIST_STACKING | sed 's/.*# //; s/, /\n/g' |
        grep -n -i "^$(printf '0x%x' "$1")$" | cut -d: -f1
}
# Waits up to 3 seconds for the calendar to lie above the icon window.
above_icons() {
    for _ in $(seq 30); do
        [ "$(stacking_index "$wid")" -gt "$(stacking_index "$icons")" ] && return 0
        sleep 0.1
    done
    return 1
}
shot() {
    [ -n "${ALMANOR_SCREENSHOT_DIR:-}" ] && import -window root "$ALMANOR_SCREENSHOT_DIR/$1"
}

start "$work/Almanor/Almanor"
calendar_pid=$last_pid
wid=$(timeout 20 xdotool search --sync --onlyvisible --name '^Almanor$' | head -1)
[ -n "$wid" ] || { fail "the calendar window did not appear"; exit 1; }
sleep 0.5

# --- The desktop's icon window, started after the calendar, then raised by a click ----------
start "$ALMANOR_BUILD_DIR/tests/desktop_icons"
icons=$(timeout 20 xdotool search --sync --onlyvisible --name '^Desktop Icons$' | head -1)
[ -n "$icons" ] || { fail "the icon window did not appear"; exit 1; }
above_icons || fail "the calendar lies under an icon window started after it"
xdotool mousemove 20 20 click 1
sleep 0.5
above_icons || fail "the calendar lies under the icon window after a click on it"

xmessage -title helper "An ordinary window" >/dev/null 2>&1 &
started+=("$!")
helper=$(timeout 20 xdotool search --sync --onlyvisible --name '^helper$' | head -1)
# Away from the calendar in the middle of the screen, so the pointer can reach its boxes.
xdotool windowmove --sync "$helper" 40 40
xdotool windowactivate --sync "$helper"
[ "$(stacking_index "$wid")" -lt "$(stacking_index "$helper")" ] ||
    fail "the calendar is not below an ordinary window"

# --- Show the desktop, and back -------------------------------------------------------------
wmctrl -k on
sleep 1
xprop -root _NET_SHOWING_DESKTOP | grep -q '= 1$' || fail "the window manager is not showing the desktop"
viewable "$helper" && fail "showing the desktop left the ordinary window in place"
viewable "$wid" || fail "the calendar is not viewable while the desktop is shown"
above_icons || fail "the calendar went under the icon window while the desktop is shown"
shot show-desktop.png
wmctrl -k off
sleep 1
viewable "$helper" || fail "the ordinary window did not come back"
viewable "$wid" || fail "the calendar is not viewable after the desktop was shown"
[ "$(stacking_index "$wid")" -lt "$(stacking_index "$helper")" ] ||
    fail "the calendar rose above the ordinary window after the desktop was shown"

# --- A day's tooltip while another program's window is active -------------------------------
# The box of the 15th in style 1 at 15 twips to a pixel, weeks from Sunday.
xdotool windowactivate --sync "$helper"
eval "$(xdotool getwindowgeometry --shell "$wid")"
index=$(($(date -d "$year-$month-01" +%w) + 14))
box_x=$((X + (90 + index % 7 * 900 + 412) / 15))
box_y=$((Y + (810 + index / 7 * 990 + 300) / 15))
xdotool mousemove "$box_x" "$((box_y - 3))" sleep 0.2 mousemove "$box_x" "$box_y"
tip=""
for _ in $(seq 40); do
    for w in $(xdotool search --onlyvisible --pid "$calendar_pid" 2>/dev/null); do
        xprop -id "$w" _NET_WM_WINDOW_TYPE 2>/dev/null | grep -q TOOLTIP && tip=$w
    done
    [ -n "$tip" ] && break
    sleep 0.1
done
[ "$(($(xprop -root _NET_ACTIVE_WINDOW | sed 's/.*# //')))" -eq "$helper" ] ||
    fail "the ordinary window is no longer the active one"
if [ -z "$tip" ]; then
    fail "no tooltip over the day's box while another window is active"
else
    eval "$(xdotool getwindowgeometry --shell "$tip")"
    [ $((X - box_x)) -lt 80 ] && [ $((box_x - X)) -lt 80 ] && [ $((Y - box_y)) -lt 80 ] &&
        [ "$Y" -ge "$box_y" ] || fail "the tooltip at $X,$Y is not at the box ($box_x,$box_y)"
    shot tooltip-inactive.png
fi

alive "$calendar_pid" || fail "the calendar ended during the test"
[ $failures -eq 0 ] && echo "PASS: the calendar on the desktop while it is shown, and its tips"
exit $((failures > 0))
