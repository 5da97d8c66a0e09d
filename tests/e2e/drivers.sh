# The drivers of the whole-program tests: how a row finds, moves, activates and looks at
# windows, and where its pointer and keys come from. A session picks one with use_driver,
# once, before the flow starts; the flow calls only the interface below, so which click runs
# is the driver's, named in the row's log.
#
#   x11          xdotool and the X server: every X11 window manager on Xvfb, and Wine
#   wine         x11, with the slower typing a program under Wine needs, and no task bar
#                program of ours (Wine's windows take xdotool's request)
#   mutter       mutter as a Wayland compositor with Xwayland: the pointer from mutter's remote
#                desktop, buttons and keys from Xwayland's XTEST
#   kwin         KWin as a Wayland compositor with Xwayland: the pointer from KWin's fake
#                input, buttons and keys from Xwayland's XTEST, the screen from KWin
#   kwin_native  KWin without Xwayland: pointer, buttons and keys from KWin's fake input, the
#                windows found, moved and activated by KWin's scripting
DRIVER_INTERFACE=(pointer_to pointer_over pointer_click press_key type_text activate_window
    move_window visible_window active_window stacked_windows window_title window_origin frame_origin
    window_size window_picture screen_picture)

use_driver() {
    local name=$1 function
    if [ -n "${DRIVER:-}" ]; then
        fail "the driver is $DRIVER already; a session has one"
    fi
    case "$name" in
        x11 | wine | mutter | kwin | kwin_native) ;;
        *) fail "no such driver: $name" ;;
    esac
    DRIVER=$name
    for function in "${DRIVER_INTERFACE[@]}"; do
        if declare -F "${name}_$function" >/dev/null; then
            eval "$function() { ${name}_$function \"\$@\"; }"
        elif declare -F "x11_$function" >/dev/null; then
            eval "$function() { x11_$function \"\$@\"; }"
        fi
    done
    echo "driver: $DRIVER"
}

# --- X11: xdotool and the X server.

# The first visible window whose title matches, or nothing. xdotool before 2021 (Debian 12's)
# ends a search with an X error when any window is destroyed while it looks at it, as the
# program's windows are at "Повтор"; that says nothing of the window sought, so the search is
# made again rather than read as "no such window".
x11_visible_window() {
    local ids errors=$E2E_RUNTIME/search-errors
    for _ in 1 2 3 4 5; do
        ids=$(xdotool search --onlyvisible --name "$1" 2>"$errors") && break
        grep -q "X Error" "$errors" || break
    done
    head -n 1 <<<"$ids"
}

x11_active_window() {
    xdotool getactivewindow 2>/dev/null || true
}

# The program's windows as the window manager stacks them, bottom to top.
x11_stacked_windows() {
    xprop -root _NET_CLIENT_LIST_STACKING | grep -o '0x[0-9a-f]*' | while read -r id; do
        printf '%d\n' "$id"
    done
}

x11_window_title() {
    xdotool getwindowname "$1" 2>/dev/null || true
}

# The screen point of the top-left corner of a window's client area, as "x y".
x11_window_origin() {
    local info
    info=$(xwininfo -id "$1")
    echo "$(sed -n 's/.*Absolute upper-left X: *//p' <<<"$info")" \
        "$(sed -n 's/.*Absolute upper-left Y: *//p' <<<"$info")"
}

# The screen point of the top-left corner of a window's frame, as "x y": the client area's
# less the frame's left and top, as the window manager tells them.
x11_frame_origin() {
    local origin extents
    origin=($(window_origin "$1"))
    extents=($(xprop -id "$1" _NET_FRAME_EXTENTS | grep -o '[0-9]*' || true))
    echo "$((origin[0] - ${extents[0]:-0})) $((origin[1] - ${extents[2]:-0}))"
}

# The size of a window's client area, as "width height".
x11_window_size() {
    local info
    info=$(xwininfo -id "$1")
    echo "$(sed -n 's/.*Width: *//p' <<<"$info")" "$(sed -n 's/.*Height: *//p' <<<"$info")"
}

# What the task bar does with a window: one click, after which the window must be active and
# stay so (TASK_BAR_WATCH_MS, 1.5 s unless the row says). Our stand-in carries the server's
# time where the tests built it; xdotool's request has none.
x11_activate_window() {
    if [ -n "${E2E_TASK_BAR:-}" ]; then
        "$E2E_TASK_BAR" "$1" "${TASK_BAR_WATCH_MS:-1500}" ||
            fail "one click on the task bar's button of window $1 did not keep it active"
    else
        xdotool windowactivate "$1" 2>/dev/null || true
        expect_kept_active "$1" "the window manager"
    fi
}

# After an activation: window $1 becomes active, by $2's doing, and stays so for the task bar's
# watch time.
expect_kept_active() {
    wait_until "$2 did not activate window $1" window_is_active "$1"
    stays_for "$((${TASK_BAR_WATCH_MS:-1500} / 100))" \
        "window $1 was activated, then lost the activation" window_is_active "$1"
}

