# The whole-program tests under a Wayland compositor without a screen: GNOME's mutter and
# KDE's KWin, with Xwayland as their sessions start it, and KWin without it. Sourced after
# x_session.sh, whose driver it partly replaces: Xwayland takes pointer and keys only where
# the compositor puts them, so they come from the compositor (mutter's remote desktop, KWin's
# fake input); without Xwayland, KWin's scripting finds, moves and activates the windows too.

# Starts the compositor of the desktop $1 (mutter_wayland, kwin_wayland or
# kwin_wayland_native) on a virtual screen of 1280 x 1024, with the environment a session of
# that desktop gives the programs its menu starts.
start_wayland_session() {
    local desktop=$1
    new_runtime_dir
    chmod 700 "$E2E_RUNTIME"
    trap stop_x_session EXIT
    unset DISPLAY XAUTHORITY QT_QPA_PLATFORM
    export XDG_SESSION_TYPE=wayland
    case "$desktop" in
        mutter_wayland) start_mutter ;;
        kwin_wayland) start_kwin --xwayland ;;
        kwin_wayland_native) start_kwin ;;
        *) fail "no such Wayland desktop: $desktop" ;;
    esac
    export WAYLAND_DISPLAY=sight-e2e
    start_accessibility_bus
}

start_mutter() {
    export XDG_CURRENT_DESKTOP=GNOME
    mutter --wayland --headless --virtual-monitor 1280x1024 --wayland-display=sight-e2e \
        --sm-disable >"$E2E_RUNTIME/wm.log" 2>&1 &
    WM_PID=$!
    # mutter names the display its Xwayland took, and keeps that display's authority in the
    # runtime folder.
    wait_quietly_until grep -q 'Using public X11 display' "$E2E_RUNTIME/wm.log" ||
        fail "mutter did not start Xwayland: $(tail -n 5 "$E2E_RUNTIME/wm.log")"
    DISPLAY=$(sed -n 's/.*Using public X11 display \(:[0-9]*\).*/\1/p' "$E2E_RUNTIME/wm.log")
    XAUTHORITY=$(ls "$E2E_RUNTIME"/.mutter-Xwaylandauth.* | head -n 1)
    export DISPLAY XAUTHORITY
    wait_until "mutter's Xwayland does not answer on $DISPLAY" xdpyinfo_answers
    # The pointer of mutter's remote desktop. Its buttons reach no window of Xwayland.
    compositor_input() {
        [ "$1" = move ] || fail "mutter's remote desktop moves the pointer only, not: $*"
        "$E2E_DIR/compositor.py" mutter-pointer "$2" "$3"
    }
    # mutter without GNOME Shell offers no screenshot, and its screen casts need PipeWire;
    # Xwayland's root window holds nothing. The program's windows as Xwayland has them, laid
    # at their places in their order, make the picture, frames left out.
    screen_picture() {
        local id origin layers=()
        for id in $(stacked_windows); do
            window_picture "$id" "$E2E_RUNTIME/window-$id.png" || continue
            origin=($(window_origin "$id"))
            layers+=("$E2E_RUNTIME/window-$id.png" -geometry "+${origin[0]}+${origin[1]}" -composite)
        done
        convert -size 1280x1024 xc:black "${layers[@]}" "$1"
        rm -f "$E2E_RUNTIME"/window-*.png
    }
}

# KWin with Xwayland ($1 --xwayland) or without. Debian's binary carries a file capability
# that a container refuses to exec; a plain copy of it runs anywhere.
start_kwin() {
    export XDG_CURRENT_DESKTOP=KDE
    [ -n "${KWIN_FAKE_INPUT:-}" ] || fail "KWIN_FAKE_INPUT names no kwin-fake-input"
    cp "$(command -v kwin_wayland)" "$E2E_RUNTIME/kwin_wayland"
    # The session's first program writes down the displays KWin gave it, then waits.
    cat >"$E2E_RUNTIME/session.sh" <<SESSION
#!/bin/sh
echo "\${DISPLAY:-}" >"$E2E_RUNTIME/session.tmp"
mv "$E2E_RUNTIME/session.tmp" "$E2E_RUNTIME/session.display"
exec sleep infinity
SESSION
    chmod +x "$E2E_RUNTIME/session.sh"
    # The tests' own input, scripts and screenshots need no permission from a user here.
    KWIN_WAYLAND_NO_PERMISSION_CHECKS=1 KWIN_SCREENSHOT_NO_PERMISSION_CHECKS=1 \
        "$E2E_RUNTIME/kwin_wayland" --virtual "$@" --width 1280 --height 1024 \
        --socket sight-e2e --exit-with-session "$E2E_RUNTIME/session.sh" \
        >"$E2E_RUNTIME/wm.log" 2>&1 &
    WM_PID=$!
    wait_quietly_until test -e "$E2E_RUNTIME/session.display" ||
        fail "KWin did not start: $(tail -n 5 "$E2E_RUNTIME/wm.log")"
    DISPLAY=$(cat "$E2E_RUNTIME/session.display")
    if [ -n "$DISPLAY" ]; then
        export DISPLAY
        wait_until "KWin's Xwayland does not answer on $DISPLAY" xdpyinfo_answers
    else
        unset DISPLAY
        use_kwin_windows
        use_compositor_buttons_and_keys
    fi
    compositor_input() {
        WAYLAND_DISPLAY=sight-e2e "$KWIN_FAKE_INPUT" "$@"
    }
    screen_picture() {
        "$E2E_DIR/compositor.py" kwin-screenshot "$1"
    }
}

