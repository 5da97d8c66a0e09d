#!/usr/bin/env bash
# The real program on one desktop ($2), played as a trainee would: both exercises to their
# end, leaving mid-test and going back, a new test, a click on the mode window during a test,
# moving between the exercise window and the dialog after the last shot, and both "Выход"
# buttons. Controls are read as a screen reader reads them. The desktop is an X11 window
# manager on Xvfb, or a Wayland compositor (wayland_session.sh): mutter_wayland and
# kwin_wayland with Xwayland, kwin_wayland_native without.
set -euo pipefail
program=$1
wm=$2
source "$(dirname "$0")/x_session.sh"
run_in_session "$@"
E2E_SCREENSHOT=${E2E_SCREENSHOT:-/tmp/sight-e2e-$wm-failure.png}
case "$wm" in
    *_wayland*)
        source "$E2E_DIR/wayland_session.sh"
        start_wayland_session "$wm"
        ;;
    *) start_x_session "$wm" ;;
esac

RANGE_CAPTION='Определение расстояния'
SHOOTING_CAPTION='Стрельба из РПГ'

step() {
    echo "[$wm] $*"
}

# As the desktop's menu starts it: the command of the menu entry, with the session's
# environment and the program found on the PATH.
MENU_COMMAND=$(sed -n 's/^Exec=//p' "$E2E_DIR/../../packaging/io.github.sighttrainer.SightTrainer.desktop")
start_program() {
    PATH="$(dirname "$program"):$PATH" $MENU_COMMAND &
    APP_PID=$!
    MODE=$(wait_for_window "$MODE_TITLE")
    wait_until "the mode window is not the active window" window_is_active "$MODE"
}

showing_windows() {
    "$E2E_DIR/read_window.py" windows
}

# True when the window is showing and a screen reader announces it with that role.
window_read_as() {
    local role=$1 name=$2
    grep -qx "$role	$name" <<<"$(showing_windows)"
}

# Only the mode window, both as the program reads its windows and as the X server maps them.
only_mode_window_showing() {
    [ "$(showing_windows | cut -f2)" = "Тренажер" ] &&
        window_not_shown 'Контроль по теме' && window_not_shown "$DIALOG_TITLE"
}

# With E2E_SHOTS set to a folder, a screenshot of the whole screen there.
screenshot() {
    if [ -n "${E2E_SHOTS:-}" ]; then
        screen_picture "$E2E_SHOTS/$wm-$1.png" || echo "no screenshot of $1 here" >&2
    fi
}

# Opens the exercise window from the mode window and waits until it is in front.
open_exercise() {
    local caption=$1
    click_in "$MODE" "${MODE_START[@]}"
    EXERCISE=$(wait_for_window "$caption")
    wait_until "the exercise window is not active" window_is_active "$EXERCISE"
    wait_until "the mode window lies above the exercise window" window_above "$EXERCISE" "$MODE"
    wait_for_text "$caption" "${ATTEMPTS[@]}" 10
}

answer_range() {
    local text=$1 attempts_after=$2
    click_in "$EXERCISE" "${RANGE_FIELD[@]}"
    press_key ctrl+a
    type_text "$text"
    press_key Return
    if [ "$attempts_after" -gt 0 ]; then
        wait_for_text "$RANGE_CAPTION" "${ATTEMPTS[@]}" "$attempts_after"
    fi
}

# The view's client point of a shot is 8 pixels in from the window's corner.
shoot_at() {
    local x=$(($1 + 8)) y=$(($2 + 8)) attempts_after=$3
    click_in "$EXERCISE" "${EXERCISE_START[@]}"
    wait_until "no reticle under the pointer at $x,$y of the view" reticle_under_pointer "$x" "$y"
    # The second shot aims where the mode window lies, beneath the exercise window.
    if [ "$attempts_after" = 8 ]; then
        screenshot aiming
    fi
    pointer_click
    if [ "$attempts_after" -gt 0 ]; then
        wait_for_text "$SHOOTING_CAPTION" "${ATTEMPTS[@]}" "$attempts_after"
    fi
}

