# Old terminal types whose descriptions ask for padding (vt100, vt102
# write "$<5>" after a move): the game writes the sequences without it, so
# no "$<" ever reaches the terminal, and none is left on the shell after.
BIN=$1
DATA=$2
source "$(dirname "$0")/terminal_helpers.bash"

start_shell
tmux -L "$SOCK" pipe-pane -t "$PANE" -o "cat >> '$WORK/bytes'"
for term in vt100 vt102; do
    keys clear Enter
    wait_for_shell
    keys "TERM=$term $BIN; echo \"exit status \$?\"" Enter
    new_game "Pad$term"
    keys look Enter
    wait_for "You see the following items"
    keys quit Enter
    wait_for "exit status 0"
done
tmux -L "$SOCK" pipe-pane -t "$PANE"
grep -q "Hello Padvt102" "$WORK/bytes" || fail "the game's bytes were not caught"
if grep -qF '$<' "$WORK/bytes"; then
    fail "terminfo padding written: $(grep -aoE '.{0,12}\$<[0-9.*/]*>' "$WORK/bytes" | head -3 | cat -v)"
fi
screen_text | grep -qF '$<' && fail "padding left on the shell"
echo "PASS"
