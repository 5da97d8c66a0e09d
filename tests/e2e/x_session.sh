# Shared by the whole-program tests: a private X server with a window manager, and helpers
# that wait for windows instead of sleeping for fixed times.
set -euo pipefail

start_x_session() {
    local display_number
    for display_number in $(seq 90 140); do
        if [ ! -e "/tmp/.X11-unix/X${display_number}" ] && [ ! -e "/tmp/.X${display_number}-lock" ]; then
            break
        fi
    done
    export DISPLAY=":${display_number}"
    Xvfb "$DISPLAY" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    XVFB_PID=$!
    for _ in $(seq 1 100); do
        xdpyinfo >/dev/null 2>&1 && break
        sleep 0.1
    done
    openbox >/dev/null 2>&1 &
    WM_PID=$!
    for _ in $(seq 1 100); do
        xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
        sleep 0.1
    done
    trap stop_x_session EXIT
}

stop_x_session() {
    [ -n "${APP_PID:-}" ] && kill "$APP_PID" 2>/dev/null || true
    [ -n "${WM_PID:-}" ] && kill "$WM_PID" 2>/dev/null || true
    [ -n "${XVFB_PID:-}" ] && kill "$XVFB_PID" 2>/dev/null || true
    wait 2>/dev/null || true
}

# Prints the id of the visible window whose title matches, waiting up to 10 s for it.
wait_for_window() {
    local title=$1 id
    for _ in $(seq 1 100); do
        id=$(xdotool search --onlyvisible --name "$title" 2>/dev/null | head -n 1 || true)
        if [ -n "$id" ]; then
            echo "$id"
            return 0
        fi
        sleep 0.1
    done
    echo "no visible window titled '$title'" >&2
    return 1
}

# Waits up to 10 s until no visible window has the title.
wait_for_window_gone() {
    local title=$1
    for _ in $(seq 1 100); do
        if [ -z "$(xdotool search --onlyvisible --name "$title" 2>/dev/null || true)" ]; then
            return 0
        fi
        sleep 0.1
    done
    echo "window '$title' is still visible" >&2
    return 1
}

# Clicks at a point of a window's client area.
click_in() {
    local window=$1 x=$2 y=$3
    xdotool mousemove --window "$window" "$x" "$y"
    sleep 0.05
    xdotool click 1
}

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# Counts the pure black pixels in a rectangle of a window's client area.
black_pixels_in() {
    local window=$1 x=$2 y=$3 width=$4 height=$5
    import -window "$window" png:- 2>/dev/null |
        convert - -crop "${width}x${height}+${x}+${y}" +repage txt:- | grep -c '#000000' || true
}

# Counts the pixels of one exact colour (as #RRGGBB) in a rectangle of a window's client area.
pixels_of_colour_in() {
    local window=$1 x=$2 y=$3 width=$4 height=$5 colour=$6
    import -window "$window" png:- 2>/dev/null |
        convert - -crop "${width}x${height}+${x}+${y}" +repage txt:- | grep -ci "$colour" || true
}

# Waits up to 10 s for the program's process to end; fails if it does not.
wait_for_exit() {
    local pid=$1
    for _ in $(seq 1 100); do
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.1
    done
    if kill -0 "$pid" 2>/dev/null; then
        fail "the program is still running"
    fi
    wait "$pid" || fail "the program ended with an error"
}
