#!/usr/bin/env bash
# Whole tests played as a trainee would, with the real program under a real X server: ten
# range answers typed and confirmed with Enter, ten shots, leaving in the middle of a test
# and going on with "Отмена", a new test with "Повтор", and "Выход".
set -euo pipefail
program=$1
source "$(dirname "$0")/x_session.sh"
start_x_session

# Client-area points of the controls, from the window layouts.
MODE_SHOOTING=(100 112)
MODE_START=(133 172)
MODE_EXIT=(253 172)
EXERCISE_START=(680 372)
EXERCISE_EXIT=(680 404)
RANGE_FIELD=(690 235)
DIALOG_EXIT=(85 164)
DIALOG_CANCEL=(189 164)
DIALOG_REPEAT=(293 164)
RANGE_CAPTION='Определение расстояния'
SHOOTING_CAPTION='Стрельба из РПГ'

start_program() {
    "$program" &
    APP_PID=$!
    MODE=$(wait_for_window '^Тренажер$')
}

answer_range() {
    local exercise=$1 text=$2
    click_in "$exercise" "${RANGE_FIELD[@]}"
    xdotool key --clearmodifiers ctrl+a
    xdotool type --delay 20 "$text"
    xdotool key Return
}

# The dialog's grade line is shown only at the end of a test: its red digit.
# The window may be mapped a moment before it is painted, so look for a while.
grade_line_shown() {
    local dialog=$1
    for _ in $(seq 1 20); do
        [ "$(pixels_of_colour_in "$dialog" 270 25 40 50 '#FF0000')" -gt 20 ] && return 0
        sleep 0.1
    done
    return 1
}

# --- A whole range-estimation test of ten answers confirmed with Enter.
start_program
click_in "$MODE" "${MODE_START[@]}"
exercise=$(wait_for_window "$RANGE_CAPTION")
click_in "$exercise" "${EXERCISE_START[@]}"
for attempt in $(seq 1 10); do
    answer_range "$exercise" 1
done
dialog=$(wait_for_window '^Завершение$')
wait_for_window_gone "$RANGE_CAPTION" || fail "the exercise window stayed open after the tenth answer"
grade_line_shown "$dialog" || fail "the dialog shows no grade at the end of the range test"

# "Повтор" starts a new test from the mode window.
click_in "$dialog" "${DIALOG_REPEAT[@]}"
wait_for_window_gone '^Завершение$'
MODE=$(wait_for_window '^Тренажер$')

# --- Leaving in the middle of a test, going on with "Отмена": two answers, then eight more
# end the test, so the attempts were carried over into the new exercise window.
click_in "$MODE" "${MODE_START[@]}"
exercise=$(wait_for_window "$RANGE_CAPTION")
click_in "$exercise" "${EXERCISE_START[@]}"
answer_range "$exercise" 1
answer_range "$exercise" 1
click_in "$exercise" "${EXERCISE_EXIT[@]}"
dialog=$(wait_for_window '^Завершение$')
sleep 0.5  # the dialog is painted; its grade line must stay hidden
[ "$(pixels_of_colour_in "$dialog" 270 25 40 50 '#FF0000')" -eq 0 ] ||
    fail "the dialog shows a grade for an unfinished test"
click_in "$dialog" "${DIALOG_CANCEL[@]}"
wait_for_window_gone '^Завершение$'
exercise=$(wait_for_window "$RANGE_CAPTION")
for attempt in $(seq 1 8); do
    answer_range "$exercise" 1
done
dialog=$(wait_for_window '^Завершение$')
wait_for_window_gone "$RANGE_CAPTION" || fail "eight more answers did not end the test"

# "Выход" in the dialog ends the program.
click_in "$dialog" "${DIALOG_EXIT[@]}"
wait_for_exit "$APP_PID"
APP_PID=

# --- A whole shooting test of ten clicks.
start_program
click_in "$MODE" "${MODE_SHOOTING[@]}"
click_in "$MODE" "${MODE_START[@]}"
exercise=$(wait_for_window "$SHOOTING_CAPTION")
for shot in $(seq 1 10); do
    click_in "$exercise" "${EXERCISE_START[@]}"
    # The sight follows the mouse once the target marker has enabled the view: wait for the
    # reticle's black lines under the pointer, then fire.
    for _ in $(seq 1 50); do
        xdotool mousemove --window "$exercise" 290 210
        xdotool mousemove --window "$exercise" 292 212
        [ "$(black_pixels_in "$exercise" 232 150 120 120)" -gt 100 ] && break
        sleep 0.1
    done
    xdotool click 1
done
dialog=$(wait_for_window '^Завершение$')
xdotool search --onlyvisible --name "$SHOOTING_CAPTION" >/dev/null ||
    fail "the exercise window closed after the tenth shot"
grade_line_shown "$dialog" || fail "the dialog shows no grade at the end of the shooting test"

# "Повтор" brings the mode window back on top, and its "Выход" ends the program too.
click_in "$dialog" "${DIALOG_REPEAT[@]}"
wait_for_window_gone "$SHOOTING_CAPTION"
MODE=$(wait_for_window '^Тренажер$')
click_in "$MODE" "${MODE_EXIT[@]}"
wait_for_exit "$APP_PID"
APP_PID=
echo "whole tests under X: passed"
