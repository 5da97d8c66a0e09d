# The trainee's whole flow, one for every desktop and for Wine: both exercises to their end,
# leaving mid-test and going back, a new test, a click on the mode window during a test,
# moving between the exercise window and the dialog after the last shot, and both "Выход"
# buttons. Every answer and every shot is known, so each dialog must show the grade they give.
#
# Sourced by the caller, which then chooses a reader with use_reader and calls play_whole_flow,
# once the session is up and its driver chosen (drivers.sh), having defined:
#   start_program          starts the trainer as its desktop's menu does; sets MODE, APP_PID
#   wait_for_program_end   waits until the trainer has ended without an error
#   screenshot NAME        a picture of the screen at a step of the flow, where wanted
# The reader "accessibility" reads the controls as a screen reader
# does (read_window.py); "glyphs", where no screen reader's view reaches the tests (Wine),
# reads the counters as glyphs of their colour and the dialog's headline by its width.
# A caller may define flow_event, which the flow calls at named points of the tests (a
# hostile desktop's window manager is replaced or killed there, say).

RANGE_CAPTION='Определение расстояния'
SHOOTING_CAPTION='Стрельба из РПГ'
# The windows' frames offer no buttons on the mode window and the dialog; the exercise window
# offers its menu, minimize and close: window managers read this from the Motif hints.
DIALOG_FRAME='0x3, 0x4, 0xa, 0x0, 0x0'
EXERCISE_FRAME='0x3, 0x2c, 0x3a, 0x0, 0x0'

step() {
    echo "[${ROW:-flow}] $*"
}

flow_event() {
    if declare -F on_flow_event >/dev/null; then
        on_flow_event "$1"
    fi
}

# The grade of a test with this many misses: 5 less one for every two.
grade_for_misses() {
    echo $((5 - $1 / 2))
}

use_reader() {
    READER=$1
    case "$READER" in
        accessibility | glyphs) ;;
        *) fail "no such reader: $READER" ;;
    esac
}

# --- The screen reader's view.

showing_windows() {
    timeout 20 "$E2E_DIR/read_window.py" windows
}

# True when the window is showing and a screen reader announces it with that role.
window_read_as() {
    local role=$1 name=$2
    [ "$READER" = accessibility ] || return 0
    grep -qx "$role	$name" <<<"$(showing_windows)"
}

# --- The glyph reader: the digits of a counter label, one line per glyph: the pure blue
# pixels of a rectangle of the window, cut into glyphs at the columns without any, each glyph
# written as its pixels' positions relative to its own left edge. Two equal lines are the same
# digit.

# The attempts left, blue digits at (718, 22).
ATTEMPTS_AREA=(712 16 46 40)
# The dialog's headline, navy, across its top; its grade, red, beside "Ваша оценка".
HEADLINE_AREA=(40 0 300 33)
DIALOG_GRADE_AREA=(270 25 40 50)

glyphs_in() {
    local window=$1 x=$2 y=$3 width=$4 height=$5
    import -window "$window" png:- 2>/dev/null |
        convert - -crop "${width}x${height}+${x}+${y}" +repage txt:- |
        grep -i '#0000FF' | sed -E 's/^([0-9]+),([0-9]+):.*/\1 \2/' | sort -n -k1,1 -k2,2 |
        awk '
            function flush() { if (glyph != "") print glyph; glyph = "" }
            { if (NR == 1 || $1 > last + 1) { flush(); left = $1 }
              glyph = glyph ($1 - left) "," $2 ";"; last = $1 }
            END { flush() }'
}

# The digits of the attempts counter as one word: its glyphs joined.
attempts_shown() {
    glyphs_in "$1" "${ATTEMPTS_AREA[@]}" | paste -sd '|' -
}

# What each count of attempts looked like when first seen: the flow counts down from 10, so
# a count not seen before must look unlike every other count seen.
declare -A ATTEMPTS_LOOK=()

attempts_look_new() {
    local now=$1 count
    [ -n "$now" ] || return 1
    for count in "${!ATTEMPTS_LOOK[@]}"; do
        [ "${ATTEMPTS_LOOK[$count]}" != "$now" ] || return 1
    done
}

