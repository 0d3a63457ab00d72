#!/usr/bin/env bash
# Times screencalc as whole processes: one single calculation (start-up
# included) and --batch on 100,000 rows. Uses hyperfine when installed,
# otherwise (or with NO_HYPERFINE=1) a plain loop.
#   bench/time_screencalc.sh [path/to/screencalc]
set -euo pipefail
exe="${1:-build/release/cli/screencalc}"
runs="${RUNS:-200}"
[ -x "$exe" ] || { echo "no screencalc at $exe (build it first, or pass its path)" >&2; exit 2; }

rows="$(mktemp)"
trap 'rm -f "$rows"' EXIT
texts=(100 84.5 1920 1000 120 .5 3000 12a)
entries=(diagonal width height)
ratios=("" 16:9 4:3)
frames=("" 12 45 65 80 90)
for ((i = 0; i < 100000; i++)); do
    printf '%s,%s,%s,%s\n' "${entries[i % 3]}" "${texts[i % 8]}" "${ratios[i % 3]}" "${frames[i % 6]}"
done >"$rows"

if [ -z "${NO_HYPERFINE:-}" ] && command -v hyperfine >/dev/null; then
    hyperfine -N --warmup 20 --runs "$runs" "$exe --diagonal 100 --json"
    # The rows hold a few bad ones on purpose, so the batch exits with 1.
    hyperfine -i --warmup 2 --runs 10 "$exe --batch $rows >/dev/null 2>&1"
else
    start=$(date +%s%N)
    for ((i = 0; i < runs; i++)); do "$exe" --diagonal 100 --json >/dev/null; done
    end=$(date +%s%N)
    echo "single calculation: $(((end - start) / runs / 1000)) us per process (mean of $runs)"
    start=$(date +%s%N)
    "$exe" --batch "$rows" >/dev/null 2>&1 || true
    end=$(date +%s%N)
    ms=$(((end - start) / 1000000))
    echo "--batch on 100000 rows: $ms ms ($((100000 * 1000 / (ms > 0 ? ms : 1))) rows/s)"
fi
