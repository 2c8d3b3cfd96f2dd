#!/bin/bash
# The settings window on a real X server with openbox: F8 opens "Almanor Settings"; a colour
# chosen from the palette and applied repaints the calendar's boxes and is stored; "Run at
# Startup" and Apply make the autostart entry, clearing it removes it. Needs ALMANOR_PROGRAM_DIR;
# with ALMANOR_SCREENSHOT_DIR set, screenshots of the tabs are saved there.
set -u
. "$(dirname "$0")/common.sh"
# shellcheck source=settings_window.sh
. "$(dirname "$0")/settings_window.sh"
# The machine-wide autostart folder stays private too.
export XDG_CONFIG_DIRS="$work/xdg"
mkdir -p "$XDG_CONFIG_DIRS"
autostart="$XDG_CONFIG_HOME/autostart/Almanor.desktop"

# The share of a picture's pixels in exactly one colour.
share_of() {
    convert "$1" -fill black +opaque "$2" -fill white -opaque "$2" -format "%[fx:mean]" info:
}

# The tabs lie in two rows: the selected tab's row next to the page at y 33, the other at y 13
# (pixels in the window). "Settings" and "Tooltips" share the first row with "Colours", "About"
# lies in the second.
tab_settings_x=165 tab_tooltips_x=340 tab_about_x=240
front_row_y=33 back_row_y=13
# A page starts at (15, 51). The "Normal Day Colour" label: (31, 35) in the page; the palette
# chart: (8, 200); its pure red at chart pixel (1, 24).
normal_x=$((15 + 31 + 20)) normal_y=$((51 + 35 + 7))
red_x=$((15 + 8 + 1)) red_y=$((51 + 200 + 24))
# "Run at Startup": (8, 210) in the page.
startup_x=$((15 + 8 + 6)) startup_y=$((51 + 210 + 9))

settings "Use Themes=0" "Alignment=3" "Style=1" "Settings Tab=2"
start_calendar
if open_settings; then
    shot_settings settings-colours-open.png
    calendar="$work/calendar.png"
    import -window "$wid" "$calendar"
    before=$(share_of "$calendar" "#FF0000")
    click $normal_x $normal_y
    xdotool mousemove --window "$sid" $red_x $((red_y - 3)) mousemove --window "$sid" $red_x $red_y
    sleep 0.3
    click $red_x $red_y
    shot_settings settings-colours.png
    click $apply_x $apply_y
    sleep 0.5
    grep -q '^Normal=255' "$ini" || fail "Normal=255 was not stored: $(grep '^Normal' "$ini")"
    import -window "$wid" "$calendar"
    after=$(share_of "$calendar" "#FF0000")
    [ -n "${ALMANOR_SCREENSHOT_DIR:-}" ] && cp "$calendar" "$ALMANOR_SCREENSHOT_DIR/settings-calendar-red.png"
    awk -v b="$before" -v a="$after" 'BEGIN { exit !(b < 0.01 && a > 0.3) }' ||
        fail "the calendar's boxes did not turn red: red share $before before, $after after Apply"

    # "Run at Startup" on, Apply: the autostart entry runs the program; off, Apply: it's gone.
    click $tab_settings_x $front_row_y
    shot_settings settings-general.png
    click $startup_x $startup_y
    click $apply_x $apply_y
    sleep 0.3
    [ -f "$autostart" ] || fail "Run at Startup + Apply made no $autostart"
    grep -q "^Exec=.*Almanor" "$autostart" 2>/dev/null || fail "the autostart entry runs: $(grep Exec "$autostart")"
    click $startup_x $startup_y
    click $apply_x $apply_y
    sleep 0.3
    [ -f "$autostart" ] && fail "clearing Run at Startup + Apply left $autostart"

    click $tab_tooltips_x $front_row_y
    shot_settings settings-tooltips.png
    click $tab_about_x $back_row_y
    shot_settings settings-about.png
    click $ok_x $ok_y
    sleep 0.5
    xdotool search --onlyvisible --name '^Almanor Settings$' >/dev/null && fail "OK left the window open"
    grep -q '^Settings%20Tab=8' "$ini" || fail "the About tab was not remembered: $(grep 'Tab' "$ini")"
fi
alive "$calendar_pid" || fail "the calendar ended during the test"
stop_calendar

[ $failures -eq 0 ] && echo "PASS: settings window colours and run at startup"
exit $((failures > 0))
