#!/bin/bash
# Runs one command on a private X server (Xvfb, 1280x1024) with the openbox window manager,
# then stops both. Usage: with_xserver.sh COMMAND [ARGS...]
set -u

display=""
for n in $(seq 90 140); do
    if [ ! -e "/tmp/.X${n}-lock" ] && [ ! -e "/tmp/.X11-unix/X${n}" ]; then
        display=":$n"
        break
    fi
done
if [ -z "$display" ]; then
    echo "with_xserver: no free display number" >&2
    exit 1
fi

Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
openbox_pid=""
cleanup() {
    [ -n "$openbox_pid" ] && kill "$openbox_pid" 2>/dev/null
    kill "$xvfb_pid" 2>/dev/null
    wait 2>/dev/null
}
trap cleanup EXIT

export DISPLAY="$display"
for _ in $(seq 100); do
    xdpyinfo >/dev/null 2>&1 && break
    sleep 0.05
done
if ! xdpyinfo >/dev/null 2>&1; then
    echo "with_xserver: Xvfb did not start on $display" >&2
    exit 1
fi

# A window manager with its own settings only, so the user's openbox set-up can't change a run.
openbox_home=$(mktemp -d)
HOME="$openbox_home" XDG_CONFIG_HOME="$openbox_home" openbox --sm-disable >/dev/null 2>&1 &
openbox_pid=$!
for _ in $(seq 100); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
    sleep 0.05
done

"$@"
status=$?
rm -rf "$openbox_home"
exit $status