# Moves a window to a screen point, and waits until the window manager has.
x11_move_window() {
    xdotool windowmove "$1" "$2" "$3"
    wait_for_move "$@"
}

# A PNG picture of a window's client area, as it is on the screen.
x11_window_picture() {
    import -window "$1" "$2" 2>/dev/null
}

x11_screen_picture() {
    [ -n "${DISPLAY:-}" ] && import -window root "$1" 2>/dev/null
}

x11_pointer_to() {
    xdotool mousemove "$1" "$2"
}

# Whether the window under the pointer is the window, or lies in the same frame (xdotool names
# the frame under some window managers, the window under others).
x11_pointer_over() {
    local under
    under=$(xdotool getmouselocation 2>/dev/null | sed -n 's/.* window:\([0-9]*\).*/\1/p')
    [ -n "$under" ] || return 1
    # Mostly the window itself is under the pointer; only else are both frames looked up.
    [ $((under)) = $(($1)) ] || [ "$(top_level_of "$under")" = "$(top_level_of "$1")" ]
}

# The window's ancestor that is a child of the root window: the window manager's frame, which
# a window manager makes anew whenever it maps the window again.
top_level_of() {
    local window=$1 tree root parent
    while tree=$(xwininfo -tree -id "$window" 2>/dev/null); do
        root=$(sed -n 's/.*Root window id: \(0x[0-9a-f]*\).*/\1/p' <<<"$tree")
        parent=$(sed -n 's/.*Parent window id: \(0x[0-9a-f]*\).*/\1/p' <<<"$tree")
        # The root window's parent is None (0x0), which xwininfo would take as "the window
        # the user clicks" and wait.
        if [ -z "$parent" ] || [ $((parent)) = 0 ] || [ $((parent)) = $((root)) ]; then
            echo $((window))
            return 0
        fi
        window=$parent
    done
    return 1
}

# A window manager that stalls while it holds a click back delivers it later; the X server
# then places the release where the pointer is by that time, as the next move put it. So the
# next move waits until the click is through.
x11_pointer_click() {
    xdotool click 1
    if [ -n "${E2E_TASK_BAR:-}" ]; then
        "$E2E_TASK_BAR" --pointer-free || fail "the click at $(xdotool getmouselocation) was held"
    fi
}

# Keys by their X names: Return, ctrl+a, a digit.
x11_press_key() {
    xdotool key --clearmodifiers "$1"
}

x11_type_text() {
    xdotool type --delay 20 "$1"
}

# Window managers differ in what a move request places, the frame or the client area.
moved_to() {
    [ "$(frame_origin "$1")" = "$2 $3" ] || [ "$(window_origin "$1")" = "$2 $3" ]
}

wait_for_move() {
    wait_quietly_until moved_to "$1" "$2" "$3" ||
        fail "window $1 did not move to $2,$3: its frame is at $(frame_origin "$1")"
}

# --- Wine: its windows are X11 windows; its programs take typed keys more slowly.

wine_type_text() {
    xdotool type --delay 50 "$1"
}

wine_activate_window() {
    local E2E_TASK_BAR=
    x11_activate_window "$@"
}

# --- Compositors with Xwayland: the pointer comes from the compositor, in its global
# coordinates. Xwayland hears of it only while it is over one of its windows; once it has,
# the X server's own clicks and keys (XTEST) reach the window under it, where the
# compositor's buttons do not.

compositor_pointer_to() {
    POINTER=("$1" "$2")
    compositor_input move "$1" "$2"
    if [ -n "${DISPLAY:-}" ]; then
        wait_until "Xwayland's pointer did not come to $1,$2" xwayland_pointer_at "$1" "$2"
    fi
}

# A window mapped a moment ago may not take the pointer yet; the compositor tells Xwayland
# only of the pointer's moves, so it is moved there again until Xwayland has heard.
xwayland_pointer_at() {
    [ "$(xdotool getmouselocation 2>/dev/null | cut -d' ' -f1-2)" = "x:$1 y:$2" ] && return 0
    compositor_input move "$1" "$2"
    return 1
}

# mutter's remote desktop moves the pointer; its buttons reach no window of Xwayland.
compositor_input() {
    case "$DRIVER" in
        mutter)
            [ "$1" = move ] || fail "mutter's remote desktop moves the pointer only, not: $*"
            timeout 30 "$E2E_DIR/compositor.py" mutter-pointer "$2" "$3"
            ;;
        kwin | kwin_native) WAYLAND_DISPLAY=sight-e2e "$KWIN_FAKE_INPUT" "$@" ;;
        *) fail "the driver $DRIVER has no compositor input" ;;
    esac
}

mutter_pointer_to() { compositor_pointer_to "$@"; }
kwin_pointer_to() { compositor_pointer_to "$@"; }

