#!/usr/bin/env bash
# Runs every fuzz target for the given seconds (default 60) from its
# committed corpus, two at a time; new inputs go to a scratch directory so
# the corpus stays as committed. Fails when any target finds a fault; its
# log and the input that failed are kept in the scratch directory.
#   fuzz/build.sh && fuzz/run.sh 60
set -uo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
seconds="${1:-60}"
scratch="${FUZZ_SCRATCH:-$(mktemp -d /tmp/brinefall-fuzz.XXXXXX)}"
targets=()
for dir in "$root"/fuzz/*/; do
  name=$(basename "$dir")
  for source in "$dir"*Fuzz.cpp; do
    [ -f "$source" ] && targets+=("$name:$(basename "$source" .cpp)")
  done
done

run_one() {
  local name=${1%%:*} binary=${1##*:}
  mkdir -p "$scratch/$name"
  (cd "$scratch" && "$root/build-fuzz/$binary" "$scratch/$name" "$root/fuzz/$name/corpus" \
      -max_total_time="$seconds" -timeout=10 -rss_limit_mb=1536 -artifact_prefix="$scratch/$name-" \
      >"$scratch/$name.log" 2>&1)
}

failed=0
for ((i = 0; i < ${#targets[@]}; i += 2)); do
  pids=()
  for target in "${targets[@]:i:2}"; do
    run_one "$target" &
    pids+=("$!:$target")
  done
  for entry in "${pids[@]}"; do
    pid=${entry%%:*}
    target=${entry#*:}
    name=${target%%:*}
    if wait "$pid"; then
      echo "fuzz $name: $(grep -Eo 'Done [0-9]+ runs in [0-9]+ second' "$scratch/$name.log" | tail -1)"
    else
      echo "fuzz $name: FAILED (log: $scratch/$name.log)"
      tail -40 "$scratch/$name.log"
      failed=1
    fi
  done
done
[ "$failed" -eq 0 ] && [ -z "${FUZZ_SCRATCH:-}" ] && rm -rf "$scratch"
exit "$failed"
