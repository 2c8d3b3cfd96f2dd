#!/bin/bash
# Wallpaper packs keep the user's own wallpaper: packs turned on, then off, in the settings
# window put back the root window's colour on a bare X server (as does the desktop preview of a
# pack), and GNOME's background settings (in a private D-Bus session with gsettings' keyfile
# store) exactly as they were.
set -u
: "${ALMANOR_PROGRAM_DIR:?}"
# shellcheck source=common.sh
source "$(dirname "$0")/common.sh"
# shellcheck source=settings_window.sh
source "$(dirname "$0")/settings_window.sh"

# The root window's pixel in a corner no window covers, as "r g b".
corner_pixel() {
    import -window root "$work/root.png"
    convert "$work/root.png" -format "%[fx:int(255*p{1275,1019}.r+0.5)] %[fx:int(255*p{1275,1019}.g+0.5)] %[fx:int(255*p{1275,1019}.b+0.5)]" info:
}

# packs_apply: ticks or unticks "Use Almanor Wallpaper Packs...." and presses Apply and Cancel.
packs_apply() {
    open_settings || return 1
    click 40 $((51 + 9))
    sleep 0.5
    click $apply_x $apply_y
    sleep 1.5
    click $cancel_x $cancel_y
    sleep 0.5
}

note "bare X server: a blue background comes back"
xprop -root -remove _XROOTPMAP_ID 2>/dev/null
xsetroot -solid blue
[ "$(corner_pixel)" = "0 0 255" ] || fail "the test's blue background is $(corner_pixel)"
settings "Use Themes=0" "Settings Tab=6" "Alignment=3"
start_calendar
packs_apply
grep -q '^Use%20Themes=1' "$ini" || fail "packs were not turned on"
[ "$(corner_pixel)" != "0 0 255" ] || fail "packs on did not change the desktop"
packs_apply
grep -q '^Use%20Themes=0' "$ini" || fail "packs were not turned off"
[ "$(corner_pixel)" = "0 0 255" ] || fail "packs off left the desktop $(corner_pixel), not blue"
xprop -root _XROOTPMAP_ID | grep -q "not found" || fail "a pack's root pixmap is still announced"

note "bare X server: the desktop preview of a pack leaves the blue background"
if open_settings; then
    click 40 $((51 + 9))
    sleep 0.5
    click 40 182
    sleep 4
    [ "$(corner_pixel)" != "0 0 255" ] || fail "the desktop preview did not start"
    # Twelve months of three seconds each.
    sleep 36
    for _ in $(seq 20); do
        [ "$(corner_pixel)" = "0 0 255" ] && break
        sleep 0.5
    done
    [ "$(corner_pixel)" = "0 0 255" ] || fail "the desktop preview left the desktop $(corner_pixel)"
    xdotool windowactivate --sync "$sid" 2>/dev/null
    click $cancel_x $cancel_y
fi
stop_calendar

note "GNOME: picture-uri, picture-uri-dark and picture-options come back"
export GSETTINGS_BACKEND=keyfile XDG_CURRENT_DESKTOP=GNOME
bus=$(dbus-daemon --session --fork --print-address=1 --print-pid=1) || fail "no private D-Bus"
export DBUS_SESSION_BUS_ADDRESS=${bus%%$'\n'*}
started+=("${bus##*$'\n'}")
schema=org.gnome.desktop.background
gsettings set $schema picture-uri "'file:///home/user/My%20Sea.jpg'"
gsettings set $schema picture-uri-dark "'file:///home/user/night.png'"
gsettings set $schema picture-options "'zoom'"
gnome_state() { for k in picture-uri picture-uri-dark picture-options; do gsettings get $schema $k; done; }
before=$(gnome_state)
settings "Use Themes=0" "Settings Tab=6" "Alignment=3"
start_calendar
packs_apply
gsettings get $schema picture-uri | grep -q "$prog/Default/" ||
    fail "packs on did not set the pack's picture: $(gsettings get $schema picture-uri)"
packs_apply
[ "$(gnome_state)" = "$before" ] || fail "packs off left $(gnome_state | tr '\n' ' ')"
[ ! -e "$XDG_CONFIG_HOME/Almanor/Own Wallpaper" ] || fail "the record stayed after it was put back"
stop_calendar

exit $((failures > 0))
