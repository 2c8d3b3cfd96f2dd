#!/bin/bash
# Runs one command on a private X server (Xvfb, 1280x1024) with the openbox window manager,
# then stops both. Usage: with_xserver.sh COMMAND [ARGS...]
set -u

# Xvfb picks a free display number itself and writes it once it accepts connections
# (-displayfd), so two runs started at the same moment can never share one server.
xvfb_pid=""
openbox_pid=""
display_file=$(mktemp)
cleanup() {
    [ -n "$openbox_pid" ] && kill "$openbox_pid" 2>/dev/null
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
    wait 2>/dev/null
    rm -f "$display_file"
}
trap cleanup EXIT

Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$display_file" >/dev/null 2>&1 &
xvfb_pid=$!
number=""
for _ in $(seq 600); do
    number=$(head -n 1 "$display_file" 2>/dev/null)
    [ -n "$number" ] && break
    kill -0 "$xvfb_pid" 2>/dev/null || break
    sleep 0.05
done
if [ -z "$number" ]; then
    echo "with_xserver: Xvfb did not start" >&2
    exit 1
fi
export DISPLAY=":$number"

# A window manager with its own settings only, so the user's openbox set-up can't change a run.
openbox_home=$(mktemp -d)
openbox_log="$openbox_home/openbox.log"
start_openbox() {
    HOME="$openbox_home" XDG_CONFIG_HOME="$openbox_home" openbox --sm-disable \
        >>"$openbox_log" 2>&1 &
    openbox_pid=$!
}
start_openbox
# A loaded machine can take seconds to bring openbox up, and an openbox that met the server
# before it was fully ready may give up: it is started again, up to three times. A run without
# it tests nothing it means to.
wm_up=""
starts=1
for _ in $(seq 600); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && wm_up=yes && break
    if ! kill -0 "$openbox_pid" 2>/dev/null && [ "$starts" -lt 3 ]; then
        starts=$((starts + 1))
        start_openbox
    fi
    sleep 0.05
done
if [ -z "$wm_up" ]; then
    echo "with_xserver: openbox did not come up on $DISPLAY within 30 s ($starts starts)" >&2
    cat "$openbox_log" >&2
    exit 1
fi

"$@"
status=$?
rm -rf "$openbox_home"
exit $status
