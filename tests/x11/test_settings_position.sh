#!/bin/bash
# The "Style & Position" and "Wallpaper" tabs of the settings window on a real X server with
# openbox: a position chosen with the sliders moves the calendar, and turning the Default pack on
# changes the root window's picture. Needs ALMANOR_PROGRAM_DIR; with ALMANOR_SCREENSHOT_DIR set,
# screenshots of the two tabs are saved there.
set -u
. "$(dirname "$0")/common.sh"

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
    xdotool windowactivate --sync "$wid" 2>/dev/null
    xdotool key --window "$wid" F8
    sid=$(timeout 20 xdotool search --sync --onlyvisible --name '^Almanor Settings$' | head -1)
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

shot_settings() {
    [ -n "${ALMANOR_SCREENSHOT_DIR:-}" ] && import -window "$sid" "$ALMANOR_SCREENSHOT_DIR/$1"
}

# The page lies at (15, 51) in the window; the "Position" frame at (132, 0) of the page, its
# controls 8 pixels below the frame's top.
apply_x=317 apply_y=323
cancel_x=236 cancel_y=323

# --- "Top Left" with the sliders ------------------------------------------------------------
settings "Use Themes=0" "Alignment=6"
start_calendar
expected=$(geometry "$wid")
stop_calendar

settings "Use Themes=0" "Alignment=0" "Settings Tab=4"
start_calendar
before=$(geometry "$wid")
[ "$before" != "$expected" ] || fail "bottom right and top left are the same place: $before"
if open_settings; then
    shot_settings settings-style-position.png
    # Each slider: a click gives it the focus, Home takes it to its first step (left, top).
    click $((147 + 48 + 75)) $((51 + 8 + 177 + 16))
    xdotool key Home
    click $((147 + 18 + 14)) $((51 + 8 + 48 + 56))
    xdotool key Home
    sleep 0.3
    click $apply_x $apply_y
    moved=""
    for _ in $(seq 30); do
        [ "$(geometry "$wid")" = "$expected" ] && moved=1 && break
        sleep 0.1
    done
    [ -n "$moved" ] || fail "Top Left + Apply: calendar at $(geometry "$wid"), expected $expected"
    grep -q '^Alignment=6' "$ini" || fail "Alignment=6 was not stored: $(grep Alignment "$ini")"
    shot_settings settings-style-top-left.png
    click $cancel_x $cancel_y
fi
stop_calendar

# --- Packs on with the Default pack -----------------------------------------------------------
month=$(date +%-m)
item=$(grep "^$month=" "$prog/Default/settings.ini" | tr -d '\r')
IFS=- read -r _ _ pack_mode <<<"${item#*=}"
picture="$prog/Default/$month.jpg"
settings "Use Themes=0" "Settings Tab=6"
start_calendar
root_before=$(xprop -root _XROOTPMAP_ID 2>/dev/null)
if open_settings; then
    shot_settings settings-wallpaper-off.png
    click 40 $((51 + 9))
    sleep 0.5
    shot_settings settings-wallpaper.png
    click $apply_x $apply_y
    sleep 1
    click $cancel_x $cancel_y
    sleep 0.5
    [ "$(xprop -root _XROOTPMAP_ID 2>/dev/null)" != "$root_before" ] ||
        fail "the root window's picture did not change"
    [ -f "$prog/Default/$month.bmp" ] || fail "$month.bmp was not made"
    grep -q '^Use%20Themes=1' "$ini" || fail "Use Themes=1 was not stored"
    # The screen's middle shows the middle of the picture (640 x 480 on 1280 x 1024).
    root="$work/root.png"
    import -window root "$root"
    case "$pack_mode" in
    0) px=320 py=256 ;;
    1) px=0 py=32 ;;
    *) px=320 py=240 ;;
    esac
    seen=$(convert "$root" -format "%[fx:int(255*p{640,512}.r+0.5)] %[fx:int(255*p{640,512}.g+0.5)] %[fx:int(255*p{640,512}.b+0.5)]" info:)
    wanted=$(convert "$picture" -format "%[fx:int(255*p{$px,$py}.r+0.5)] %[fx:int(255*p{$px,$py}.g+0.5)] %[fx:int(255*p{$px,$py}.b+0.5)]" info:)
    read -r r1 g1 b1 <<<"$seen"
    read -r r2 g2 b2 <<<"$wanted"
    for d in $((r1 - r2)) $((g1 - g2)) $((b1 - b2)); do
        [ "${d#-}" -le 16 ] || { fail "desktop middle is ($seen), the picture's ($wanted)"; break; }
    done
fi
stop_calendar

[ $failures -eq 0 ] && echo "PASS: settings position and packs"
exit $((failures > 0))
