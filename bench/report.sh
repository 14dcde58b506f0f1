#!/usr/bin/env bash
# Prints every speed figure against its target, as medians of several runs.
#   bench/report.sh [build dir, default build] [idle seconds, default 60] [pty runs, default 3]
#   bench/report.sh --game <game binary> [build dir] [idle seconds] [pty runs]
#     measures another build's game (its own Data beside it) with this build's tools.
# Needs a release build (cmake -S . -B build && cmake --build build -j2).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
game=""
if [ "${1:-}" = "--game" ]; then
  game="$(cd "$(dirname "$2")" && pwd)/$(basename "$2")"
  shift 2
fi
build="${1:-$root/build}"
idle="${2:-60}"
runs="${3:-3}"
game="${game:-$build/brinefall}"
data="$(dirname "$game")/Data"
for tool in "$game" "$build/tools/brinefall_world_bench" "$build/tools/brinefall_list_bench" "$build/tools/brinefall_pty"; do
  [ -x "$tool" ] || { echo "missing $tool: build first" >&2; exit 1; }
done

echo "game: $game"
echo "machine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //'), load $(cut -d' ' -f1-3 /proc/loadavg)"

# Google Benchmark medians (wall time, microseconds).
bench=$("$build/tools/brinefall_world_bench" --benchmark_repetitions=9 --benchmark_report_aggregates_only=true \
  --benchmark_format=csv 2>/dev/null)
median() { echo "$bench" | awk -F, -v n="\"$1_median\"" '$1 == n { printf "%.1f", $3 }'; }
save_memory=$(median BM_WorldSaveInMemory)
save_whole=$(median BM_WorldSaveGame)
bare=$(median BM_BareWriteSyncRename)
load=$(median BM_WorldLoadGame)
# The load menu with 5,000 saves: its first page (wall time, milliseconds).
list_ms=$("$build/tools/brinefall_list_bench" --benchmark_filter=BM_LoadMenuFirstPage --benchmark_repetitions=5 \
  --benchmark_report_aggregates_only=true --benchmark_format=csv 2>/dev/null |
  awk -F, '$1 == "\"BM_LoadMenuFirstPage_median\"" { printf "%.1f", $3 }')

# The pty figures: the median of several runs of the game in a pseudo-terminal,
# answering as xterm (left and right margins) and as VTE, Konsole or tmux (none).
pty_runs=()
bare_runs=()
for ((i = 0; i < runs; ++i)); do
  pty_runs+=("$("$build/tools/brinefall_pty" "$game" "$data" "$([ "$i" -eq 0 ] && echo "$idle" || echo 5)")")
  bare_runs+=("$("$build/tools/brinefall_pty" --no-margins "$game" "$data" 1)")
done
runs_of() {  # the runs of the terminal kind chosen: kind=bare for the one without margins
  if [ "${kind:-}" = bare ]; then printf '%s\n' "${bare_runs[@]}"; else printf '%s\n' "${pty_runs[@]}"; fi
}
pty_median() {
  local key=$1
  runs_of | awk -v k="$key" '$1 == k { print $2 }' | sort -g | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'
}
idle_cpu=$(printf '%s\n' "${pty_runs[0]}" | awk '$1 == "idle_cpu_percent" { print $2 }')
startup=$(pty_median startup_to_menu_ms)
beeps=150  # the title's two 50 ms beeps and the 50 ms pause between them
echo_ms=$(pty_median keystroke_echo_median_ms)
line_bytes=$(pty_median line_bytes_median)
line_chars=$(pty_median line_visible_chars)
rss=$(pty_median peak_rss_kb)

# Bytes that follow the text: for each workload and run, the bytes the
# terminal received per visible character of new text (newlines not
# counted); every workload but the room walk may spend 48 bytes a command
# on the input row. The median over the runs.
per_char() {  # workload, bytes allowed per command
  local w=$1 allowance=$2
  runs_of | awk -v w="$w" -v a="$allowance" '
    $1 == w "_commands" { n = $2 } $1 == w "_bytes" { b = $2 } $1 == w "_chars" { c = $2
      if (c > 0) printf "%.3f\n", (b - a * n) / c }' |
    sort -g | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'
}
workloads="walk talk inv map help morning echo"

