#!/usr/bin/env bash
# Every ending is seen: it waits for a key before the game's screen goes,
# and once the program has ended its text stays on the terminal's own
# screen, without colour codes. A finished game does not load again.
#
# Each ending starts from a save prepared for it (a new game's save,
# edited), so that one or two commands reach it; the six games run side by
# side, each in its own window and its own copy of Data. The laboratory
# ending is drawn from the clock's seconds: each of its two games is given
# seconds that draw the outcome it wants (README.md here).
# Usage: endings_seen.sh <binary> <Data directory>
# Fast ticks and pauses; the seconds are given per game.
export BRINEFALL_TEST_TICK_MS=${BRINEFALL_TEST_TICK_MS:-50}
BIN=$1
DATA=$2
source "$(dirname "$0")/terminal_helpers.bash"

# Each game has a window (a session of the helpers' server) named after it.
screen_of() { PANE=$1 screen_text 2>/dev/null; }
# The words on the screen, without the game's frame, the lines joined by
# blanks: a sentence the game or the shell wrapped reads whole again.
words_of() {
    screen_of "$1" | sed -E -e 's/^║//' -e 's/(▒|↑|↓|█)?║$//' -e 's/ +$//' | tr '\n' ' '
}
type_in() { PANE=$1 type_line "$2"; }
# Waits until the window shows the text; false after the timeout (seconds).
shows() {
    local window=$1 text=$2 timeout=${3:-10} waited=0
    until [[ $(words_of "$window") == *"$text"* ]]; do
        sleep 0.1
        waited=$((waited + 1))
        [ "$waited" -ge $((timeout * 10)) ] && return 1
    done
    return 0
}

# Runs the game in a window of its own, in the given directory; with a
# third argument, the seconds every reseed reads.
start_game_in() {
    local window=$1 dir=$2 seconds=${3:-}
    GAME_DIR=$dir PANE=$window start_shell
    PANE=$window run_game "BRINEFALL_TEST_SECONDS=$seconds"
}

# Loads the player Tester's save through the front menu.
load_tester() {
    local window=$1
    shows "$window" "e. quit" 15 || return 1
    type_in "$window" "c"
    shows "$window" "Please enter your name..." 5 || return 1
    type_in "$window" "Tester"
}

# Edits the plain text of Tester's save in a Data directory: the Perl code
# works on @l, the save's lines (index 0 is the save's first line).
edit_save() {
    local file="$1/Tester.mox"
    perl -e '
        my ($file, $code) = @ARGV;
        # The scramble key: the bytes of the name before ".mox", summed, modulo 255.
        my $key = 0;
        $key += ord($_) for split //, "Data\\Tester";
        $key = chr($key % 255);
        open(my $in, "<:raw", $file) or die "cannot read $file";
        local $/;
        my $data = <$in>;
        close $in;
        my $header = substr($data, 0, 5);
        my $body = substr($data, 5) ^ ($key x (length($data) - 5));
        my @l = split(/\n/, $body, -1);
        # Without its checksum line, as an earlier build wrote it, the
        # edited save is read as it stands.
        splice(@l, -2, 1) if @l >= 2 && $l[-2] =~ /^checksum /;
        eval $code;
        die $@ if $@;
        $body = join("\n", @l);
        open(my $out, ">:raw", $file) or die "cannot write $file";
        print $out $header, $body ^ ($key x length($body));
        close $out;
    ' "$file" "$2"
}

# Lines of a save: 1 inventory, 2 the player's room, 3 the raft's state,
# 4 islanders alive, day and tick; then from line 8 five lines for each of
# the nine islanders (the murderer second, his moods on line 15), then 14
# lines for each of the 60 items (item 32, the raft, named on line 501),
# then the rooms, each headed by its area and number alone on a line.
RAFT_NAME='$l[500]'
MURDERER_MOODS='my @m = split(/ /, $l[14], -1);'
SET_MOODS='$l[14] = join(" ", @m);'
OPEN_LAB='my ($wall) = grep { $l[$_] eq "9 7" } 893 .. $#l;
          my ($lab) = grep { $l[$_] eq "12 0" } 893 .. $#l;
          $l[$wall + 5] = " 12 0 "; $l[$lab + 9] = " 9 7 "; $l[1] = " 9 7 ";'

# Copies the prepared Data into a fresh directory and edits its save.
prepare() {
    local dir=$WORK/$1 edit=$2
    rm -rf "$dir"
    mkdir -p "$dir"
    cp -r "$WORK/Data" "$dir/Data"
    edit_save "$dir/Data" "$edit"
}

# Presses Enter now and then (every pause waits for a key) until the
# program has ended; false when it does not end in time.
keys_until_exit() {
    local window=$1
    for _ in $(seq 1 150); do
        screen_of "$window" | grep -qE "exit status [0-9]" && return 0
        PANE=$window keys Enter
        sleep 0.2
    done
    return 1
}

