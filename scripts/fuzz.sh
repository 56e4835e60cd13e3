#!/usr/bin/env bash
# Fuzzes the text job interpreter, the INI engine, the pass-through blocks and the ESC/P
# interpreter with libFuzzer: bash scripts/fuzz.sh [seconds] [target...]
#   seconds: per target (default 600); 0 only runs each target over its seed corpus.
#   targets: text_job, ini_text, pass_through, escp (default all, one after another).
# Builds build/fuzz with clang (-DKORV_FUZZ=ON). New inputs gather in build/fuzz/corpus/,
# crashes in build/fuzz/findings/; build/fuzz/results.txt gets one line per run.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-600}
shift || true
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(text_job ini_text pass_through escp)

CC=clang CXX=clang++ cmake -S . -B build/fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKORV_FUZZ=ON >/dev/null
cmake --build build/fuzz -j2 --target "${targets[@]/#/fuzz_}"

mkdir -p build/fuzz/findings
for t in "${targets[@]}"; do
  seeds=tests/fuzz/corpus/$t
  if [ "$seconds" = 0 ]; then
    echo "== fuzz_$t over its seeds"
    "build/fuzz/tests/fuzz/fuzz_$t" -runs=0 "$seeds"
    continue
  fi
  corpus=build/fuzz/corpus/$t
  mkdir -p "$corpus"
  echo "== fuzz_$t for ${seconds}s"
  start=$(date -u +%FT%TZ)
  status=0
  "build/fuzz/tests/fuzz/fuzz_$t" -max_total_time="$seconds" -max_len=4096 -timeout=10 \
    -artifact_prefix="build/fuzz/findings/$t-" "$corpus" "$seeds" \
    2> "build/fuzz/$t.log" || status=$?
  runs=$(grep -o 'Done [0-9]* runs' "build/fuzz/$t.log" | tail -1 || true)
  echo "$start fuzz_$t ${seconds}s exit=$status ${runs:-no summary}" | tee -a build/fuzz/results.txt
  [ "$status" = 0 ] || { tail -40 "build/fuzz/$t.log"; exit "$status"; }
done
