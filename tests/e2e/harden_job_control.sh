# The other ways a game is ended, stopped or disturbed from outside: each
# ending signal saves and gives the terminal back exactly as it was; Ctrl+Z
# and a SIGTSTP give the shell its terminal and "fg" brings the whole screen
# back; Ctrl+L draws it again; a file-size limit fails a save, not the game.
BIN=$1
DATA=$2
# Ticks ten times as fast (README.md here): the saves that follow commands on
# odd ticks come sooner.
export BRINEFALL_TEST_TICK_MS=${BRINEFALL_TEST_TICK_MS:-100}
source "$(dirname "$0")/terminal_helpers.bash"

game_pid() {
    local pid
    for _ in $(seq 50); do
        pid=$(pgrep -n -f "^$BIN\$") && break
        sleep 0.1
    done
    [ -n "$pid" ] || fail "no game process"
    echo "$pid"
}

run_game() { keys "$BIN; echo \"exit status \$?\"" Enter; }

# The shell's terminal modes are taken before any game: the game's leaving is held against them.
expect_modes_as_before() {
    local what=$1
    keys "clear; stty -a > modes.after; cmp -s modes.before modes.after && echo modes-same || echo modes-differ" Enter
    for _ in $(seq 250); do screen_text | grep -qE "^modes-(same|differ)" && break; sleep 0.02; done
    screen_text | grep -qx "modes-same" || fail "$what: the terminal modes are not as before ($(diff "$WORK/modes.before" "$WORK/modes.after" | tr '\n' ' '))"
    tmux -L "$SOCK" display -p -t "$PANE" '#{keypad_flag}#{mouse_any_flag}#{alternate_on}' | grep -qx "000" ||
        fail "$what: keypad, mouse or the game's screen left on"
}

# The whole screen is there: the frame's top and bottom, the prompt, and the text.
expect_whole_screen() {
    local what=$1 text=$2
    for _ in $(seq 50); do
        [[ "$(row 0)" == "╔═"* && "$(row 49)" == "╚═"* && "$(row 48)" == "║> "* ]] &&
            screen_text | grep -qF -- "$text" && return 0
        sleep 0.1
    done
    fail "$what: the screen is not drawn again whole"
}

start_shell
keys "stty -a > modes.before; clear" Enter
wait_for_shell

n=0
for sig in QUIT USR1 USR2 PIPE; do
    case $sig in QUIT) status=131 ;; USR1) status=138 ;; USR2) status=140 ;; PIPE) status=141 ;; esac
    n=$((n + 1))
    run_game
    new_game "Ended$n"
    kill -"$sig" "$(game_pid)"
    for _ in $(seq 500); do screen_text | grep -qF "exit status" && break; sleep 0.02; done
    wait_for "exit status $status"
    [ -s "$WORK/Data/Ended$n.mox" ] || fail "SIG$sig: the game was not saved"
    expect_modes_as_before "SIG$sig"
done

# Ctrl+Z, then a stop from outside; "fg" brings the screen back each time.
run_game
new_game "Stopper"
keys C-z
wait_for "Stopped"
expect_modes_as_before "Ctrl+Z"
# A list the shell was running stops with its job: "fg" tells the status itself.
keys "fg; echo \"exit status \$?\"" Enter
expect_whole_screen "fg after Ctrl+Z" "Hello Stopper"
kill -TSTP "$(game_pid)"
wait_for "Stopped"
screen_text | grep -qF "╔═" && fail "SIGTSTP: the game's screen is still shown"
keys "clear; fg; echo \"exit status \$?\"" Enter
expect_whole_screen "fg after SIGTSTP" "Hello Stopper"
keys "look" Enter
wait_for "Valid exits"

# Something else wrote on the terminal: Ctrl+L draws the screen again.
printf '\033[H\033[2Jscribbled' > "$(tmux -L "$SOCK" display -p -t "$PANE" '#{pane_tty}')"
wait_for "scribbled"
keys C-l
expect_whole_screen "Ctrl+L" "Valid exits"
screen_text | grep -qF "scribbled" && fail "Ctrl+L left the scribble"

# A file-size limit: every save fails and says so, play goes on, nothing is
# left behind, and the failed final save is the exit status.
prlimit --pid "$(game_pid)" --fsize=4096
for _ in $(seq 20); do
    screen_text | grep -qF "could not be saved" && break
    keys "look" Enter
    sleep 0.1
done
wait_for "could not be saved (File too large)"
keys "inv" Enter
wait_for "You have no items in your inventory"
[ -z "$(ls -A "$WORK/Data" | grep -F tmp)" ] || fail "a temporary file was left: $(ls -A "$WORK/Data" | grep -F tmp)"
keys "quit" Enter
wait_for "exit status 1"
expect_modes_as_before "a failed final save"

# The plain front end whose reader goes away (its input still open): it
# ends saved, as at the end of its input, not killed by SIGPIPE.
mkfifo "$WORK/in"
( cd "$WORK" && { $BIN --plain < in 2>/dev/null; echo $? > plain.status; } |
  { awk '/Hello Piped/ { exit }'; exec <&-; touch reader.gone; } ) &
exec 3> "$WORK/in"
printf 'a\nPiped\n' >&3
# What the game writes next, the answer to a command, finds no reader.
# The game may already have ended on writing its prompt, and then this
# write finds no reader either: that must not end the script.
for _ in $(seq 100); do [ -e "$WORK/reader.gone" ] && break; sleep 0.05; done
( trap '' PIPE; printf 'look\n' >&3 ) 2>/dev/null || true
for _ in $(seq 500); do [ -s "$WORK/plain.status" ] && break; sleep 0.02; done
exec 3>&-
[ "$(cat "$WORK/plain.status" 2>/dev/null)" = 0 ] || fail "the plain game did not end at once with status 0 ($(cat "$WORK/plain.status" 2>/dev/null))"
[ -s "$WORK/Data/Piped.mox" ] || fail "the plain game whose reader went was not saved"
echo "PASS"