glyph_attempts_are() {
    local count=$1 now
    now=$(attempts_shown "$EXERCISE")
    if [ -n "${ATTEMPTS_LOOK[$count]:-}" ]; then
        [ "$now" = "${ATTEMPTS_LOOK[$count]}" ]
    elif [ "$count" = 10 ]; then
        # Two digits.
        [ "$(tr -cd '|' <<<"$now")" = '|' ] && ATTEMPTS_LOOK[10]=$now
    else
        attempts_look_new "$now" && ATTEMPTS_LOOK[$count]=$now
    fi
}

headline_width() {
    import -window "$1" png:- 2>/dev/null |
        convert - -crop "${HEADLINE_AREA[2]}x${HEADLINE_AREA[3]}+${HEADLINE_AREA[0]}+${HEADLINE_AREA[1]}" \
            +repage txt:- | grep -i '#000080' | cut -d, -f1 | sort -n | tail -n 1
}

unfinished_headline_shown() {
    UNFINISHED_HEADLINE_WIDTH=$(headline_width "$DIALOG")
    [ -n "$UNFINISHED_HEADLINE_WIDTH" ]
}

# The headline of an unfinished test, seen first, is wider: "Контроль не окончен !".
finished_headline_shown() {
    local width
    width=$(headline_width "$DIALOG")
    [ -n "$width" ] && [ "$width" -lt $((UNFINISHED_HEADLINE_WIDTH - 20)) ]
}

dialog_grade_painted() {
    [ "$(pixels_of_colour_in "$1" "${DIALOG_GRADE_AREA[@]}" '#FF0000')" -gt 20 ]
}

# --- What the flow reads, through the reader chosen.

# Waits until the exercise window's attempts counter shows the count.
wait_for_attempts() {
    local caption=$1 count=$2
    if [ "$READER" = accessibility ]; then
        wait_for_text "$caption" "${ATTEMPTS[@]}" "$count"
    else
        wait_quietly_until glyph_attempts_are "$count" ||
            fail "the attempts counter does not show $count, or shows a count seen before"
    fi
}

# The hits the exercise window counts; only a screen reader can tell.
hits_counted() {
    if [ "$READER" = accessibility ]; then
        read_text "$1" "${HITS[@]}"
    fi
}

# The dialog of a test left unfinished: its headline, and no grade.
expect_unfinished_dialog() {
    expect_dialog_active
    if [ "$READER" = accessibility ]; then
        wait_for_text "$DIALOG_TITLE" "${DIALOG_HEADLINE[@]}" "Контроль не окончен !"
        text_reads "$DIALOG_TITLE" "${DIALOG_GRADE[@]}" "" || fail "an unfinished test shows a grade"
    else
        # A window is mapped first and painted a moment later.
        wait_until "the dialog shows no headline" unfinished_headline_shown
        if dialog_grade_painted "$DIALOG"; then
            fail "the dialog of an unfinished test shows a grade"
        fi
    fi
}

# The dialog of a finished test: in front, "Контроль окончен !", the grade $1 (where the reader
# can read it; a grade painted in red where it cannot), and no way back into the test.
expect_finished_dialog() {
    local grade=$1
    expect_dialog_active
    if [ "$READER" = accessibility ]; then
        wait_for_text "$DIALOG_TITLE" "${DIALOG_HEADLINE[@]}" "Контроль окончен !"
        wait_for_text "$DIALOG_TITLE" "${DIALOG_GRADE[@]}" "$grade"
        [ "$(read_enabled "$DIALOG_TITLE" "${DIALOG_CANCEL[@]}")" = disabled ] ||
            fail "Отмена leads back into a finished test"
        dialog_grade_painted "$DIALOG" || fail "the dialog's grade is not painted"
    else
        wait_quietly_until finished_headline_shown ||
            fail "the dialog's headline ($(headline_width "$DIALOG") wide) is not that of a" \
                "finished test"
        wait_until "the dialog of a finished test shows no grade" dialog_grade_painted "$DIALOG"
    fi
}

# Only the mode window, both as the program reads its windows and as the window system maps
# them.
only_mode_window_showing() {
    if [ "$READER" = accessibility ]; then
        [ "$(showing_windows | cut -f2)" = "Тренажер" ] || return 1
    fi
    window_shown "$MODE_TITLE" && window_not_shown 'Контроль по теме' &&
        window_not_shown "$DIALOG_TITLE"
}

# The windows' frames at their designed places, where the window system lets a window place
# itself (not a native Wayland client, not Wine's own frames).
at_designed_place() {
    local window=$1 left=$2 top=$3 place
    [ -n "${DISPLAY:-}" ] && [ "$DRIVER" != wine ] || return 0
    place=$(frame_origin "$window")
    [ "$place" = "$left $top" ] || fail "the frame of window $window is at $place, not $left $top"
}