# mutter without GNOME Shell offers no screenshot, and its screen casts need PipeWire;
# Xwayland's root window holds nothing. The program's windows as Xwayland has them, laid at
# their places in their order, make the picture, frames left out.
mutter_screen_picture() {
    local id origin layers=()
    for id in $(stacked_windows); do
        window_picture "$id" "$E2E_RUNTIME/window-$id.png" || continue
        origin=($(window_origin "$id"))
        layers+=("$E2E_RUNTIME/window-$id.png" -geometry "+${origin[0]}+${origin[1]}" -composite)
    done
    convert -size 1280x1024 xc:black "${layers[@]}" "$1"
    rm -f "$E2E_RUNTIME"/window-*.png
}

kwin_screen_picture() {
    timeout 30 "$E2E_DIR/compositor.py" kwin-screenshot "$1"
}

# --- KWin without Xwayland: buttons and keys from the compositor too, in Linux input event
# codes, and the windows through KWin's scripting, which alone sees a native Wayland client.

# Each call is a new input device of KWin's. Its first move reaches the window as the pointer
# entering it, which the view does not follow; the move after it does.
kwin_native_pointer_to() {
    POINTER=("$1" "$2")
    compositor_input move $(($1 + 1)) "$2" wait 30 move "$1" "$2"
}

# KWin ends a pointer event with a frame only after motion, and a client acts on what a frame
# ends: a button alone would reach no window. A move to the next pixel and back after each
# delivers the click where it was pressed; the window hears of the pointer before the press.
# KWin's scripting tells no window under a point; the compositor removes a closed window at
# once.
kwin_native_pointer_over() {
    return 0
}

kwin_native_pointer_click() {
    local x=${POINTER[0]} y=${POINTER[1]}
    compositor_input move "$x" "$y" wait 50 press 272 move $((x + 1)) "$y" release 272 \
        move "$x" "$y"
}

kwin_native_press_key() {
    case "$1" in
        Return) compositor_input key 28 ;;
        ctrl+a) compositor_input down 29 key 30 up 29 ;;
        *) type_text "$1" ;;
    esac
}

# Digits only: the range the trainee answers.
kwin_native_type_text() {
    local text=$1 digit codes=()
    while [ -n "$text" ]; do
        digit=${text:0:1}
        text=${text:1}
        case "$digit" in
            0) codes+=(key 11) ;;
            [1-9]) codes+=(key $((digit + 1))) ;;
            *) fail "cannot type '$digit' through the compositor" ;;
        esac
    done
    compositor_input "${codes[@]}"
}

# Runs a KWin script whose reply() is the answer.
kwin_script() {
    timeout 30 "$E2E_DIR/compositor.py" kwin-script "$1"
}

KWIN_FIND='function find(id) { return workspace.clientList().filter(
    function (c) { return String(c.internalId) == id; })[0]; }'

kwin_native_visible_window() {
    local title=${1//\\/\\\\}
    kwin_script "var pattern = new RegExp('${title//\'/\\\'}');
        var found = workspace.clientList().filter(function (c) {
            return pattern.test(c.caption) && !c.minimized; });
        reply(found.length > 0 ? found[0].internalId : '');"
}

kwin_native_active_window() {
    kwin_script "reply(workspace.activeClient ? workspace.activeClient.internalId : '');"
}

kwin_native_stacked_windows() {
    kwin_script "reply(workspace.clientList().sort(function (a, b) {
        return a.stackingOrder - b.stackingOrder; }).map(function (c) {
        return c.internalId; }).join('\n'));"
}

kwin_native_window_title() {
    kwin_script "$KWIN_FIND var c = find('$1'); reply(c ? c.caption : '');"
}

# "x y width height" of the client area, or of the frame with $2 = frame.
kwin_native_geometry() {
    local which=bufferGeometry
    [ "${2:-}" = frame ] && which=frameGeometry
    kwin_script "$KWIN_FIND var g = find('$1').$which;
        reply([g.x, g.y, g.width, g.height].join(' '));"
}

kwin_native_window_origin() {
    local geometry
    geometry=($(kwin_native_geometry "$1"))
    echo "${geometry[0]} ${geometry[1]}"
}

kwin_native_frame_origin() {
    local geometry
    geometry=($(kwin_native_geometry "$1" frame))
    echo "${geometry[0]} ${geometry[1]}"
}

kwin_native_window_size() {
    local geometry
    geometry=($(kwin_native_geometry "$1"))
    echo "${geometry[2]} ${geometry[3]}"
}

kwin_native_activate_window() {
    kwin_script "$KWIN_FIND workspace.activeClient = find('$1'); reply('');" >/dev/null
    expect_kept_active "$1" KWin
}

kwin_native_move_window() {
    kwin_script "$KWIN_FIND var c = find('$1'); var g = c.frameGeometry;
        c.frameGeometry = {x: $2, y: $3, width: g.width, height: g.height}; reply('');" \
        >/dev/null
    wait_for_move "$@"
}

kwin_native_window_picture() {
    timeout 30 "$E2E_DIR/compositor.py" kwin-screenshot "$2" $(kwin_native_geometry "$1")
}

kwin_native_screen_picture() {
    kwin_screen_picture "$@"
}
