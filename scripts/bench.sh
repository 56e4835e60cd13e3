#!/usr/bin/env bash
# End-to-end benchmarks on the Wine + CUPS rig:
#   bash scripts/bench.sh                   this tree's program
#   bash scripts/bench.sh --baseline main   also REF's program, built in a temporary worktree,
#                                           measured in the same run on the same rig
# Runs every tests/bench/e2e/bench_*.py (interface: --exe PATH --label NAME --out FILE) and
# merges their figures into bench-results/e2e.json. Benchmarks report; they never fail on a
# slow machine (the script fails only when a benchmark cannot run at all).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
baseline=
while [ $# -gt 0 ]; do
  case "$1" in
    --baseline) baseline=$2; shift 2 ;;
    *) echo "usage: bench.sh [--baseline REF]" >&2; exit 2 ;;
  esac
done

arch=$(cd tests/e2e && python3 -c 'from korvrig.base import WINE_ARCH; print(WINE_ARCH)')
bash scripts/build.sh "$arch" >/dev/null
out=$root/bench-results/e2e.json
export KORV_E2E_RUN=$root/build/bench-run  # a rig of its own, apart from the e2e tests'

base_dir=
cleanup() {
  (cd tests/e2e && python3 -m korvrig cleanup >/dev/null 2>&1) || true
  if [ -n "$base_dir" ]; then git worktree remove --force "$base_dir" >/dev/null 2>&1 || true; fi
}
trap cleanup EXIT

exes=("$root/build/$arch/korvprint.exe:$(git rev-parse --abbrev-ref HEAD)")
if [ -n "$baseline" ]; then
  base_dir=$(mktemp -d /tmp/korv-bench-base.XXXXXX)
  rmdir "$base_dir"
  git worktree add --detach "$base_dir" "$baseline" >/dev/null
  (cd "$base_dir" && bash scripts/build.sh "$arch" >/dev/null)
  exes=("$base_dir/build/$arch/korvprint.exe:baseline-$baseline" "${exes[@]}")
fi

(cd tests/e2e && python3 -m korvrig setup)
for bench in tests/bench/e2e/bench_*.py; do
  for entry in "${exes[@]}"; do
    exe=${entry%%:*}
    label=${entry#*:}
    echo "== $(basename "$bench") $label"
    python3 "$bench" --exe "$exe" --label "$label" --out "$out"
  done
done
echo "results: $out"
