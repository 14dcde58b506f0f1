# A terminal smaller than 80x24 gets a notice with both sizes and the game
# waits; once the window is large enough the screen comes back whole.
BIN=$1
DATA=$2
source "$(dirname "$0")/terminal_helpers.bash"

start_game 60 20
wait_for "Brinefall needs a window of 80 x 24 characters."
wait_for "This one is 60 x 20."
screen_text | grep -qF "╔" && fail "frame drawn in a small window"
# The notice stands in the middle of the window.
notice_row=$(screen_text | grep -nF "This one is" | cut -d: -f1)
[ "$notice_row" -ge 8 ] && [ "$notice_row" -le 12 ] || fail "notice on row $notice_row"
line=$(screen_text | grep -F "This one is")
[ "${line:0:20}" = "                    " ] || fail "notice not centred: '$line'"
# Keys typed meanwhile are not taken.
keys a
sleep 0.3
# At 40x10 the notice wraps in whole words and shows whole.
resize 40 10
wait_for "Please make it larger."
screen_text | grep -qxF "  Brinefall needs a window of 80 x 24" || fail "the notice's first line at 40x10"
screen_text | grep -qF "This one is 40 x 10." || fail "the size at 40x10"

resize 80 50
wait_for "e. quit"
[ "$(row 0)" = "╔$(printf '═%.0s' $(seq 78))╗" ] || fail "frame after growing: $(row 0)"
[ -z "$(input_row)" ] || fail "a key typed while too small reached the line: $(input_row)"

# Shrinking mid-game and growing again keeps the scrollback.
keys a Enter
wait_for "Please enter your name:"
keys Tester Enter
wait_for "Hello Tester"
wait_for "useful game commands"
sleep 0.5
before=$(screen_text | sed -n 1,50p)
resize 70 40
wait_for "This one is 70 x 40."
resize 100 50
wait_for "useful game commands"
# 100 columns: the frame stands in the middle, ten columns in.
after=$(screen_text | sed -n 1,50p | sed 's/^ \{10\}//; s/ *$//')
[ "$after" = "$(echo "$before" | sed 's/ *$//')" ] || fail "the screen came back different"
line=$(row 49)
[ "${line:10:1}" = "╚" ] && [ "${line:89:1}" = "╝" ] || fail "frame not centred in a wider window: $line"
keys quit Enter
wait_for "exit status 0"
echo "PASS"
