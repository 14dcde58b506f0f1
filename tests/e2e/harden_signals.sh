# A hang-up, a termination and a crash signal, each in the menu and in
# play: afterwards the shell works, the terminal modes are back and the
# keypad and mouse reporting are off.
BIN=$1
DATA=$2
source "$(dirname "$0")/terminal_helpers.bash"

expect_clean_shell() {
    local what=$1 status=$2
    # A busy machine may take a while: the game itself gives up winding down after 3 s.
    for _ in $(seq 1500); do screen_text | grep -qF "exit status" && break; sleep 0.02; done
    wait_for "exit status $status"
    screen_text | grep -qF "╔═" && fail "$what: the game's screen is still shown"
    keys "echo ok" Enter
    for _ in $(seq 250); do screen_text | grep -qx "ok" && break; sleep 0.02; done
    screen_text | grep -qx "ok" || fail "$what: the shell does not answer"
    keys "stty -a | tr ' ' '\n' | grep -xE -- '-?(icanon|echo|isig)' | tr '\n' ' '; echo" Enter
    wait_for "isig icanon echo"
    screen_text | grep -qE -- "-(icanon|isig)" && fail "$what: line editing or signals left off"
    screen_text | grep -qE -- "(^| )-echo( |$)" && fail "$what: echo left off"
    tmux -L "$SOCK" display -p -t "$PANE" '#{keypad_flag}#{mouse_any_flag}' | grep -qx "00" ||
        fail "$what: keypad or mouse mode left on"
    # No scrolling region left behind: a long listing scrolls the whole window.
    keys "clear; seq 70" Enter
    for _ in $(seq 250); do [ "$(row 48)" = "70" ] && break; sleep 0.02; done
    [ "$(row 48)" = "70" ] || fail "$what: the window does not scroll as a whole"
    keys "clear" Enter
    wait_for_shell
}

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

start_shell
n=0
for sig in HUP TERM SEGV; do
    case $sig in HUP) status=129 ;; TERM) status=143 ;; SEGV) status=139 ;; esac
    # In the menu, before any game is loaded.
    run_game
    wait_for "e. quit"
    kill -"$sig" "$(game_pid)"
    expect_clean_shell "SIG$sig in the menu" "$status"
    # In play, with the clock running.
    n=$((n + 1))
    run_game
    new_game "Signal$n"
    kill -"$sig" "$(game_pid)"
    expect_clean_shell "SIG$sig in play" "$status"
done
echo "PASS"