fails=0
row() {  # name, figure, unit, target text, pass (1/0)
  local verdict=ok
  [ "$5" -eq 1 ] || { verdict=MISSED; fails=$((fails + 1)); }
  printf '%-44s %12s %-4s target %-26s %s\n' "$1" "$2" "$3" "$4" "$verdict"
}
lt() { awk -v a="$1" -v b="$2" 'BEGIN { exit !(a < b) }' && echo 1 || echo 0; }
le() { awk -v a="$1" -v b="$2" 'BEGIN { exit !(a <= b) }' && echo 1 || echo 0; }

ratio=$(awk -v a="$save_whole" -v b="$bare" 'BEGIN { printf "%.2f", a / b }')
startup_net=$(awk -v a="$startup" -v b="$beeps" 'BEGIN { printf "%.1f", a - b }')
row "saveGame in memory (format + scramble)" "$save_memory" us "< 100 us" "$(lt "$save_memory" 100)"
row "saveGame whole (sync + rename)" "$save_whole" us "<= 1.5 x bare ($bare us)" "$(le "$ratio" 1.5)"
row "  ratio to a bare write, sync and rename" "$ratio" x "<= 1.5" "$(le "$ratio" 1.5)"
row "loadGame of the full world" "$load" us "< 1000 us" "$(lt "$load" 1000)"
row "load menu's first page of 5,000 saves" "$list_ms" ms "< 300 ms" "$(lt "$list_ms" 300)"
row "bytes for one printed line (full scrollback)" "$line_bytes" B "<= 2 x $line_chars visible" "$(le "$line_bytes" $((2 * line_chars)))"
row "room walk, 40 rooms: B per visible char" "$(per_char walk 0)" B/ch "<= 1.3 in all" "$(le "$(per_char walk 0)" 1.3)"
for w in talk inv map help morning echo; do
  case $w in
    talk) label="talk, several nodes" ;;
    inv) label="inv, a dozen kinds of items" ;;
    map) label="map" ;;
    help) label="help typed three times" ;;
    morning) label="a morning text" ;;
    echo) label="a 40-character command typed" ;;
  esac
  figure=$(per_char "$w" 48)
  row "$label" "$figure" B/ch "<= 1.3 + 48 B a command" "$(le "$figure" 1.3)"
done
redraws=0
for w in $workloads; do redraws=$((redraws + $(pty_median "${w}_redraws"))); done
row "full redraws of the text area" "$redraws" "" "none without a scroll" "$([ "$redraws" -eq 0 ] && echo 1 || echo 0)"
row "keystroke to echo (median)" "$echo_ms" ms "< 2 ms" "$(lt "$echo_ms" 2)"
row "idle CPU at the prompt over ${idle} s" "$idle_cpu" % "< 0.03 % of one core" "$(lt "$idle_cpu" 0.03)"
row "start to menu drawn, less ${beeps} ms of beeps" "$startup_net" ms "< 50 ms" "$(lt "$startup_net" 50)"
row "peak resident memory" "$rss" KB "< 8192 KB" "$(lt "$rss" 8192)"
kind=bare
row "no margins (VTE, tmux): room walk B/char" "$(per_char walk 0)" B/ch "<= 1.6 in all" "$(le "$(per_char walk 0)" 1.6)"
row "no margins: keystroke to echo (median)" "$(pty_median keystroke_echo_median_ms)" ms "< 2 ms" "$(lt "$(pty_median keystroke_echo_median_ms)" 2)"
for kind in xterm bare; do
  [ $kind = bare ] && title="without left and right margins" || title="xterm"
  echo "per workload on $title (medians over the runs): commands, bytes (typing), visible chars, bytes/char, redraws, most text rows written"
  for w in $workloads; do
    printf '  %-8s %4s cmds %8s B (%6s) %7s chars %7s B/char %3s redraws %3s rows\n' "$w" \
      "$(pty_median "${w}_commands")" "$(pty_median "${w}_bytes")" "$(pty_median "${w}_typing_bytes")" \
      "$(pty_median "${w}_chars")" "$(per_char "$w" 0)" "$(pty_median "${w}_redraws")" "$(pty_median "${w}_most_rows")"
  done
done
[ "$fails" -eq 0 ] && echo "every figure meets its target" || echo "$fails figure(s) missed"
