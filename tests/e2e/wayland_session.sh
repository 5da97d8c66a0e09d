# The whole-program tests under a Wayland compositor without a screen: GNOME's mutter and
# KDE's KWin, with Xwayland as their sessions start it, and KWin without it. Sourced after
# x_session.sh; the session chooses the driver of its compositor (drivers.sh): Xwayland takes
# the pointer only where the compositor puts it, so it comes from the compositor (mutter's
# remote desktop, KWin's fake input); without Xwayland, KWin's fake input and scripting do
# everything.

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
    [ "$desktop" != mutter_wayland ] || run_xwayland_session_scripts
}

# What GNOME's settings daemon does once Xwayland is up: it runs the scripts that other
# packages put in Xwayland-session.d. at-spi's copies the accessibility bus's address onto
# Xwayland's root window, where a GNOME session's X11 clients find it before they ask the
# session bus (Qt 5 registers with the screen reader only if it finds it there in time).
run_xwayland_session_scripts() {
    local dir script dirs
    IFS=: read -ra dirs <<<"${XDG_CONFIG_DIRS:-/etc/xdg}"
    for dir in "${dirs[@]}"; do
        for script in "$dir"/Xwayland-session.d/*; do
            [ -x "$script" ] || continue
            "$script" >>"$E2E_RUNTIME/xwayland-session.log" 2>&1 ||
                fail "$script failed: $(tail -n 3 "$E2E_RUNTIME/xwayland-session.log")"
        done
    done
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
    use_driver mutter
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
        use_driver kwin
    else
        unset DISPLAY
        use_driver kwin_native
    fi
}
