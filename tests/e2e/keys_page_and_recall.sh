# Keys every laptop has: Page Up and Page Down page the text area, Up and
# Down bring back the commands typed before, in the real binary.
BIN=$1
DATA=$2
source "$(dirname "$0")/terminal_helpers.bash"

# Text row y (1..46) of the text area, between the frame's borders.
text_row() {
    local line
    line=$(row "$1")
    echo "${line:1:77}"
}
# Waits up to 5 s until text row y shows the given text.
wait_for_row() {
    local y=$1 text=$2
    for _ in $(seq 50); do
        [ "$(text_row "$y")" = "$text" ] && return 0
        sleep 0.1
    done
    fail "text row $y is '$(text_row "$y")', not '$text'"
}
wait_for_input() {
    local text=$1
    for _ in $(seq 50); do
        [ "$(input_row)" = "$text" ] && return 0
        sleep 0.1
    done
    fail "the input row is '$(input_row)', not '$text'"
}
area_lines() { screen_text | grep -cF "Area: 0  Room: 8"; }

start_game
new_game Laptop
# More than a screenful of text, so there is something to page back to.
for _ in 1 2 3; do
    keys help Enter
    sleep 0.2
done
keys ri Enter
wait_for "Area: 0  Room: 8"
keys xyzzy Enter
wait_for "Invalid command."
sleep 0.3

# Page Up: the line that was at the top now stands at the bottom.
top=$(text_row 1)
[ -n "${top// /}" ] || fail "the top text row is empty"
keys PPage
wait_for_row 46 "$top"
[ "$(text_row 1)" != "$top" ] || fail "Page Up left the top row as it was"
keys NPage
wait_for_row 1 "$top"
[ -z "$(text_row 46 | tr -d ' ')" ] || fail "Page Down did not come back to the newest text"

# Up and Down walk the commands typed; Enter runs the recalled one.
keys Up
wait_for_input "xyzzy"
keys Up
wait_for_input "ri"
keys Up Down
wait_for_input "ri"
before=$(area_lines)
keys Enter
for _ in $(seq 50); do
    [ "$(area_lines)" -gt "$before" ] && break
    sleep 0.1
done
[ "$(area_lines)" -gt "$before" ] || fail "the recalled \"ri\" did not run"
[ -z "$(input_row)" ] || fail "the row after Enter: $(input_row)"
# Down past the newest brings back what was being typed.
keys lo Up
wait_for_input "ri"
keys Down
wait_for_input "look"

keys BSpace BSpace BSpace BSpace quit Enter
wait_for "exit status 0"
echo "PASS"
