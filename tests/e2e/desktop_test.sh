#!/usr/bin/env bash
# The real program on one desktop ($2), played through as a trainee would (flow.sh), with its
# controls read as a screen reader reads them. The desktop is an X11 window manager on Xvfb,
# or a Wayland compositor (wayland_session.sh): mutter_wayland and kwin_wayland with Xwayland,
# kwin_wayland_native without. $3, where given, makes the desktop hostile:
#   fsp_extreme, fsp_high  KWin's focus stealing prevention at "Extreme" or "High"
#   frozen                 the window manager stopped for 3 s of every 5 s, without its click
#                          bindings on client windows: every answer of it comes late, clicks
#                          reach the program at once
#   frozen_bindings        the same with its bindings: clicks wait for it too
#   replaced               the window manager replaced in the middle of the range test, killed
#                          after the third shot and started again after the sixth
set -euo pipefail
program=$1
wm=$2
hostility=${3:-}
source "$(dirname "$0")/x_session.sh"
run_in_session "$@"
ROW=$wm${hostility:+ $hostility}
E2E_SCREENSHOT=${E2E_SCREENSHOT:-/tmp/sight-e2e-$wm${hostility:+-$hostility}-failure.png}

# The window managers read their settings from a folder of the session's own.
prepare_hostile_desktop() {
    export XDG_CONFIG_HOME=$E2E_RUNTIME/config
    mkdir -p "$XDG_CONFIG_HOME"
    case "$hostility" in
        "") ;;
        fsp_extreme | fsp_high)
            [ "$wm" = kwin_x11 ] || fail "focus stealing prevention is KWin's: not $wm"
            printf '[Windows]\nFocusStealingPreventionLevel=%d\n' \
                "$([ "$hostility" = fsp_extreme ] && echo 4 || echo 3)" >"$XDG_CONFIG_HOME/kwinrc"
            ;;
        frozen | frozen_bindings | replaced)
            [ "$wm" = openbox ] || fail "the $hostility desktop is openbox's: not $wm"
            mkdir -p "$XDG_CONFIG_HOME/openbox"
            if [ "$hostility" = frozen ]; then
                # Without the bindings that focus and raise a window pressed anywhere in it,
                # openbox holds no grab on the windows' buttons.
                python3 - /etc/xdg/openbox/rc.xml "$XDG_CONFIG_HOME/openbox/rc.xml" <<'PY'
import sys
import xml.etree.ElementTree as ET
ns = "http://openbox.org/3.4/rc"
ET.register_namespace("", ns)
tree = ET.parse(sys.argv[1])
for mouse in tree.getroot().iter(f"{{{ns}}}mouse"):
    for context in list(mouse):
        if context.get("name") == "Client":
            mouse.remove(context)
tree.write(sys.argv[2], xml_declaration=True, encoding="UTF-8")
PY
            else
                cp /etc/xdg/openbox/rc.xml "$XDG_CONFIG_HOME/openbox/rc.xml"
            fi
            ;;
        *) fail "no such hostile desktop: $hostility" ;;
    esac
}

# Stops the window manager for 3 s of every 5 s until the session ends.
freeze_window_manager_now_and_then() {
    local wm_pid=$WM_PID
    (
        # Its sleep cut short as the session ends is no failure of the run.
        trap - ERR
        trap 'kill -CONT "$wm_pid" 2>/dev/null; exit 0' TERM
        while kill -0 "$wm_pid" 2>/dev/null; do
            sleep 2
            kill -STOP "$wm_pid" 2>/dev/null || true
            sleep 3
            kill -CONT "$wm_pid" 2>/dev/null || true
        done
    ) &
    FREEZER_PID=$!
}

# The window manager's check window, which a new window manager replaces.
window_manager_check() {
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -o '0x[0-9a-f]*' || true
}

another_window_manager_running() {
    local check
    check=$(window_manager_check)
    [ -n "$check" ] && [ "$check" != "$1" ]
}

# A window manager killed leaves its check window named on the root window, and destroyed; the
# one started after it may get the same id for its own.
a_window_manager_running() {
    local check
    check=$(window_manager_check)
    [ -n "$check" ] && xwininfo -id "$check" >/dev/null 2>&1
}

# Whether the window lies in a frame other than the one named (a window manager that takes
# over frames the windows anew; one that dies leaves them unframed).
framed_anew() {
    local top
    top=$(top_level_of "$1")
    [ -n "$top" ] && [ "$top" != "$(($1))" ] && [ "$top" != "$2" ]
}

