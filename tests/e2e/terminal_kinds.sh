# Terminals that are not xterm's kin: one that cannot place the cursor
# (TERM=dumb) gets the plain front end, not a broken frame, and so does any
# terminal with --plain (for screen readers); one without an
# alternate screen (TERM=linux) is cleared when the game ends, so the
# shell's prompt does not land inside the old frame. With NO_COLOR the
# terminal gets bold and reverse video, and not one colour.
BIN=$1
DATA=$2
source "$(dirname "$0")/terminal_helpers.bash"

start_shell
keys "TERM=dumb $BIN; echo \"exit status \$?\"" Enter
wait_for "e. quit"
screen_text | grep -qF "║" && fail "a frame on a terminal that cannot place the cursor"
screen_text | grep -qF "Please select one of the following:" || fail "the plain menu"
keys e Enter
wait_for "exit status 0"

keys clear Enter
sleep 0.3
keys "$BIN --plain; echo \"exit status \$?\"" Enter
wait_for "e. quit"
screen_text | grep -qF "║" && fail "a frame with --plain"
keys a Enter
wait_for "Please enter your name:"
keys Reader Enter
wait_for "Hello Reader"
keys quit Enter
wait_for "exit status 0"

keys clear Enter
sleep 0.3
keys "NO_COLOR=1 $BIN; echo \"exit status \$?\"" Enter
new_game Mono
keys inv
wait_for "> inventory"
codes=$(screen_codes | grep -oE $'\e\\[[0-9;]*m' | tr -d '\033[m' | tr ';' '\n' | sort -un | tr '\n' ' ')
for code in $codes; do
    # 39 and 49 are the terminal's own colours, which tmux names when it shows the screen.
    case $code in 0 | 1 | 7 | 22 | 27 | 39 | 49) ;; *) fail "a colour without colour: $code (all: $codes)" ;; esac
done
[[ " $codes " == *" 7 "* ]] || fail "no reverse video without colour: $codes"
keys BSpace BSpace BSpace quit Enter
wait_for "exit status 0"

keys clear Enter
sleep 0.3
keys "TERM=linux $BIN; echo \"exit status \$?\"" Enter
wait_for "e. quit"
[ "$(screen_text | grep -cF "║")" -ge 46 ] || fail "no frame on the linux console"
keys e Enter
wait_for "exit status 0"
screen_text | grep -qF "║" && fail "the frame stayed behind after the game ended"
echo "PASS"