# The dialog of a finished test: in front, "Контроль окончен !", the grade the exercise window
# showed, and no way back into the test.
expect_finished_dialog() {
    local grade=$1
    wait_until "the dialog is not the active window" dialog_is_active
    wait_for_text "$DIALOG_TITLE" "${DIALOG_HEADLINE[@]}" "Контроль окончен !"
    wait_for_text "$DIALOG_TITLE" "${DIALOG_GRADE[@]}" "$grade"
    [ "$(read_enabled "$DIALOG_TITLE" "${DIALOG_CANCEL[@]}")" = disabled ] ||
        fail "Отмена leads back into a finished test"
}

# The windows' frames at their designed places, where the window system lets a window place
# itself (not a native Wayland client).
at_designed_place() {
    local window=$1 left=$2 top=$3 place
    [ -n "${DISPLAY:-}" ] || return 0
    place=$(frame_origin "$window")
    [ "$place" = "$left $top" ] || fail "the frame of window $window is at $place, not $left $top"
}

# --- Start-up: the mode window alone, range estimation chosen.
step "start-up"
start_program
at_designed_place "$MODE" 299 209
size=$(window_size "$MODE")
[ "$size" = "390 201" ] || fail "the mode window's client area is $size, not 390 201"
wait_until "more than the mode window is showing: $(showing_windows)" only_mode_window_showing
window_read_as frame Тренажер || fail "the mode window is not read as a frame"
# No buttons on the frames of the mode window and the dialog; the exercise window offers its
# menu, minimize and close: window managers read this from the Motif hints.
DIALOG_FRAME='0x3, 0x4, 0xa, 0x0, 0x0'
EXERCISE_FRAME='0x3, 0x2c, 0x3a, 0x0, 0x0'
frame_offered() {
    # A native Wayland client tells its frame through the compositor's own protocols.
    [ -n "${DISPLAY:-}" ] || return 0
    [ "$(xprop -id "$1" _MOTIF_WM_HINTS | sed 's/.* = //')" = "$2" ] ||
        fail "the frame of window $1 offers $(xprop -id "$1" _MOTIF_WM_HINTS), not $2"
}
frame_offered "$MODE" "$DIALOG_FRAME"

# --- Range estimation: two answers, "Выход" mid-test, "Отмена", eight more to the end.
step "range estimation"
open_exercise "$RANGE_CAPTION"
at_designed_place "$EXERCISE" 201 164
size=$(window_size "$EXERCISE")
[ "${size% *}" = 746 ] || fail "the exercise window's client area is $size, not 746 wide"
frame_offered "$EXERCISE" "$EXERCISE_FRAME"
click_in "$EXERCISE" "${EXERCISE_START[@]}"
answer_range 1 9
answer_range 1 8
click_in "$EXERCISE" "${EXERCISE_EXIT[@]}"
wait_until "the dialog is not the active window" dialog_is_active
window_read_as dialog Завершение || fail "the dialog is not read as a dialog"
at_designed_place "$DIALOG" 303 208
frame_offered "$DIALOG" "$DIALOG_FRAME"
wait_for_text "$DIALOG_TITLE" "${DIALOG_HEADLINE[@]}" "Контроль не окончен !"
text_reads "$DIALOG_TITLE" "${DIALOG_GRADE[@]}" "" || fail "an unfinished test shows a grade"
click_in "$DIALOG" "${DIALOG_CANCEL[@]}"
wait_for_window_gone "$DIALOG_TITLE"
EXERCISE=$(wait_for_window "$RANGE_CAPTION")
wait_until "the exercise window is not active after Отмена" window_is_active "$EXERCISE"
wait_for_text "$RANGE_CAPTION" "${ATTEMPTS[@]}" 8
for attempts in 7 6 5 4 3 2 1; do
    answer_range 1 "$attempts"
done
range_grade=$(read_text "$RANGE_CAPTION" "${GRADE[@]}")
answer_range 1 0
wait_for_window_gone "$RANGE_CAPTION"
expect_finished_dialog "$(read_text "$DIALOG_TITLE" "${DIALOG_GRADE[@]}")"
[ -n "$range_grade" ] || fail "no grade read in the exercise window"
[ "$(pixels_of_colour_in "$DIALOG" 270 25 40 50 '#FF0000')" -gt 20 ] ||
    fail "the dialog's grade is not painted"

