# Shared by the whole-program tests: a private X server with a window manager and an
# accessibility bus, and helpers that wait for what the trainee would see instead of sleeping
# for fixed times. Window managers differ widely in speed (kwin maps and activates windows
# several times slower than openbox), so every wait is a poll with a generous limit.
set -euo pipefail
# A command that fails outside every check ends a run under set -e without a word of what
# failed; this names it, as fail does its own checks. Command substitutions, which run
# without -e, say nothing.
set -E
trap 'unchecked_failure $? "$BASH_COMMAND"' ERR
unchecked_failure() {
    local status=$1 command=$2
    [[ $- == *e* ]] || return 0
    trap - ERR
    fail "'$command' ended with status $status at ${BASH_SOURCE[1]}:${BASH_LINENO[0]}" \
        "(in ${FUNCNAME[*]:1})"
}

E2E_DIR=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source "$E2E_DIR/drivers.sh"
# How long to wait for anything the window manager does, in tenths of a second.
WAIT_TENTHS=${WAIT_TENTHS:-200}

# Client-area points of the controls, from the window layouts.
MODE_SHOOTING=(100 112)
MODE_START=(133 172)
MODE_EXIT=(253 172)
EXERCISE_START=(680 372)
EXERCISE_EXIT=(680 404)
EXERCISE_PANEL=(700 300)
VIEW=(8 8 576 413)
RANGE_FIELD=(690 235)
ATTEMPTS=(726 34)
HITS=(724 70)
GRADE=(730 140)
DIALOG_EXIT=(85 164)
DIALOG_CANCEL=(189 164)
DIALOG_REPEAT=(293 164)
DIALOG_HEADLINE=(120 14)
DIALOG_GRADE=(288 52)
DIALOG_BACKGROUND=(360 120)
# The windows' titles, as patterns of visible_window.
MODE_TITLE='^Тренажер$'
DIALOG_TITLE='^Завершение$'
# Points of the view to shoot at, spread over all of it: the left half lies where the mode
# window is, beneath the exercise window.
SHOTS=("20 20" "120 200" "200 390" "290 100" "300 300" "400 60" "460 250" "560 20"
    "560 400" "150 100")

# Starts Xvfb and the window manager $1 (openbox by default). Inside run_in_session it also
# starts the session's accessibility bus, on which the program started later reports its
# controls.
start_x_session() {
    local wm=${1:-openbox}
    [ -n "${E2E_RUNTIME:-}" ] || new_runtime_dir
    start_xvfb
    start_accessibility_bus
    case "$wm" in
        kwin_x11) kwin_x11 --replace >"$E2E_RUNTIME/wm.log" 2>&1 & ;;
        # GNOME's and Cinnamon's, which would be Wayland compositors without --x11.
        mutter | muffin) "$wm" --x11 --replace --sm-disable >"$E2E_RUNTIME/wm.log" 2>&1 & ;;
        *) "$wm" >"$E2E_RUNTIME/wm.log" 2>&1 & ;;
    esac
    WM_PID=$!
    # On a busy machine a compositing window manager may take long to come up.
    WAIT_TENTHS=$((WAIT_TENTHS * 3)) wait_quietly_until window_manager_running ||
        fail "the window manager $wm did not start on $DISPLAY: $(tail -n 5 "$E2E_RUNTIME/wm.log")" \
            "$(tail -n 5 "$E2E_RUNTIME/xvfb.log")"
}

