#!/bin/bash
# The "Style & Position" and "Wallpaper" tabs of the settings window on a real X server with
# openbox: a position chosen with the sliders moves the calendar, and turning the Default pack on
# changes the root window's picture. Needs ALMANOR_PROGRAM_DIR; with ALMANOR_SCREENSHOT_DIR set,
# screenshots of the two tabs are saved there.
set -u
. "$(dirname "$0")/common.sh"

# shellcheck source=settings_window.sh
. "$(dirname "$0")/settings_window.sh"

# The page lies at (15, 51) in the window; the "Position" frame at (132, 0) of the page, its
# controls 8 pixels below the frame's top.

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
