# The whole flow of the trainer under Wine, played as on the Linux desktops: both exercises to
# their end, leaving mid-test and "Отмена", moving between the exercise window and the dialog
# after the last shot, "Повтор", a click on the mode window during a test, and both "Выход"
# buttons. Sourced by scripts/test-windows.sh once the installer has run, with the X session,
# `screenshot` and `wait_for_title` in place. Windows offers no screen reader's view to this
# side, so the counters are read as glyphs of their colour, and the dialog's headline by the
# width of its text.

# The attempts left, blue digits at (718, 22); the hits are below from y 58 on.
ATTEMPTS_AREA=(712 16 46 40)
# The dialog's headline, navy, across its top; its grade, red, beside "Ваша оценка".
HEADLINE_AREA=(40 0 300 33)
DIALOG_GRADE_AREA=(270 25 40 50)

# The digits of a counter as one word: its glyphs (see glyphs_in) joined.
attempts_shown() {
    glyphs_in "$1" "${ATTEMPTS_AREA[@]}" | paste -sd '|' -
}

# Waits until the attempts label of the exercise window shows something other than $2, and
# prints it.
wait_for_attempts_other_than() {
    local window=$1 before=$2 now
    for _ in $(seq 1 "$WAIT_TENTHS"); do
        now=$(attempts_shown "$window")
        if [ -n "$now" ] && [ "$now" != "$before" ]; then
            echo "$now"
            return 0
        fi
        sleep 0.1
    done
    fail "the attempts label did not change from what it showed"
}

# The width of the dialog's headline: from its left edge to its last navy column.
headline_width() {
    import -window "$1" png:- 2>/dev/null |
        convert - -crop "${HEADLINE_AREA[2]}x${HEADLINE_AREA[3]}+${HEADLINE_AREA[0]}+${HEADLINE_AREA[1]}" \
            +repage txt:- | grep -i '#000080' | cut -d, -f1 | sort -n | tail -n 1
}

dialog_grade_painted() {
    [ "$(pixels_of_colour_in "$1" "${DIALOG_GRADE_AREA[@]}" '#FF0000')" -gt 20 ]
}

# The dialog in front with the headline of a finished test and its grade. The headline of an
# unfinished test, seen first, is wider: "Контроль не окончен !".
expect_finished_dialog() {
    wait_until "the dialog is not the active window" dialog_is_active
    local width
    width=$(headline_width "$DIALOG")
    [ -n "$width" ] && [ "$width" -lt $((UNFINISHED_HEADLINE_WIDTH - 20)) ] ||
        fail "the dialog's headline ($width wide) is not that of a finished test"
    dialog_grade_painted "$DIALOG" || fail "the dialog of a finished test shows no grade"
}

# "Отмена" of a finished test is disabled: a click on it changes nothing.
expect_no_way_back() {
    click_in "$DIALOG" "${DIALOG_CANCEL[@]}"
    sleep 1
    expect_finished_dialog
}

open_exercise() {
    click_in "$MODE" "${MODE_START[@]}"
    EXERCISE=$(wait_for_title "$1")
    wait_until "the exercise window is not active" window_is_active "$EXERCISE"
}

answer_range() {
    local before
    before=$(attempts_shown "$EXERCISE")
    click_in "$EXERCISE" "${RANGE_FIELD[@]}"
    press_key ctrl+a
    xdotool type --delay 50 1
    xdotool key Return
    if [ "${1:-}" != last ]; then
        ATTEMPTS=$(wait_for_attempts_other_than "$EXERCISE" "$before")
    fi
}

shoot_at() {
    local x=$(($1 + 8)) y=$(($2 + 8)) before
    before=$(attempts_shown "$EXERCISE")
    click_in "$EXERCISE" "${EXERCISE_START[@]}"
    wait_until "no reticle under the pointer at $x,$y of the view" reticle_under_pointer "$x" "$y"
    pointer_click
    if [ "${3:-}" != last ]; then
        wait_for_attempts_other_than "$EXERCISE" "$before" >/dev/null
    fi
}

only_mode_window_shown() {
    window_shown "$MODE_TITLE" && window_not_shown '^Контроль по теме' &&
        window_not_shown "$DIALOG_TITLE"
}

echo "Starting the installed trainer from the Start menu"
# As a trainee starts it: through the Start-menu entry, which hands the program over to the
# shell and returns. The program's window names its process.
wine start 'C:\ProgramData\Microsoft\Windows\Start Menu\Programs\Тренажер.lnk' ||
    fail "the Start-menu entry did not start"
MODE=$(wait_for_title "$MODE_TITLE")
APP_PID=$(xdotool getwindowpid "$MODE")
command_line=$(tr '\0' ' ' <"/proc/$APP_PID/cmdline")
[[ "$command_line" == *'C:\Program Files\Sight Trainer\sight-trainer.exe'* ]] ||
    fail "the window Тренажер is not of the installed program: $command_line"
wait_until "the mode window is not the active window" window_is_active "$MODE"
wait_until "more than the mode window is showing at start" only_mode_window_shown
screenshot mode-window