# Starts Xvfb on a display that no other X server holds, and exports DISPLAY. The
# display is taken by its lock file, as X servers and the Wayland compositors starting Xwayland
# take theirs, so that runs side by side, and compositors starting meanwhile, never meet on
# one (Xvfb's own -displayfd takes a free socket but writes no lock, and KWin then takes the
# same display). The lock names this shell, which lives as long as the server.
start_xvfb() {
    local display lock first=$((RANDOM % 100)) try
    trap stop_x_session EXIT
    # From a place of its own among the first 100 displays, so that a run does not take the
    # display that the run before gave up a moment ago, while clients of that run may still
    # be ending.
    for try in $(seq 0 199); do
        display=$(((first + try) % 200))
        lock=/tmp/.X$display-lock
        take_display_lock "$lock" || continue
        XVFB_LOCK=$lock
        # A server that took no lock (Xvfb -displayfd), or one still ending after its run
        # gave its lock up, holds the display's sockets; Xvfb would start beside it on one of
        # them, and lose it when that server removes its socket file.
        if [ -e "/tmp/.X11-unix/X$display" ] ||
            grep -q "@/tmp/.X11-unix/X$display\$" /proc/net/unix; then
            give_up_display_lock "$lock"
            XVFB_LOCK=
            continue
        fi
        # No reset when its last client leaves (the first check below, the accessibility bus):
        # runs whose server reset there now and then saw the window manager fail to open the
        # display right after.
        Xvfb ":$display" -nolock -noreset -screen 0 1280x1024x24 -nolisten tcp \
            >"$E2E_RUNTIME/xvfb.log" 2>&1 &
        XVFB_PID=$!
        export DISPLAY=":$display"
        # Xvfb ends at once if it finds the display taken after all.
        for _ in $(seq 1 "$WAIT_TENTHS"); do
            kill -0 "$XVFB_PID" 2>/dev/null || break
            xdpyinfo_answers && return
            sleep 0.1
        done
        kill "$XVFB_PID" 2>/dev/null || true
        wait "$XVFB_PID" 2>/dev/null || true
        XVFB_PID=
        give_up_display_lock "$lock"
        XVFB_LOCK=
    done
    fail "Xvfb did not start: $(tail -n 5 "$E2E_RUNTIME/xvfb.log")"
}

# Takes an X display's lock file as X servers do: a file naming this shell is written aside and
# linked into place, which fails at once where the lock exists, so that no reader ever sees a
# lock half written. A lock whose owner is gone, left by a run that was killed, is broken by
# renaming it aside, which only one breaker can do, and only when what was renamed is still
# that stale lock; the tests' own breakers take turns under flock.
take_display_lock() {
    local lock=$1 mine stale owner taken=1
    mine=$(mktemp /tmp/.sight-e2e-lock.XXXXXX)
    printf '%10d\n' $$ >"$mine"
    chmod 444 "$mine"
    if ln "$mine" "$lock" 2>/dev/null; then
        taken=0
    else
        exec 8>>/tmp/.sight-e2e-lock-breaking
        flock 8
        owner=$(tr -d ' \n' <"$lock" 2>/dev/null || true)
        if [ -n "$owner" ] && ! kill -0 "$owner" 2>/dev/null; then
            stale=$mine.stale
            if mv -T "$lock" "$stale" 2>/dev/null; then
                # Another server may have broken it and taken the display in between: its
                # lock goes back.
                owner=$(tr -d ' \n' <"$stale" 2>/dev/null || true)
                if [ -n "$owner" ] && kill -0 "$owner" 2>/dev/null; then
                    ln "$stale" "$lock" 2>/dev/null || true
                elif ln "$mine" "$lock" 2>/dev/null; then
                    taken=0
                fi
                rm -f "$stale"
            fi
        fi
        exec 8>&-
    fi
    rm -f "$mine"
    return "$taken"
}

# Removes a lock only while it is still this shell's.
give_up_display_lock() {
    [ "$(tr -d ' \n' <"$1" 2>/dev/null || true)" = "$$" ] && rm -f "$1"
    return 0
}

xdpyinfo_answers() {
    xdpyinfo >/dev/null 2>&1
}

window_manager_running() {
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'
}

# A private runtime folder of the session: sockets, logs, what the display server wrote.
new_runtime_dir() {
    prepare_x11_socket_dir
    E2E_RUNTIME=$(mktemp -d)
    export XDG_RUNTIME_DIR=$E2E_RUNTIME
    # The program's windows report themselves to screen readers, and the tests read them so.
    export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
}

# The folder of the X servers' sockets, as a desktop system's boot makes it: open to every
# user, sticky. On a machine that has had no X server yet, mutter would make it itself with
# the process's umask and then refuse to start Xwayland in a folder others cannot write.
prepare_x11_socket_dir() {
    mkdir -p -m 1777 /tmp/.X11-unix 2>/dev/null || true
    if [ -O /tmp/.X11-unix ] && [ "$(stat -c %a /tmp/.X11-unix)" != 1777 ]; then
        chmod 1777 /tmp/.X11-unix
    fi
}

start_accessibility_bus() {
    if [ -n "${SIGHT_E2E_IN_DBUS:-}" ]; then
        # Services the bus starts on demand (the window managers' own) open windows on this
        # display.
        dbus-update-activation-environment DISPLAY XDG_RUNTIME_DIR ${WAYLAND_DISPLAY:+WAYLAND_DISPLAY}
        dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus \
            org.a11y.Bus.GetAddress >/dev/null
    fi
}