step "Повтор"
click_in "$DIALOG" "${DIALOG_REPEAT[@]}"
wait_for_window_gone "$DIALOG_TITLE"
MODE=$(wait_for_window "$MODE_TITLE")
wait_until "the mode window is not active after Повтор" window_is_active "$MODE"
wait_until "more than the mode window is showing after Повтор" only_mode_window_showing

# --- Shooting: ten shots all over the view.
step "shooting"
click_in "$MODE" "${MODE_SHOOTING[@]}"
open_exercise "$SHOOTING_CAPTION"
attempts=10
for shot in "${SHOTS[@]}"; do
    attempts=$((attempts - 1))
    # shellcheck disable=SC2086
    shoot_at $shot "$attempts"
done
shooting_grade=$(read_text "$SHOOTING_CAPTION" "${GRADE[@]}")
expect_finished_dialog "$shooting_grade"
window_shown "$SHOOTING_CAPTION" || fail "the exercise window closed after the tenth shot"
screenshot finished

# --- After the last shot: to the exercise window and back, by a click where it shows and by
# the task bar where the other covers it.
step "between the windows"
click_in "$EXERCISE" "${EXERCISE_PANEL[@]}"
wait_until "a click did not activate the exercise window" window_is_active "$EXERCISE"
activate_window "$DIALOG"
expect_finished_dialog "$shooting_grade"
activate_window "$EXERCISE"
wait_until "the task bar did not activate the exercise window" window_is_active "$EXERCISE"
activate_window "$DIALOG"
expect_finished_dialog "$shooting_grade"
click_in "$DIALOG" "${DIALOG_BACKGROUND[@]}"
click_in "$DIALOG" "${DIALOG_CANCEL[@]}"
sleep 0.5
expect_finished_dialog "$shooting_grade"
window_shown "$SHOOTING_CAPTION" || fail "the exercise window closed while moving between windows"

step "Повтор after shooting"
click_in "$DIALOG" "${DIALOG_REPEAT[@]}"
wait_for_window_gone "$SHOOTING_CAPTION"
MODE=$(wait_for_window "$MODE_TITLE")
wait_until "more than the mode window is showing after Повтор" only_mode_window_showing

# --- A click on the mode window during a test closes the exercise window.
step "mode window during a test"
open_exercise "$RANGE_CAPTION"
click_in "$EXERCISE" "${EXERCISE_START[@]}"
answer_range 1 9
# Aside, right of and below the point of the mode window that is clicked.
mode_origin=($(window_origin "$MODE"))
move_window "$EXERCISE" $((mode_origin[0] + 60)) $((mode_origin[1] + 150))
sleep 0.3
click_in "$MODE" 20 100
wait_for_window_gone "$RANGE_CAPTION"
wait_until "the mode window is not active" window_is_active "$MODE"
wait_until "more than the mode window is showing" only_mode_window_showing

# A new test begins afresh; "Выход" mid-test, then the dialog's "Выход".
step "Выход buttons"
open_exercise "$RANGE_CAPTION"
wait_for_text "$RANGE_CAPTION" "${HITS[@]}" 0
click_in "$EXERCISE" "${EXERCISE_EXIT[@]}"
wait_until "the dialog is not the active window" dialog_is_active
click_in "$DIALOG" "${DIALOG_EXIT[@]}"
wait_for_exit "$APP_PID"
APP_PID=

start_program
click_in "$MODE" "${MODE_EXIT[@]}"
wait_for_exit "$APP_PID"
APP_PID=
# A window manager that prevents focus stealing may refuse an activation request without a
# time; mutter and muffin name each one they get.
if grep -q "Buggy client" "$E2E_RUNTIME/wm.log" 2>/dev/null; then
    fail "the window manager took activation requests without a time: $(grep -m 3 "Buggy client" "$E2E_RUNTIME/wm.log")"
fi
echo "whole program under $wm: passed"
