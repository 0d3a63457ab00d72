#!/usr/bin/env bash
# Builds the core's libFuzzer target with clang in build/fuzz and runs it for
# a bounded time on a scratch copy of the seed corpus, so the committed corpus
# never grows by itself. One process: the machine is shared.
#
#   fuzz/run.sh [seconds]      default 60
#
# Exits non-zero on any finding; the input that broke a rule is left in
# build/fuzz/findings/ and replays with
#   build/fuzz/fuzz/calc_fuzz build/fuzz/findings/<file>
set -euo pipefail
cd "$(dirname "$0")/.."

seconds="${1:-60}"
case "$seconds" in
'' | *[!0-9]*)
    echo "usage: fuzz/run.sh [seconds]" >&2
    exit 2
    ;;
esac

# The newest clang++ on the PATH that can link a libFuzzer target.
probe='extern "C" int LLVMFuzzerTestOneInput(const unsigned char *, unsigned long) { return 0; }'
cxx=""
best=""
for candidate in $(compgen -c clang++ | grep -E '^clang\+\+(-[0-9]+)?$' | sort -u); do
    echo "$probe" | "$candidate" -x c++ -fsanitize=fuzzer - -o /dev/null 2>/dev/null || continue
    version=$("$candidate" -dumpversion)
    if [ -z "$best" ] || [ "$(printf '%s\n%s\n' "$best" "$version" | sort -V | tail -n 1)" != "$best" ]; then
        cxx=$(command -v "$candidate")
        best=$version
    fi
done
[ -n "$cxx" ] || {
    echo "fuzz/run.sh: no clang++ with libFuzzer found (Debian: apt-get install clang-14 libclang-rt-14-dev)" >&2
    exit 2
}
echo "fuzz/run.sh: building with $cxx ($best)"

build=build/fuzz
cmake --preset fuzz -DCMAKE_CXX_COMPILER="$cxx" >/dev/null
cmake --build --preset fuzz

work="$build/corpus-run"
findings="$build/findings"
rm -rf "$work"
mkdir -p "$work" "$findings"
cp fuzz/corpus/* "$work"/

# libFuzzer's progress lines go to the log only; the summary is printed.
log="$build/fuzz.log"
echo "calc_fuzz: running for $seconds s (progress in $log)"
set +e
start=$SECONDS
"$build/fuzz/calc_fuzz" "$work" \
    -dict=fuzz/calc.dict \
    -max_total_time="$seconds" \
    -max_len=700 \
    -timeout=10 \
    -rss_limit_mb=2048 \
    -print_final_stats=1 \
    -artifact_prefix="$findings/" >"$log" 2>&1
status=$?
set -e

executions=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
rate=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log" | tail -n 1)
echo "calc_fuzz: ${executions:-?} executions in $((SECONDS - start)) s (${rate:-?} per second)"
if [ "$status" -ne 0 ]; then
    tail -n 60 "$log" >&2
    echo "calc_fuzz: FINDING (exit status $status); input kept in $findings/" >&2
    exit 1
fi