# Waits until the window manager that took over has framed the program's windows: a click
# while it takes one over may go to neither.
wait_until_framed_anew() {
    local window
    for window in "$@"; do
        wait_until "the new window manager did not frame window $window" \
            framed_anew "$window" "${FRAMES_BEFORE[$window]}"
    done
}

declare -A FRAMES_BEFORE=()
remember_frames() {
    local window
    FRAMES_BEFORE=()
    for window in "$@"; do
        FRAMES_BEFORE[$window]=$(top_level_of "$window")
    done
}

on_flow_event() {
    [ "$hostility" = replaced ] || return 0
    local before old_pid
    case "$1" in
        range-midway)
            step "openbox replaced"
            before=$(window_manager_check)
            old_pid=$WM_PID
            remember_frames "$MODE" "$EXERCISE"
            openbox --replace >>"$E2E_RUNTIME/wm.log" 2>&1 &
            WM_PID=$!
            wait_until "no new window manager took over" another_window_manager_running "$before"
            wait_for_end "$old_pid" "the replaced window manager"
            wait_until_framed_anew "$MODE" "$EXERCISE"
            ;;
        shot-3)
            step "openbox killed"
            kill -KILL "$WM_PID"
            wait_for_end "$WM_PID" "the killed window manager"
            WM_PID=
            ;;
        shot-6)
            step "openbox started again"
            remember_frames "$MODE" "$EXERCISE"
            openbox >>"$E2E_RUNTIME/wm.log" 2>&1 &
            WM_PID=$!
            wait_until "openbox did not start again" a_window_manager_running
            wait_until_framed_anew "$MODE" "$EXERCISE"
            ;;
    esac
}

case "$wm" in
    *_wayland*)
        source "$E2E_DIR/wayland_session.sh"
        start_wayland_session "$wm"
        ;;
    *)
        new_runtime_dir
        prepare_hostile_desktop
        start_x_session "$wm"
        use_driver x11
        ;;
esac
case "$hostility" in
    fsp_extreme | fsp_high)
        level=$(dbus-send --session --print-reply --dest=org.kde.KWin /KWin \
            org.kde.KWin.supportInformation 2>/dev/null |
            sed -n 's/.*focusStealingPreventionLevel: *\([0-9]*\).*/\1/p' | head -n 1)
        [ "$level" = "$([ "$hostility" = fsp_extreme ] && echo 4 || echo 3)" ] ||
            fail "KWin runs with focus stealing prevention level '$level', not the row's"
        if [ "$hostility" = fsp_extreme ]; then
            TRAINEE_ACTIVATES_WINDOWS=1
        fi
        ;;
    frozen | frozen_bindings)
        freeze_window_manager_now_and_then
        # A request of the program's own that takes the activation back may be answered
        # only when the window manager wakes.
        TASK_BAR_WATCH_MS=4000
        ;;
esac
source "$E2E_DIR/flow.sh"
use_reader accessibility

# As the desktop's menu starts it: the command of the menu entry, with the session's
# environment and the program found on the PATH.
MENU_COMMAND=$(sed -n 's/^Exec=//p' "$E2E_DIR/../../packaging/io.github.sighttrainer.SightTrainer.desktop")
start_program() {
    PATH="$(dirname "$program"):$PATH" $MENU_COMMAND &
    APP_PID=$!
    MODE=$(wait_for_window "$MODE_TITLE")
    expect_active "$MODE" "the mode window is not the active window" "${MODE_BACKGROUND[@]}"
}

wait_for_program_end() {
    wait_for_exit "$APP_PID" "$1"
    APP_PID=
}

# With E2E_SHOTS set to a folder, a screenshot of the whole screen there.
screenshot() {
    if [ -n "${E2E_SHOTS:-}" ]; then
        screen_picture "$E2E_SHOTS/$wm${hostility:+-$hostility}-$1.png" ||
            echo "no screenshot of $1 here" >&2
    fi
}

play_whole_flow

# A window manager that prevents focus stealing may refuse an activation request without a
# time; mutter and muffin name each one they get.
if grep -q "Buggy client" "$E2E_RUNTIME/wm.log" 2>/dev/null; then
    fail "the window manager took activation requests without a time: $(grep -m 3 "Buggy client" "$E2E_RUNTIME/wm.log")"
fi
echo "whole program under $ROW: passed"