frame_offered() {
    # A native Wayland client tells its frame through the compositor's own protocols.
    [ -n "${DISPLAY:-}" ] && [ "$DRIVER" != wine ] || return 0
    [ "$(xprop -id "$1" _MOTIF_WM_HINTS | sed 's/.* = //')" = "$2" ] ||
        fail "the frame of window $1 offers $(xprop -id "$1" _MOTIF_WM_HINTS), not $2"
}

# --- The trainee's acts.

# Points of the windows where a click does nothing but choose the window.
MODE_BACKGROUND=(20 100)

# Waits until a window the program shows or chooses is the active one. Where the desktop
# activates no window of a program on its own (KWin preventing focus stealing at "Extreme"),
# the trainee clicks it first, as a trainee there does; TRAINEE_ACTIVATES_WINDOWS says so.
expect_active() {
    local window=$1 message=$2 x=$3 y=$4
    if [ -n "${TRAINEE_ACTIVATES_WINDOWS:-}" ] && ! window_is_active "$window"; then
        step "$(window_title "$window" | cut -c1-40) left inactive: the trainee clicks it"
        click_in "$window" "$x" "$y"
    fi
    wait_until "$message" window_is_active "$window"
}

expect_dialog_active() {
    if [ -n "${TRAINEE_ACTIVATES_WINDOWS:-}" ]; then
        DIALOG=$(wait_for_window "$DIALOG_TITLE")
        expect_active "$DIALOG" "the dialog is not the active window" "${DIALOG_BACKGROUND[@]}"
    fi
    wait_until "the dialog is not the active window" dialog_is_active
}

# Opens the exercise window from the mode window and waits until it is in front.
open_exercise() {
    local caption=$1
    click_in "$MODE" "${MODE_START[@]}"
    EXERCISE=$(wait_for_window "$caption")
    expect_active "$EXERCISE" "the exercise window is not active" "${EXERCISE_PANEL[@]}"
    wait_until "the mode window lies above the exercise window" window_above "$EXERCISE" "$MODE"
    wait_for_attempts "$caption" 10
}

answer_range() {
    local text=$1 attempts_after=$2
    click_in "$EXERCISE" "${RANGE_FIELD[@]}"
    press_key ctrl+a
    type_text "$text"
    press_key Return
    if [ "$attempts_after" -gt 0 ]; then
        wait_for_attempts "$RANGE_CAPTION" "$attempts_after"
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
        wait_for_attempts "$SHOOTING_CAPTION" "$attempts_after"
    fi
}

# A click that must change nothing: the dialog stays in front, the exercise window behind it.
expect_no_way_back() {
    click_in "$DIALOG" "${DIALOG_CANCEL[@]}"
    stays_for 10 "the dialog left the front after a click on the disabled Отмена" dialog_is_active
    expect_finished_dialog "$1"
}

