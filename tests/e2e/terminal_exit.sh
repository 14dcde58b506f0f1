# Every way out leaves a usable shell: the game's screen gone, the terminal
# modes back (echo, line editing), keypad and mouse reporting off.
BIN=$1
DATA=$2
source "$(dirname "$0")/terminal_helpers.bash"

# After the game: the shell echoes what is typed and runs it.
expect_clean_shell() {
    local what=$1 status=$2
    wait_for "exit status $status"
    screen_text | grep -qF "╔═" && fail "$what: the game's screen is still shown"
    keys "echo ok" Enter
    for _ in $(seq 250); do screen_text | grep -qx "ok" && break; sleep 0.02; done
    screen_text | grep -qx "ok" || fail "$what: the shell does not answer"
    keys "stty -a | tr ' ' '\n' | grep -xE -- '-?(icanon|echo)' | tr '\n' ' '; echo" Enter
    wait_for "icanon echo"
    screen_text | grep -qF -- "-icanon" && fail "$what: line editing left off"
    screen_text | grep -qE -- "(^| )-echo( |$)" && fail "$what: echo left off"
    tmux -L "$SOCK" display -p -t "$PANE" '#{keypad_flag}#{mouse_any_flag}' | grep -qx "00" ||
        fail "$what: keypad or mouse mode left on"
    keys "clear" Enter
    wait_for_shell
}

# Ctrl+C in play ends at once with status 0.
start_game
new_game Tester
keys C-c
expect_clean_shell "Ctrl+C" 0

# "e" in the menu. The shell's own lines stay where they were, and what
# comes after the game is written below them, not over them at the top.
keys "echo before the game; $BIN; echo \"exit status \$?\"" Enter
wait_for "e. quit"
keys e Enter
wait_for "exit status 0"
before=$(screen_text | grep -n -x "before the game" | cut -d: -f1)
after=$(screen_text | grep -n -x "exit status 0" | cut -d: -f1)
[ -n "$before" ] && [ -n "$after" ] && [ "$after" -gt "$before" ] ||
    fail "menu quit: the shell's cursor did not come back below its own lines"
expect_clean_shell "menu quit" 0

# "quit" in play saves and ends.
keys "$BIN; echo \"exit status \$?\"" Enter
new_game Quitter
keys quit Enter
expect_clean_shell "quit" 0
[ -f "$WORK/Data/Quitter.mox" ] || fail "no save after quit"

# SIGTERM: the game winds down and the terminal comes back (status 143).
keys "$BIN; echo \"exit status \$?\"" Enter
new_game Termed
pid=$(pgrep -n -f "^$BIN\$")
[ -n "$pid" ] || fail "no game process"
kill -TERM "$pid"
expect_clean_shell "SIGTERM" 143
# It wound down as "quit" does, so the game was saved.
[ -f "$WORK/Data/Termed.mox" ] || fail "no save after SIGTERM"

# A crash restores the terminal before the signal takes its course.
keys "$BIN; echo \"exit status \$?\"" Enter
new_game Crashed
pid=$(pgrep -n -f "^$BIN\$")
kill -SEGV "$pid"
expect_clean_shell "SIGSEGV" 139

# Closing the window (SIGHUP) saves and ends the game.
tmux -L "$SOCK" new-window -d -t "$PANE" -n hangup "cd '$WORK' && exec $BIN"
PANE=$PANE:hangup
new_game Hanged
PANE=${PANE%:hangup}
# Only the save the hang-up makes counts.
rm -f "$WORK/Data/Hanged.mox"
tmux -L "$SOCK" kill-window -t "$PANE:hangup"
for _ in $(seq 250); do pgrep -f "^$BIN\$" >/dev/null || break; sleep 0.02; done
pgrep -f "^$BIN\$" >/dev/null && fail "the game outlived its window"
[ -f "$WORK/Data/Hanged.mox" ] || fail "no save after the window closed"

echo "PASS"
