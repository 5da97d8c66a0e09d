#!/usr/bin/env bash
# The real program under a real X server: the mode window comes up alone, "Начать" opens the
# exercise window, its "Выход" brings up the dialog, and the dialog's "Выход" ends the program.
set -euo pipefail
program=$1
source "$(dirname "$0")/x_session.sh"
start_x_session

"$program" &
APP_PID=$!

mode=$(wait_for_window '^Тренажер$')
geometry=$(xwininfo -id "$mode")
echo "$geometry" | grep -q 'Width: 390' || fail "mode window is not 390 wide: $geometry"
echo "$geometry" | grep -q 'Height: 201' || fail "mode window is not 201 high: $geometry"
[ -z "$(xdotool search --onlyvisible --name '^Завершение$' 2>/dev/null || true)" ] ||
    fail "the dialog is visible at start-up"

# "Начать" of the mode window, range estimation checked by default.
click_in "$mode" $((96 + 37)) $((160 + 12))
exercise=$(wait_for_window 'Определение расстояния')
xwininfo -id "$exercise" | grep -q 'Width: 746' || fail "exercise window is not 746 wide"

# A click on the mode window, with the exercise window moved aside, is the trainee changing
# windows: the mode window takes the focus and closes the exercise window.
xdotool windowmove "$exercise" 450 420
sleep 0.3
click_in "$mode" 20 100
wait_for_window_gone 'Определение расстояния' || fail "a click on the mode window left the exercise window open"
[ -z "$(xdotool search --onlyvisible --name '^Завершение$' 2>/dev/null || true)" ] ||
    fail "the dialog stayed up after the mode window took the focus"

# Back to the exercise window; its "Выход" brings up the dialog.
click_in "$mode" $((96 + 37)) $((160 + 12))
exercise=$(wait_for_window 'Определение расстояния')
click_in "$exercise" $((632 + 48)) $((392 + 12))
dialog=$(wait_for_window '^Завершение$')

# "Выход" of the dialog ends the program.
click_in "$dialog" $((48 + 37)) $((152 + 12))
for _ in $(seq 1 100); do
    kill -0 "$APP_PID" 2>/dev/null || break
    sleep 0.1
done
if kill -0 "$APP_PID" 2>/dev/null; then
    fail "the program is still running after the dialog's Выход"
fi
wait "$APP_PID" || fail "the program ended with an error"
APP_PID=
echo "screen flow under X: passed"