# The pointer comes from the compositor, in its global coordinates. Xwayland hears of it
# only while it is over one of its windows; once it has, the X server's own clicks and keys
# (XTEST) reach the window under it, where the compositor's buttons do not.
pointer_to() {
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

# Without Xwayland, buttons and keys come from the compositor too, in Linux input event codes.
use_compositor_buttons_and_keys() {
    # Each call is a new input device of KWin's. Its first move reaches the window as the
    # pointer entering it, which the view does not follow; the move after it does.
    pointer_to() {
        POINTER=("$1" "$2")
        compositor_input move $(($1 + 1)) "$2" wait 30 move "$1" "$2"
    }
    # KWin ends a pointer event with a frame only after motion, and a client acts on what a
    # frame ends: a button alone would reach no window. A move to the next pixel and back
    # after each delivers the click where it was pressed; the window hears of the pointer
    # before the press.
    pointer_click() {
        local x=${POINTER[0]} y=${POINTER[1]}
        compositor_input move "$x" "$y" wait 50 press 272 move $((x + 1)) "$y" release 272 \
            move "$x" "$y"
    }
    press_key() {
        case "$1" in
            Return) compositor_input key 28 ;;
            ctrl+a) compositor_input down 29 key 30 up 29 ;;
            *) type_text "$1" ;;
        esac
    }
    # Digits only: the range the trainee answers.
    type_text() {
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
}

# Runs a KWin script whose reply() is the answer.
kwin_script() {
    "$E2E_DIR/compositor.py" kwin-script "$1"
}

# A native Wayland client is seen only by the compositor: KWin's scripting finds its windows
# by their captions, reads their places and order, moves and activates them.
use_kwin_windows() {
    KWIN_FIND='function find(id) { return workspace.clientList().filter(
        function (c) { return String(c.internalId) == id; })[0]; }'
    visible_window() {
        local title=${1//\\/\\\\}
        kwin_script "var pattern = new RegExp('${title//\'/\\\'}');
            var found = workspace.clientList().filter(function (c) {
                return pattern.test(c.caption) && !c.minimized; });
            reply(found.length > 0 ? found[0].internalId : '');"
    }
    active_window() {
        kwin_script "reply(workspace.activeClient ? workspace.activeClient.internalId : '');"
    }
    stacked_windows() {
        kwin_script "reply(workspace.clientList().sort(function (a, b) {
            return a.stackingOrder - b.stackingOrder; }).map(function (c) {
            return c.internalId; }).join('\n'));"
    }
    window_title() {
        kwin_script "$KWIN_FIND var c = find('$1'); reply(c ? c.caption : '');"
    }
    window_geometry() {
        kwin_script "$KWIN_FIND var g = find('$1').bufferGeometry;
            reply([g.x, g.y, g.width, g.height].join(' '));"
    }
    window_origin() {
        local geometry
        geometry=($(window_geometry "$1"))
        echo "${geometry[0]} ${geometry[1]}"
    }
    window_size() {
        local geometry
        geometry=($(window_geometry "$1"))
        echo "${geometry[2]} ${geometry[3]}"
    }
    activate_window() {
        kwin_script "$KWIN_FIND workspace.activeClient = find('$1'); reply('');" >/dev/null
    }
    move_window() {
        kwin_script "$KWIN_FIND var c = find('$1'); var g = c.frameGeometry;
            c.frameGeometry = {x: $2, y: $3, width: g.width, height: g.height}; reply('');" \
            >/dev/null
    }
    window_picture() {
        "$E2E_DIR/compositor.py" kwin-screenshot "$2" $(window_geometry "$1")
    }
}
