#!/usr/bin/env bash
# Builds the libFuzzer targets with clang into build-fuzz/ (beside fuzz/).
#   fuzz/build.sh            then, for example:
#   mkdir -p /tmp/work && build-fuzz/ScriptFuzz /tmp/work fuzz/script/corpus -max_total_time=300
# (new inputs go to the first directory, so the seed corpus stays as committed)
# fuzz/run.sh 60 runs every target that way, two at a time, as CI does.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
CXX="${CXX:-clang++}" cmake -S "$root/fuzz" -B "$root/build-fuzz" >/dev/null
cmake --build "$root/build-fuzz" -j"${JOBS:-2}"
