# The settings window under test, shared by the end-to-end scripts of its tabs (source it after
# common.sh): a private program folder and settings file, the calendar started and stopped, the
# settings window opened with F8 and clicked at points given in pixels at 96 DPI.
prog="$work/Almanor"
mkdir -p "$prog"
cp -r "$ALMANOR_PROGRAM_DIR/." "$prog/"
rm -f "$prog"/Default/*.bmp "$prog/calendar.dat"
export XDG_CONFIG_HOME="$work/config"
unset XDG_CURRENT_DESKTOP
ini="$XDG_CONFIG_HOME/Almanor/Almanor.ini"

# settings "Key=value" ...: the calendar's settings file with these keys (no splash).
settings() {
    mkdir -p "$XDG_CONFIG_HOME/Almanor"
    {
        echo "[Settings]"
        echo "Show%20Splash=0"
        for pair in "$@"; do echo "${pair// /%20}"; done
    } >"$ini"
}

start_calendar() {
    start "$prog/Almanor"
    calendar_pid=$last_pid
    wid=$(timeout 20 xdotool search --sync --onlyvisible --name '^Almanor$' | head -1)
    [ -n "$wid" ] || { fail "the calendar window did not appear"; exit 1; }
    sleep 0.5
}

stop_calendar() {
    kill "$calendar_pid" 2>/dev/null
    wait_end "$calendar_pid" 10
}

# x y width height of a window on the screen.
geometry() {
    xwininfo -id "$1" | awk '/Absolute upper-left X/ {x=$4} /Absolute upper-left Y/ {y=$4}
        /Width:/ {w=$2} /Height:/ {h=$2} END {print x, y, w, h}'
}

# F8 on the calendar opens the settings window; its id lands in $sid.
open_settings() {
    sid=""
    # The key goes to the focused window; a busy machine may not have given the calendar the
    # focus yet, so try again a few times.
    for _ in 1 2 3; do
        xdotool windowactivate --sync "$wid" 2>/dev/null
        xdotool windowfocus --sync "$wid" 2>/dev/null
        xdotool key F8
        sid=$(timeout 7 xdotool search --sync --onlyvisible --name '^Almanor Settings$' | head -1)
        [ -n "$sid" ] && break
    done
    [ -n "$sid" ] || { fail "F8 did not open \"Almanor Settings\""; return 1; }
    # Away from the calendar, so a screenshot of the window shows it alone.
    xdotool windowmove --sync "$sid" 40 40
    xdotool windowactivate --sync "$sid" 2>/dev/null
    sleep 0.5
}

# click X Y: a left click at a point of the settings window (pixels at 96 DPI).
click() {
    xdotool mousemove --window "$sid" "$1" "$2" click 1
    sleep 0.3
}

# The OK, Cancel and Apply buttons.
ok_x=154 ok_y=395
apply_x=317 apply_y=395
cancel_x=236 cancel_y=395

shot_settings() {
    [ -n "${ALMANOR_SCREENSHOT_DIR:-}" ] && import -window "$sid" "$ALMANOR_SCREENSHOT_DIR/$1"
}