# Runs the calling script again inside a D-Bus session of its own, unless it already is.
run_in_session() {
    if [ -z "${SIGHT_E2E_IN_DBUS:-}" ]; then
        # The session bus reports every service it starts, and the services it started
        # complain as the session ends under them; that is no news to the reader.
        # The run inside has said why it failed; out here its status is all there is to pass on.
        local status=0
        SIGHT_E2E_IN_DBUS=1 dbus-run-session -- bash "$0" "$@" 2>&1 |
            grep -v -e '^dbus-daemon' -e 'SpiRegistry' -e '^X connection to .* broken' \
                -e 'xfconfd-CRITICAL' -e '^$' || status=${PIPESTATUS[0]}
        exit "$status"
    fi
}

stop_x_session() {
    [ -n "${APP_PID:-}" ] && kill "$APP_PID" 2>/dev/null || true
    # A window manager stopped now and then is woken to end.
    [ -n "${FREEZER_PID:-}" ] && kill "$FREEZER_PID" 2>/dev/null || true
    [ -n "${WM_PID:-}" ] && kill -CONT "$WM_PID" 2>/dev/null || true
    [ -n "${WM_PID:-}" ] && kill "$WM_PID" 2>/dev/null || true
    [ -n "${XVFB_PID:-}" ] && kill "$XVFB_PID" 2>/dev/null || true
    wait 2>/dev/null || true
    [ -n "${XVFB_LOCK:-}" ] && give_up_display_lock "$XVFB_LOCK"
    [ -n "${E2E_RUNTIME:-}" ] && rm -rf "$E2E_RUNTIME"
}

fail() {
    echo "FAIL: $*" >&2
    describe_windows >&2 || true
    if [ -n "${E2E_SCREENSHOT:-}" ] && screen_picture "$E2E_SCREENSHOT" 2>/dev/null; then
        echo "screen: $E2E_SCREENSHOT" >&2
    fi
    exit 1
}

# Polls a command until it succeeds; false when the wait runs out: after WAIT_TENTHS tries,
# or three times as many seconds' worth where each try itself takes long (a compositor's
# screenshot).
wait_quietly_until() {
    local deadline=$((SECONDS + 3 * WAIT_TENTHS / 10))
    for _ in $(seq 1 "$WAIT_TENTHS"); do
        "$@" && return 0
        ((SECONDS < deadline)) || break
        sleep 0.1
    done
    "$@"
}

# Polls a command until it succeeds; fails with the message when the wait runs out.
wait_until() {
    local message=$1
    shift
    wait_quietly_until "$@" || fail "$message"
}

# Checks a command every tenth of a second for $1 tenths; fails with the message the first
# time it does not hold: what must not change after an act that should change nothing.
stays_for() {
    local tenths=$1 message=$2 deadline
    shift 2
    deadline=$((SECONDS + 3 * tenths / 10 + 1))
    for _ in $(seq 1 "$tenths"); do
        "$@" || fail "$message"
        ((SECONDS < deadline)) || break
        sleep 0.1
    done
}

describe_windows() {
    local id
    echo "active: $(active_window); stacking, bottom to top:"
    for id in $(stacked_windows 2>/dev/null); do
        echo "  $id $(window_title "$id")"
    done
}

# Whether a window whose title matches is visible; it is then $SHOWN_WINDOW.
window_shown() {
    SHOWN_WINDOW=$(visible_window "$1")
    [ -n "$SHOWN_WINDOW" ]
}

window_not_shown() {
    [ -z "$(visible_window "$1")" ]
}

# Prints the id of the visible window whose title matches, waiting for it: the id the wait
# found. A second search, checked by nothing, could print nothing where the window had just
# gone, and the caller would go on with an empty id.
wait_for_window() {
    wait_until "no visible window titled '$1'" window_shown "$1"
    echo "$SHOWN_WINDOW"
}

wait_for_window_gone() {
    wait_until "window '$1' is still visible" window_not_shown "$1"
}

window_is_active() {
    [ "$(active_window)" = "$1" ]
}