# After the end: status 0, the shell's own screen, and the ending's words
# on it, after the line that started the game.
check_seen() {
    local window=$1
    shift
    screen_of "$window" | grep -qF "exit status 0" || { echo "$window: the program did not end with status 0"; return 1; }
    [ "$(tmux -L "$SOCK" display-message -p -t "$window" '#{alternate_on}')" = "0" ] ||
        { echo "$window: the game's screen is still shown"; return 1; }
    local words phrase
    words=$(words_of "$window")
    words=${words##*'exit status $?"'}
    for phrase in "$@"; do
        [[ $words == *"$phrase"* ]] || { echo "$window: \"$phrase\" is not on the screen after the end"; return 1; }
    done
    [[ $words == *"/"[RrYyCcwW]* ]] && { echo "$window: colour codes were printed"; return 1; }
    return 0
}

# An ending at sea: it waits for a key, then its text stays.
sea_ending() {
    local window=$1 raft_edit=$2 first=$3 last=$4
    prepare "$window" "$raft_edit"
    start_game_in "$window" "$WORK/$window"
    load_tester "$window" || { echo "$window: the save did not load"; return 1; }
    shows "$window" "Valid exits" 5 || { echo "$window: no room after loading"; return 1; }
    type_in "$window" "getitem 32"
    type_in "$window" "sail"
    shows "$window" "Do you really want to set sail?" 5 || { echo "$window: no sailing question"; return 1; }
    type_in "$window" "yes"
    shows "$window" "Is there anyone you wish to take" 5 || { echo "$window: no passenger question"; return 1; }
    type_in "$window" ""
    shows "$window" "$first" 5 || { echo "$window: the ending never came"; return 1; }
    sleep 1.5
    screen_of "$window" | grep -qE "exit status [0-9]" && { echo "$window: the ending left before a key was pressed"; return 1; }
    keys_until_exit "$window" || { echo "$window: the program did not end"; return 1; }
    sleep 0.5
    check_seen "$window" "$first" "$last"
}

sea_escape() {
    sea_ending sea_escape "$RAFT_NAME = \"Yacht\"; \$l[2] = \"20\";" \
        "On the 4th day of your voyage you see land in the distance" "escaped the Island!"
}

sea_death() {
    sea_ending sea_death "$RAFT_NAME = \"Junky Raft\"; \$l[2] = \"0\";" \
        "the main rope holding your raft together snaps like a twig." "You have died of dysentery" || return 1
    # The finished game does not load again: the menu says how it ended.
    start_game_in sea_death_again "$WORK/sea_death"
    load_tester sea_death_again || { echo "sea_death: no menu on the second run"; return 1; }
    shows sea_death_again "The game of Tester is over: your raft broke apart and you were lost at sea." 5 ||
        { echo "sea_death: the finished game was not refused"; screen_of sea_death_again; return 1; }
    shows sea_death_again "e. quit" 5 || { echo "sea_death: no menu after the refusal"; return 1; }
}

# A death in the night or of hunger: a debug day skip brings the morning.
night_ending() {
    local window=$1 moods=$2 day=$3
    shift 3
    prepare "$window" "$MURDERER_MOODS $moods $SET_MOODS"
    start_game_in "$window" "$WORK/$window"
    load_tester "$window" || { echo "$window: the save did not load"; return 1; }
    shows "$window" "Valid exits" 5 || { echo "$window: no room after loading"; return 1; }
    type_in "$window" "dayskip $day"
    shows "$window" "$1" 10 || { echo "$window: the ending never came"; return 1; }
    keys_until_exit "$window" || { echo "$window: the program did not end"; return 1; }
    sleep 0.5
    check_seen "$window" "$@"
}

# The murderer at his worst, and nobody else for him to choose: he comes for the player.
murder() {
    night_ending murder '$m[1] = $m[4] = "100.000000"; $m[2] = $m[5] = "0.000000"; $l[3] =~ s/^\d+/0/;' 5 \
        "kills you in cold blood." "Thanks for playing!"
}

# A murderer at peace: the seventeenth morning brings hunger alone.
starvation() {
    night_ending starvation '$m[1] = $m[4] = "0.000000"; $m[2] = $m[5] = "100.000000";' 17 \
        "You have starved to death." "Thanks for playing!"
}

# Steps into the laboratory with the seconds given, which draw the wanted
# ending, and sees it through.
lab_ending() {
    local window=$1 seconds=$2 wanted=$3 other=$4 last=$5
    prepare "$window" "$OPEN_LAB"
    start_game_in "$window" "$WORK/$window" "$seconds"
    load_tester "$window" || { echo "$window: the save did not load"; return 1; }
    shows "$window" "Valid exits" 5 || { echo "$window: no room after loading"; return 1; }
    type_in "$window" "north"
    local waited=0
    while [ "$waited" -lt 100 ]; do
        [[ $(words_of "$window") == *"$wanted"* || $(words_of "$window") == *"$other"* ]] && break
        sleep 0.1
        waited=$((waited + 1))
    done
    [[ $(words_of "$window") == *"$other"* ]] && { echo "$window: seconds $seconds drew the other ending"; return 1; }
    [[ $(words_of "$window") == *"$wanted"* ]] || { echo "$window: no ending in the laboratory"; return 1; }
    keys_until_exit "$window" || { echo "$window: the program did not end"; return 1; }
    sleep 0.5
    check_seen "$window" "$last" "Thanks for playing!"
}

lab_won() {
    lab_ending lab_won 1 "spins around to reveal The Dog." "you never wake up" \
        "bearing you and any survivors away from the island forever."
}

lab_lost() {
    lab_ending lab_lost 2 "you never wake up" "spins around to reveal The Dog." \
        "Unfortunately, you never wake up. And then the island explodes."
}

# A new game's save, in the helpers' Data, the start of every prepared one.
start_game
new_game Tester
wait_for "Valid exits"
type_line "quit"
wait_for "exit status 0"
[ -f "$WORK/Data/Tester.mox" ] || fail "no save to prepare"

endings=(sea_escape sea_death murder starvation lab_won lab_lost)
for ending in "${endings[@]}"; do
    ( "$ending" > "$WORK/$ending.result" 2>&1; echo $? > "$WORK/$ending.status" ) &
done
wait

failed=0
for ending in "${endings[@]}"; do
    if [ "$(cat "$WORK/$ending.status")" = "0" ]; then
        echo "ok: $ending"
    else
        echo "FAIL: $(cat "$WORK/$ending.result") ($ending)"
        failed=1
    fi
done
[ "$failed" -eq 0 ] || exit 1
echo "PASS"
