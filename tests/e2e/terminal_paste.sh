# A paste of 100 KB at the prompt is taken in batches, the screen drawn
# when the keys run out, not once a key: it costs the game well under a
# second of CPU (about 16 s when every key was drawn), and the line holds
# what fits of it.
BIN=$1
DATA=$2
# Ticks ten times as fast (README.md here): the pauses at the start are told sooner.
export BRINEFALL_TEST_TICK_MS=${BRINEFALL_TEST_TICK_MS:-100}
source "$(dirname "$0")/terminal_helpers.bash"

cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }

start_game 80 24
wait_for "e. quit"
keys a Enter
wait_for "Please enter your name:"
keys Paster Enter
wait_for "Day 1"
while pausing; do keys Space; sleep 0.1; done
wait_for "Valid exits"
pid=$(pgrep -n -f "^$BIN\$") || fail "no game process"

head -c 100000 /dev/zero | tr '\0' 'n' > "$WORK/paste"
before=$(cpu_ticks "$pid")
tmux -L "$SOCK" load-buffer -b paste "$WORK/paste"
tmux -L "$SOCK" paste-buffer -b paste -t "$PANE"
# The Enter comes after the whole paste: its answer shows the paste was read.
keys Enter
for _ in $(seq 3000); do screen_text | grep -qF "Invalid command" && break; sleep 0.02; done
wait_for "Invalid command"
used=$(( $(cpu_ticks "$pid") - before ))
ticks_per_second=$(getconf CLK_TCK)
[ "$used" -lt $(( 2 * ticks_per_second )) ] || fail "the paste cost $used CPU ticks (of $ticks_per_second a second)"
echo "PASS ($used ticks)"
