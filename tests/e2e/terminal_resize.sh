# A resize in play lays the screen out at the new height: the newest lines
# at the bottom, the line being typed on the new input row, and every
# earlier line still there to scroll back to. Too small gets the notice;
# grown back, the game goes on.
BIN=$1
DATA=$2
# Ticks at the speed of play, whatever the caller set: the newest line is
# followed across resizes, and the clock's messages would push it up.
export BRINEFALL_TEST_TICK_MS=1000
source "$(dirname "$0")/terminal_helpers.bash"

# Text row y of the text area, between the frame's sides.
text_row() {
    local line
    line=$(frame_row "$1")
    echo "${line:1:77}" | sed 's/ *$//'
}
# The last line of text: the row above the text area's blank last row.
newest_row() { text_row $((SCREEN_ROWS - 5)); }
# After a resize: the frame's bottom line on the window's last row.
wait_for_layout() {
    local line
    for _ in $(seq 50); do
        line=$(frame_row $((SCREEN_ROWS - 1)))
        [ "${line:0:1}" = "╚" ] && return 0
        sleep 0.1
    done
    fail "the frame never reached row $((SCREEN_ROWS - 1)) at ${SCREEN_COLS}x${SCREEN_ROWS}"
}
# The line that was newest is still the newest, or one a clock message pushed up a row.
expect_newest() {
    local wanted=$1
    for _ in $(seq 30); do
        [ "$(newest_row)" = "$wanted" ] && return 0
        [ "$(text_row $((SCREEN_ROWS - 6)))" = "$wanted" ] && return 0
        sleep 0.1
    done
    fail "the newest line is '$(newest_row)', not '$wanted'"
}

start_game 80 50
new_game Shifty
for _ in 1 2 3; do keys help Enter; sleep 0.2; done
keys ri Enter
wait_for "Area: 0  Room: 8"
sleep 0.3
newest=$(newest_row)
keys xyz
sleep 0.3
[ "$(input_row)" = "xyz" ] || fail "typed before the resize: $(input_row)"

resize 80 24
wait_for_layout
expect_newest "$newest"
[ "$(input_row)" = "xyz" ] || fail "the typed line after the resize: '$(input_row)'"
[ "$(screen_text | grep -cF "Hello Shifty")" -eq 0 ] || fail "80x24 shows the greeting: more than 20 rows of text"
scroll_up_to "Hello Shifty"
scroll_up_to "Welcome to Brinefall!"

resize 80 30
wait_for_layout
expect_newest "$newest"
[ "$(input_row)" = "xyz" ] || fail "the typed line after growing: '$(input_row)'"
scroll_up_to "Hello Shifty"
keys NPage NPage NPage NPage NPage NPage NPage NPage NPage NPage NPage NPage
sleep 0.3
expect_newest "$newest"

# Too small, then large enough again: the game goes on where it was.
resize 70 20
wait_for "This one is 70 x 20."
resize 80 24
wait_for_layout
expect_newest "$newest"
keys BSpace BSpace BSpace look Enter
wait_for "Valid exits are"
[ -z "$(input_row)" ] || fail "the input row after look: $(input_row)"
keys quit Enter
wait_for "exit status 0"
echo "PASS"
