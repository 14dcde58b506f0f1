#!/usr/bin/env bash
# Builds the libFuzzer targets with clang into build-fuzz/ (beside fuzz/).
#   fuzz/build.sh            then, for example:
#   build-fuzz/ScriptFuzz fuzz/script/corpus -max_total_time=300
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
CXX="${CXX:-clang++}" cmake -S "$root/fuzz" -B "$root/build-fuzz" >/dev/null
cmake --build "$root/build-fuzz" -j"${JOBS:-2}"
