# A terminal wider than 80 columns shows the frame in its middle, and the
# scroll bar's arrows still answer the mouse there.
BIN=$1
DATA=$2
source "$(dirname "$0")/terminal_helpers.bash"

start_shell 100 50
keys "$BIN; echo \"exit status \$?\"" Enter
new_game Wide
top=$(row 0)
[ "${top:0:11}" = "          ╔" ] || fail "the frame is not centred: $top"
input=$(row 48)
[ "${input:10:3}" = "║> " ] || fail "the input row is not centred: $input"
# Enough lines to scroll, then a click on the up arrow (column 78 of the frame).
for _ in $(seq 8); do keys help Enter; sleep 0.05; done
keys ri Enter
wait_for "Area: 0  Room: 8"
sleep 0.3
newest=$(row 45)
newest=${newest:11:77}
hex_keys 1b 5b 4d 20 $(printf '%x' $((78 + 10 + 33))) 22
hex_keys 1b 5b 4d 23 $(printf '%x' $((78 + 10 + 33))) 22
sleep 0.3
last=$(row 46)
[ "${last:11:77}" = "$newest" ] || fail "a click on the up arrow did not scroll the text: $last"
keys quit Enter
wait_for "exit status 0"
echo "PASS"