# The whole flow, step by step.
play_whole_flow() {
    local size attempts shot hits shooting_grade mode_origin
    # Each build draws its digits with its own fonts.
    ATTEMPTS_LOOK=()
    # --- Start-up: the mode window alone, range estimation chosen.
    step "start-up"
    start_program
    at_designed_place "$MODE" 299 209
    if [ "$DRIVER" != wine ]; then
        size=$(window_size "$MODE")
        [ "$size" = "390 201" ] || fail "the mode window's client area is $size, not 390 201"
    fi
    wait_until "more than the mode window is showing" only_mode_window_showing
    window_read_as frame Тренажер || fail "the mode window is not read as a frame"
    frame_offered "$MODE" "$DIALOG_FRAME"
    screenshot mode-window

    # --- Range estimation: two answers, "Выход" mid-test, "Отмена", eight more to the end. Every
    # answer, 1 m, misses, and the dialog's grade counts all ten.
    step "range estimation"
    open_exercise "$RANGE_CAPTION"
    at_designed_place "$EXERCISE" 201 164
    if [ "$DRIVER" != wine ]; then
        size=$(window_size "$EXERCISE")
        [ "${size% *}" = 746 ] || fail "the exercise window's client area is $size, not 746 wide"
    fi
    frame_offered "$EXERCISE" "$EXERCISE_FRAME"
    click_in "$EXERCISE" "${EXERCISE_START[@]}"
    screenshot round-started
    answer_range 1 9
    answer_range 1 8
    click_in "$EXERCISE" "${EXERCISE_EXIT[@]}"
    expect_unfinished_dialog
    window_read_as dialog Завершение || fail "the dialog is not read as a dialog"
    at_designed_place "$DIALOG" 303 208
    frame_offered "$DIALOG" "$DIALOG_FRAME"
    screenshot left-mid-test
    click_in "$DIALOG" "${DIALOG_CANCEL[@]}"
    wait_for_window_gone "$DIALOG_TITLE"
    EXERCISE=$(wait_for_window "$RANGE_CAPTION")
    expect_active "$EXERCISE" "the exercise window is not active after Отмена" "${EXERCISE_PANEL[@]}"
    wait_for_attempts "$RANGE_CAPTION" 8
    for attempts in 7 6 5 4 3 2 1; do
        answer_range 1 "$attempts"
        if [ "$attempts" = 5 ]; then
            flow_event range-midway
        fi
    done
    answer_range 1 0
    wait_for_window_gone "$RANGE_CAPTION"
    expect_finished_dialog "$(grade_for_misses 10)"
    screenshot range-finished
    expect_no_way_back "$(grade_for_misses 10)"
    window_not_shown 'Контроль по теме' || fail "Отмена led back into the finished range test"

    step "Повтор"
    click_in "$DIALOG" "${DIALOG_REPEAT[@]}"
    wait_for_window_gone "$DIALOG_TITLE"
    MODE=$(wait_for_window "$MODE_TITLE")
    expect_active "$MODE" "the mode window is not active after Повтор" "${MODE_BACKGROUND[@]}"
    wait_until "more than the mode window is showing after Повтор" only_mode_window_showing

    # --- Shooting: ten shots all over the view. A shot hits only within a few pixels of the
    # target, so the grade is that of the hits the window counted, none as a rule.
    step "shooting"
    click_in "$MODE" "${MODE_SHOOTING[@]}"
    open_exercise "$SHOOTING_CAPTION"
    attempts=10
    for shot in "${SHOTS[@]}"; do
        attempts=$((attempts - 1))
        # shellcheck disable=SC2086
        shoot_at $shot "$attempts"
        flow_event "shot-$((10 - attempts))"
    done
    hits=$(hits_counted "$SHOOTING_CAPTION")
    shooting_grade=
    if [ -n "$hits" ]; then
        [[ "$hits" =~ ^([0-9]|10)$ ]] || fail "the exercise window counts '$hits' hits of ten shots"
        shooting_grade=$(grade_for_misses $((10 - hits)))
    fi
    expect_finished_dialog "$shooting_grade"
    window_shown "$SHOOTING_CAPTION" || fail "the exercise window closed after the tenth shot"
    at_designed_place "$EXERCISE" 201 164
    screenshot shooting-finished

    # --- After the last shot: to the exercise window and back, by a click where it shows and by
    # the task bar where the other covers it.
    step "between the windows"
    click_in "$EXERCISE" "${EXERCISE_PANEL[@]}"
    wait_until "a click did not activate the exercise window" window_is_active "$EXERCISE"
    activate_window "$DIALOG"
    expect_finished_dialog "$shooting_grade"
    activate_window "$EXERCISE"
    activate_window "$DIALOG"
    expect_finished_dialog "$shooting_grade"
    click_in "$DIALOG" "${DIALOG_BACKGROUND[@]}"
    expect_no_way_back "$shooting_grade"
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
    click_in "$MODE" 20 100
    wait_for_window_gone "$RANGE_CAPTION"
    wait_until "the mode window is not active" window_is_active "$MODE"
    wait_until "more than the mode window is showing" only_mode_window_showing
    screenshot mode-window-chosen

    # A new test begins afresh; "Выход" mid-test, then the dialog's "Выход".
    step "Выход buttons"
    open_exercise "$RANGE_CAPTION"
    if [ "$READER" = accessibility ]; then
        wait_for_text "$RANGE_CAPTION" "${HITS[@]}" 0
    fi
    click_in "$EXERCISE" "${EXERCISE_EXIT[@]}"
    expect_dialog_active
    click_in "$DIALOG" "${DIALOG_EXIT[@]}"
    wait_for_program_end "the trainer, after the dialog's Выход,"

    start_program
    click_in "$MODE" "${MODE_EXIT[@]}"
    wait_for_program_end "the trainer, after the mode window's Выход,"
}
