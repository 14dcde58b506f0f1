# The terminal front end in a real 80x50 terminal: the frame glyphs at their
# cells, colours, the menu, a new game, keypad shortcuts and completion.
BIN=$1
DATA=$2
source "$(dirname "$0")/terminal_helpers.bash"

start_game
wait_for "e. quit"

# The frame, cell by cell.
top=$(row 0); divider=$(row 47); bottom=$(row 49)
bar78=$(printf '═%.0s' $(seq 78))
[ "$top" = "╔${bar78}╗" ] || fail "top of the frame: $top"
[ "$divider" = "╠${bar78}╣" ] || fail "divider: $divider"
[ "$bottom" = "╚${bar78}╝" ] || fail "bottom of the frame: $bottom"
for y in 1 2 23 45 46 48; do
    line=$(row "$y")
    [ "${#line}" -eq 80 ] || fail "row $y is ${#line} cells wide"
    [ "${line:0:1}" = "║" ] && [ "${line:79:1}" = "║" ] || fail "sides of row $y: $line"
done
cell() { local line; line=$(row "$2"); echo "${line:$1:1}"; }
[ "$(cell 78 1)" = "↑" ] || fail "up arrow at column 78 row 1"
[ "$(cell 78 46)" = "↓" ] || fail "down arrow at column 78 row 46"
for y in 2 30 45; do [ "$(cell 78 "$y")" = "▒" ] || fail "shade at row $y"; done
# The scroll bar is black on grey (the blank text area before it is black
# on black), or grey on black in reverse video.
codes=$(screen_codes | sed -n 2p)
case "$codes" in *$'\e[30m'*$'\e[47m↑'* | *$'\e[30;47m↑'* | *$'\e[7m\e[37m↑'*) ;;
    *) fail "scroll bar colours: $(echo "$codes" | cat -v)" ;; esac
line=$(row 48)
[ "${line:0:3}" = "║> " ] || fail "prompt: $(row 48)"
[ "$(tmux -L "$SOCK" display -p -t "$PANE" '#{pane_title}')" = "Brinefall!" ] || fail "window title"

# Title screen and menu.
screen_text | grep -qF "Welcome to Brinefall!" || fail "welcome line"
screen_text | grep -qF "████  ████  █████" || fail "banner"
for item in "a. start new game" "b. instructions" "c. load a previous game" "d. credits" "e. quit"; do
    screen_text | grep -qF "$item" || fail "menu item $item"
done
# The welcome letters are coloured: the B bright red (91 or bold 31).
screen_codes | grep -F "Welcome to" | grep -qE $'\e\\[(91|1;31|31;1)m' || fail "welcome colours"

# Keypad digits do nothing in the menu: the letter typed after it stands alone.
hex_keys 1b 4f 78
keys z
wait_until '[ "$(input_row)" = z ]' || fail "keypad typed in the menu: $(input_row)"
keys BSpace

# A new game reaches play: the help text and then the room.
keys a Enter
wait_for "Please enter your name:"
keys Tester Enter
wait_for "Hello Tester"
wait_for "The following are some of the useful game commands:"
keys ri Enter
wait_for "Area: 0  Room: 8"
# The day stands in the middle of the frame's top line.
top=$(row 0)
[ "$top" = "╔$(printf '═%.0s' $(seq 35)) Day 1 $(printf '═%.0s' $(seq 36))╗" ] || fail "day on the top line: $top"

# Paging the scrollback: the wheel (X10 mouse reports, button 64/65), clicks
# on the scroll bar's arrows (column 78, rows 1 and 46) and keypad + and -.
area_row() { screen_text | grep -nF "The following are some of the useful" | tail -1 | cut -d: -f1; }
expect_area_row() {
    for _ in $(seq 150); do [ "$(area_row)" = "$1" ] && return 0; sleep 0.02; done
    fail "$2: the help heading is on row $(area_row), not $1"
}
newest=$(area_row)
hex_keys 1b 5b 4d 60 30 30; hex_keys 1b 5b 4d 60 30 30
expect_area_row $((newest + 2)) "wheel up twice"
hex_keys 1b 5b 4d 20 6f 22; hex_keys 1b 5b 4d 23 6f 22
expect_area_row $((newest + 3)) "click on the up arrow"
hex_keys 1b 4f 6d
expect_area_row $((newest + 4)) "keypad minus"
hex_keys 1b 4f 6b; hex_keys 1b 4f 6b
expect_area_row $((newest + 2)) "keypad plus twice"
hex_keys 1b 5b 4d 61 30 30
expect_area_row $((newest + 1)) "wheel down"
hex_keys 1b 5b 4d 20 6f 4f; hex_keys 1b 5b 4d 23 6f 4f
expect_area_row "$newest" "click on the down arrow"
hex_keys 1b 4f 6b
sleep 0.3
expect_area_row "$newest" "keypad plus at the newest line"

# Keypad 5 (ESC O u in application keypad mode) looks at once, on an empty line:
# the room's exits are listed once more.
exits_before=$(screen_text | grep -cF "Valid exits are:")
hex_keys 1b 4f 75
for _ in $(seq 50); do
    [ "$(screen_text | grep -cF "Valid exits are:")" -gt "$exits_before" ] && break
    sleep 0.1
done
[ "$(screen_text | grep -cF "Valid exits are:")" -gt "$exits_before" ] || fail "keypad 5 did not look"
[ -z "$(input_row)" ] || fail "keypad 5 left text on the input row: $(input_row)"
# Keypad 8 walks north from the beach.
hex_keys 1b 4f 78
keys ri Enter
for _ in $(seq 50); do
    # One capture for both, so the answer cannot arrive between them.
    shown=$(screen_text)
    last=$(grep -F "Area:" <<<"$shown" | tail -1)
    [ -n "$last" ] && [ "$(grep -cF "Area:" <<<"$shown")" -ge 2 ] && break
    sleep 0.1
done
case "$last" in *"Area: 0  Room: 8"*) fail "keypad 8 did not move the player: $last" ;; *"Area: "*) ;; *) fail "ri after keypad 8 printed nothing" ;; esac
# The main keyboard's 5 is typed as a digit; the keypad's 8 is then ignored.
keys 5
hex_keys 1b 4f 78
keys z
wait_until '[ "$(input_row)" = 5z ]' || fail "main keyboard digit: '$(input_row)'"
keys BSpace BSpace
wait_until '[ -z "$(input_row)" ]' || fail "backspace: $(input_row)"

# Completion: the rest of the word in bright white on blue, Enter takes it.
keys inv
wait_for "> inventory"
line=$(screen_codes | sed -n 49p)
highlight=${line#*inv}
highlight=${highlight%%entory*}
case "$highlight" in *44m*) ;; *) fail "suggestion background: $(echo "$line" | cat -v)" ;; esac
case "$highlight" in *97m* | *1\;37m*) ;; *) fail "suggestion foreground: $(echo "$line" | cat -v)" ;; esac
keys Enter
wait_until '[ -z "$(input_row)" ]' || fail "row after Enter: $(input_row)"
screen_codes | sed -n 49p | grep -q '44m' && fail "highlight left on the row"

keys quit Enter
wait_for "exit status 0"
echo "PASS"