# The window manager's stacking order: true when window $1 lies above window $2.
window_above() {
    local order upper lower
    order=$(stacked_windows)
    upper=$(echo "$order" | grep -nxF -- "$1" | cut -d: -f1)
    lower=$(echo "$order" | grep -nxF -- "$2" | cut -d: -f1)
    [ -n "$upper" ] && [ -n "$lower" ] && [ "$upper" -gt "$lower" ]
}

# Moves the pointer to a point of a window's client area.
pointer_in() {
    local window=$1 x=$2 y=$3 origin
    origin=($(window_origin "$window"))
    pointer_to $((origin[0] + x)) $((origin[1] + y))
}

# Clicks at a point of a window's client area, once the trainee sees that window there: a
# window manager that is slow to take a closed window's frame away leaves it on the screen
# over the windows beneath, and a click there would go to the frame.
click_in() {
    pointer_in "$@"
    wait_until "the pointer at $2,$3 of window $1 is over another window" pointer_over "$1"
    sleep 0.05
    pointer_click
}

# What a screen reader reads at a client point of the window titled $2 (see read_window.py).
read_text() {
    timeout 20 "$E2E_DIR/read_window.py" text "$1" "$2" "$3"
}

read_enabled() {
    timeout 20 "$E2E_DIR/read_window.py" enabled "$1" "$2" "$3"
}

text_reads() {
    [ "$(read_text "$1" "$2" "$3" 2>/dev/null || true)" = "$4" ]
}

# Waits until the control at a point of a window reads the expected text.
wait_for_text() {
    local title=$1 x=$2 y=$3 expected=$4
    wait_quietly_until text_reads "$title" "$x" "$y" "$expected" ||
        fail "the control at $x,$y of '$title' reads '$(read_text "$title" "$x" "$y" 2>&1 || true)'," \
            "not '$expected'"
}

# Counts the pure black pixels of a window's client area within a rectangle (x y width
# height) and a square of the given size around a client point ($6 $7).
black_pixels_around() {
    local window=$1 left=$2 top=$3 width=$4 height=$5 x=$6 y=$7 size=$8
    local x0=$left y0=$top x1=$((left + width)) y1=$((top + height))
    ((x - size / 2 > x0)) && x0=$((x - size / 2))
    ((y - size / 2 > y0)) && y0=$((y - size / 2))
    ((x + size / 2 < x1)) && x1=$((x + size / 2))
    ((y + size / 2 < y1)) && y1=$((y + size / 2))
    if ((x1 <= x0 || y1 <= y0)); then
        echo 0
        return
    fi
    pixels_of_colour_in "$window" "$x0" "$y0" $((x1 - x0)) $((y1 - y0)) '#000000'
}

# Whether the completion dialog is showing and active; it is then $DIALOG.
dialog_is_active() {
    DIALOG=$(visible_window "$DIALOG_TITLE")
    [ -n "$DIALOG" ] && window_is_active "$DIALOG"
}

# Whether the sight's reticle is drawn around the pointer, moved to a client point of the
# exercise window ($EXERCISE) within its view (the rectangle $VIEW).
reticle_under_pointer() {
    local x=$1 y=$2
    # The sight follows the mouse once the target marker has enabled the view.
    pointer_in "$EXERCISE" $((x + 2)) $((y + 2))
    pointer_in "$EXERCISE" "$x" "$y"
    [ "$(black_pixels_around "$EXERCISE" "${VIEW[@]}" "$x" "$y" 120)" -gt 60 ]
}

# Counts the pixels of one exact colour (as #RRGGBB) in a rectangle of a window's client area.
pixels_of_colour_in() {
    local window=$1 x=$2 y=$3 width=$4 height=$5 colour=$6 picture
    picture=$(mktemp --suffix=.png)
    if window_picture "$window" "$picture"; then
        convert "$picture" -crop "${width}x${height}+${x}+${y}" +repage txt:- |
            grep -ci "$colour" || true
    else
        echo 0
    fi
    rm -f "$picture"
}

# Waits for a process, a child of this shell or not, to end; fails naming it ($2) if it
# does not.
wait_for_end() {
    local pid=$1 what=${2:-the program}
    wait_quietly_until process_gone "$pid" || fail "$what is still running"
}

process_gone() {
    ! kill -0 "$1" 2>/dev/null
}

# Waits for the program, a child of this shell, to end without an error.
wait_for_exit() {
    wait_for_end "$1" "${2:-the program}"
    wait "$1" || fail "${2:-the program} ended with an error"
}
