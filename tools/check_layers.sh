#!/usr/bin/env bash
# Fails when a file under src/ includes a header from a folder at its own
# level or above: each layer may use only the layers below it.
#   1 base/      2 world/      3 console/ clock/
#   4 terminal/ (the terminal back end: it uses console/ and base/ alone),
#     islanders/ (the rules' lowest folder: the other rules may use it)
#   5 dialogue/ items/ raft/ persist/, web/ (the page's back end: it uses
#     terminal/'s painted back end, console/ and base/ alone)      6 game/
# console/ knows nothing of the game: it uses base/ alone.
# Prints the folder graph (which folder includes which) with -g.
# Also fails on a room pair or a catalogue index written as a number
# anywhere but world/Places.h, the one place that names them.
set -euo pipefail
cd "$(dirname "$0")/../src"

declare -A level=([base]=1 [world]=2 [console]=3 [clock]=3 [terminal]=4 [islanders]=4
                  [dialogue]=5 [items]=5 [raft]=5 [persist]=5 [web]=5 [game]=6)
declare -A only=([console]="base" [terminal]="base console" [web]="base console terminal")

bad=0
declare -A edges=()
while IFS=: read -r file line target; do
    from=${file%%/*}
    to=${target%%/*}
    [ "$from" = "$to" ] && continue
    if [ -z "${level[$from]:-}" ] || [ -z "${level[$to]:-}" ]; then
        echo "$file:$line: \"$target\": folder without a layer" >&2
        bad=1
        continue
    fi
    edges["$from -> $to"]=1
    allowed=${only[$from]:-}
    if [ "${level[$to]}" -ge "${level[$from]}" ] || { [ -n "$allowed" ] && [[ " $allowed " != *" $to "* ]]; }; then
        echo "$file:$line: includes \"$target\": $from/ (layer ${level[$from]}) may not use $to/ (layer ${level[$to]})" >&2
        bad=1
    fi
done < <(grep -rnoE '^#include "[^"]+"' --include='*.h' --include='*.cpp' . |
         sed -E 's#^\./##; s#:\#include "#:#; s#"$##')

# A call with a literal pair (roomAt(12, 0), is(9, 7), here(11, 0),
# moveIslander(npc, 12, 0)), a literal catalogue index (items[32]), a
# Place declared or an area or room number compared or set outside Places.h.
places='\b(roomAt|is|here|at|in|place[A-Za-z]*)\(\s*-?[0-9]+\s*,\s*[0-9]+\s*[,)]'
places+='|moveIslander\([^;]*,\s*[0-9]+\s*,\s*[0-9]+\s*\)'
places+='|items\[\s*[0-9]+\s*\]|\bPlace\s+k[A-Za-z]+\s*[{=]'
places+='|\b(area|number)\s*(==|!=)\s*[0-9]|[a-z]\.(area|number)\s*=\s*[0-9]'
places+='|\bk[A-Za-z]*(Item|Record|Index|Area|Room)\s*=\s*[0-9]'
if grep -rnE "$places" --include='*.h' --include='*.cpp' . | grep -v -e '^\./world/Places\.h:' -e '^\./world/World\.h:.*kRoomsPerArea = ' >&2; then
    echo "place check: name these rooms and records in world/Places.h" >&2
    bad=1
fi

if [ "${1:-}" = "-g" ]; then
    printf '%s\n' "${!edges[@]}" | sort
fi
if [ "$bad" -ne 0 ]; then
    echo "include check: an include goes up or sideways against the layers, or a place goes by number" >&2
    exit 1
fi
echo "include check: every include goes down the layers, and every place the rules use has its name"
