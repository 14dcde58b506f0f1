# The screen fills the terminal's height, at least 24 rows: at 80x24, 100x30
# and 80x50 the frame, the scroll bar and the input row stand at their
# places, play starts (a short screen pauses once a screenful) and answers,
# and the instructions and the credits can be read at 80x24.
BIN=$1
DATA=$2
# The credits roll at ten times the speed of play (README.md here).
export BRINEFALL_TEST_TICK_MS=${BRINEFALL_TEST_TICK_MS:-100}
source "$(dirname "$0")/terminal_helpers.bash"

BAR78=$(printf '═%.0s' $(seq 78))

# The frame of a screen SCREEN_ROWS tall; the top line may carry a title.
check_frame() {
    local h=$SCREEN_ROWS line y
    line=$(frame_row 0)
    [ "${line:0:1}" = "╔" ] && [ "${line:79:1}" = "╗" ] || fail "top of the frame: $line"
    [ "$(frame_row $((h - 3)))" = "╠${BAR78}╣" ] || fail "divider on row $((h - 3)): $(frame_row $((h - 3)))"
    [ "$(frame_row $((h - 1)))" = "╚${BAR78}╝" ] || fail "bottom on row $((h - 1)): $(frame_row $((h - 1)))"
    line=$(frame_row $((h - 2)))
    [ "${line:0:3}" = "║> " ] && [ "${line:79:1}" = "║" ] || fail "input row $((h - 2)): $line"
    line=$(frame_row 1)
    [ "${line:78:2}" = "↑║" ] || fail "up arrow on row 1: $line"
    line=$(frame_row $((h - 4)))
    [ "${line:0:1}" = "║" ] && [ "${line:78:2}" = "↓║" ] || fail "down arrow on row $((h - 4)): $line"
    for y in 2 $((h / 2)) $((h - 5)); do
        line=$(frame_row "$y")
        [ "${line:0:1}" = "║" ] && [ "${line:78:2}" = "▒║" ] || fail "scroll bar on row $y: $line"
    done
    # Nothing left of a centred frame.
    if [ "$SCREEN_COLS" -gt 80 ]; then
        screen_text | cut -c1-$(( (SCREEN_COLS - 80) / 2 )) | grep -q '[^ ]' && fail "cells left of the frame"
    fi
}

# Waits for a text, answering the pauses on the way; counts them in PAUSES.
read_through() {
    local text=$1
    PAUSES=0
    for _ in $(seq 60); do
        screen_text | grep -qF -- "$text" && ! pausing && return 0
        if pausing; then
            PAUSES=$((PAUSES + 1))
            keys Space
            sleep 0.15
        fi
    done
    fail "never showed: $text"
}

play_at() {
    local width=$1 height=$2 name=$3
    start_game "$width" "$height"
    wait_for "e. quit"
    check_frame
    keys a Enter
    wait_for "Please enter your name:"
    keys "$name" Enter
    read_through "Valid exits are"
    check_frame
    [ "$(frame_row 0 | grep -c "Day 1")" -eq 1 ] || fail "the day on the frame: $(frame_row 0)"
    echo "$width x $height: $PAUSES pauses at the start of play"
    keys look Enter
    wait_until '[ "$(screen_text | grep -cF "Valid exits are")" -ge 2 ]' || fail "look did not answer"
    [ -z "$(input_row)" ] || fail "the input row after a command: $(input_row)"
    check_frame
    keys quit Enter
    wait_for "exit status 0"
    # The next size gets a server of its own.
    tmux -L "$SOCK" kill-server 2>/dev/null
    SOCK=brinefall-$$-$width-$height
}

play_at 80 24 Shorty
[ "$PAUSES" -ge 1 ] || fail "80x24: the opening and the help went by without a pause"
play_at 100 30 Wide
play_at 80 50 Tall
[ "$PAUSES" -eq 0 ] || fail "80x50: the start of play paused"

# The instructions and the credits at 80x24.
start_game 80 24
wait_for "e. quit"
keys b Enter
read_through "e. quit"
[ "$PAUSES" -ge 1 ] || fail "the instructions went by without a pause"
# Their first line is still there, a page or two up.
scroll_up_to "HOW TO PLAY BRINEFALL" 6
keys NPage NPage NPage NPage
sleep 0.3
keys d Enter
wait_for "Team..."
# The credits roll on (about 14 s in play, a tenth of that here), then wait
# for a key under the logo.
for _ in $(seq 250); do pausing && break; sleep 0.02; done
pausing || fail "the credits did not end with a pause"
keys Space
wait_for "e. quit"
scroll_up_to "Okonkwo" 6
keys e Enter
wait_for "exit status 0"
echo "PASS"
