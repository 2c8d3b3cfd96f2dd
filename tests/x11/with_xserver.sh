#!/bin/bash
# Runs one command on a private X server (Xvfb, 1280x1024) with the openbox window manager,
# then stops both. Usage: with_xserver.sh COMMAND [ARGS...]
set -u

# Takes the first free display number; a server that doesn't come up there (the number taken at
# the same moment, or an old server still going away) is tried again on the next free number.
xvfb_pid=""
openbox_pid=""
cleanup() {
    [ -n "$openbox_pid" ] && kill "$openbox_pid" 2>/dev/null
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
    wait 2>/dev/null
}
trap cleanup EXIT

start_xvfb() { # DISPLAY_NUMBER
    export DISPLAY=":$1"
    Xvfb "$DISPLAY" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    xvfb_pid=$!
    for _ in $(seq 100); do
        kill -0 "$xvfb_pid" 2>/dev/null || break
        xdpyinfo >/dev/null 2>&1 && kill -0 "$xvfb_pid" 2>/dev/null && return 0
        sleep 0.05
    done
    kill "$xvfb_pid" 2>/dev/null
    wait "$xvfb_pid" 2>/dev/null
    xvfb_pid=""
    return 1
}

started=""
for n in $(seq 90 140); do
    if [ ! -e "/tmp/.X${n}-lock" ] && [ ! -e "/tmp/.X11-unix/X${n}" ] && start_xvfb "$n"; then
        started=yes
        break
    fi
done
if [ -z "$started" ]; then
    echo "with_xserver: Xvfb did not start on any free display number" >&2
    exit 1
fi

# A window manager with its own settings only, so the user's openbox set-up can't change a run.
openbox_home=$(mktemp -d)
HOME="$openbox_home" XDG_CONFIG_HOME="$openbox_home" openbox --sm-disable >/dev/null 2>&1 &
openbox_pid=$!
# A loaded machine can take seconds to bring openbox up; a run without it tests nothing it means to.
wm_up=""
for _ in $(seq 600); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && wm_up=yes && break
    sleep 0.05
done
if [ -z "$wm_up" ]; then
    echo "with_xserver: openbox did not come up on $DISPLAY within 30 s" >&2
    exit 1
fi

"$@"
status=$?
rm -rf "$openbox_home"
exit $status