echo "Range estimation: two answers, Выход, Отмена, eight answers to the end"
open_exercise '^Контроль по теме "Определение'
click_in "$EXERCISE" "${EXERCISE_START[@]}"
sleep 1
ATTEMPTS=$(attempts_shown "$EXERCISE")
[ "$(tr -cd '|' <<<"$ATTEMPTS")" = '|' ] || fail "the attempts label does not show two digits (10)"
screenshot round-started
answer_range
answer_range
left_with=$ATTEMPTS
click_in "$EXERCISE" "${EXERCISE_EXIT[@]}"
wait_until "the dialog is not the active window after Выход" dialog_is_active
UNFINISHED_HEADLINE_WIDTH=$(headline_width "$DIALOG")
[ -n "$UNFINISHED_HEADLINE_WIDTH" ] || fail "the dialog shows no headline"
if dialog_grade_painted "$DIALOG"; then
    fail "the dialog of an unfinished test shows a grade"
fi
screenshot left-mid-test
click_in "$DIALOG" "${DIALOG_CANCEL[@]}"
wait_for_window_gone "$DIALOG_TITLE"
EXERCISE=$(wait_for_title '^Контроль по теме "Определение')
wait_until "the exercise window is not active after Отмена" window_is_active "$EXERCISE"
attempts_are() { [ "$(attempts_shown "$EXERCISE")" = "$1" ]; }
wait_until "Отмена did not keep the attempts left" attempts_are "$left_with"
seen=("$left_with")
for _ in 1 2 3 4 5 6 7; do
    answer_range
    for earlier in "${seen[@]}"; do
        [ "$ATTEMPTS" != "$earlier" ] || fail "the attempts label shows a count it showed before"
    done
    seen+=("$ATTEMPTS")
done
answer_range last
wait_for_window_gone '^Контроль по теме'
expect_finished_dialog
screenshot range-finished
expect_no_way_back
window_not_shown '^Контроль по теме' || fail "Отмена led back into the finished range test"

echo "Повтор"
click_in "$DIALOG" "${DIALOG_REPEAT[@]}"
wait_for_window_gone "$DIALOG_TITLE"
MODE=$(wait_for_title "$MODE_TITLE")
wait_until "the mode window is not active after Повтор" window_is_active "$MODE"
wait_until "more than the mode window is showing after Повтор" only_mode_window_shown

echo "Shooting: ten shots all over the view"
click_in "$MODE" "${MODE_SHOOTING[@]}"
open_exercise '^Контроль по теме "Стрельба'
for index in "${!SHOTS[@]}"; do
    # shellcheck disable=SC2086
    shoot_at ${SHOTS[$index]} "$([ "$index" -eq 9 ] && echo last)"
    if [ "$index" -eq 1 ]; then
        screenshot aiming-over-the-mode-window
    fi
done
expect_finished_dialog
window_shown '^Контроль по теме' || fail "the exercise window closed after the tenth shot"
screenshot shooting-finished

echo "Between the windows after the last shot"
click_in "$EXERCISE" "${EXERCISE_PANEL[@]}"
wait_until "a click did not activate the exercise window" window_is_active "$EXERCISE"
activate_window "$DIALOG"
expect_finished_dialog
activate_window "$EXERCISE"
wait_until "the task bar did not activate the exercise window" window_is_active "$EXERCISE"
activate_window "$DIALOG"
expect_finished_dialog
click_in "$DIALOG" "${DIALOG_BACKGROUND[@]}"
expect_no_way_back
window_shown '^Контроль по теме' || fail "the exercise window closed while moving between windows"

echo "Повтор after shooting"
click_in "$DIALOG" "${DIALOG_REPEAT[@]}"
wait_for_window_gone '^Контроль по теме'
MODE=$(wait_for_title "$MODE_TITLE")
wait_until "more than the mode window is showing after Повтор" only_mode_window_shown

echo "A click on the mode window during a test"
open_exercise '^Контроль по теме "Определение'
click_in "$EXERCISE" "${EXERCISE_START[@]}"
sleep 1
answer_range
move_window "$EXERCISE" 450 420
sleep 0.5
click_in "$MODE" 20 100
wait_for_window_gone '^Контроль по теме'
wait_until "the mode window is not active" window_is_active "$MODE"
wait_until "more than the mode window is showing" only_mode_window_shown
screenshot mode-window-chosen

echo "The Выход buttons"
open_exercise '^Контроль по теме "Определение'
click_in "$EXERCISE" "${EXERCISE_EXIT[@]}"
wait_until "the dialog is not the active window" dialog_is_active
click_in "$DIALOG" "${DIALOG_EXIT[@]}"
WAIT_TENTHS=100 wait_for_end "$APP_PID" "the trainer, after the dialog's Выход,"
wine start 'C:\ProgramData\Microsoft\Windows\Start Menu\Programs\Тренажер.lnk' ||
    fail "the Start-menu entry did not start the second time"
MODE=$(wait_for_title "$MODE_TITLE")
APP_PID=$(xdotool getwindowpid "$MODE")
click_in "$MODE" "${MODE_EXIT[@]}"
WAIT_TENTHS=100 wait_for_end "$APP_PID" "the trainer, after the mode window's Выход,"
APP_PID=
# Nothing else is left running either, such as Wine's report of a crash at the end.
timeout 60 wineserver -w || fail "processes of the prefix are still running after the trainer ended"
