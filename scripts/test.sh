#!/usr/bin/env bash
# Installs what is missing, builds and runs every test: the unit and
# end-to-end tests, the same under AddressSanitizer and UBSan, a short
# libFuzzer run of the WAV reader and a smoke run of the benchmarks, after a
# check that every include keeps to its layer. Each
# stage's time is printed at its end, and a summary with the total time and
# each stage's count of tests at the end of the run.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
jobs=$(nproc)

minutes() { printf '%dm%02ds' $(($1 / 60)) $(($1 % 60)); }
stage_start=$SECONDS
summary=()
# stage_done NAME [NOTE]: the stage's time now and, with the note, in the summary.
stage_done() {
    local took=$((SECONDS - stage_start))
    echo "Stage \"$1\" took $(minutes $took)."
    summary+=("$(printf '%-20s %7s' "$1" "$(minutes $took)")${2:-}")
    stage_start=$SECONDS
}
# run_tests DIR STAGE: CTest in a build tree; the summary gets its count line.
run_tests() {
    local log count
    log=$(mktemp)
    (cd "$1" && ctest --output-on-failure -j "$jobs") | tee "$log"
    count=$(grep -E '^[0-9]+% tests passed' "$log")
    rm -f "$log"
    stage_done "$2" "  $count"
}

# The layers first: it takes a second and names a misplaced include before
# any build could hide it behind an error further down.
/usr/bin/python3 "$root/scripts/check-layers.py"

# Line tables are enough for a failing test's backtrace, and full debug
# information would make the build a third longer; the code is the same.
"$root/scripts/build.sh" "$root/build" -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O2 -g1 -DNDEBUG"
stage_done "build"
run_tests "$root/build" "tests"

# The sanitizers find their faults at -O1 as well, and the build is shorter;
# line tables are all their reports need.
"$root/scripts/build.sh" "$root/build-asan" -DMORAVEL_SANITIZE=ON -DMORAVEL_BENCHMARKS=OFF \
    -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g1 -DNDEBUG"
stage_done "sanitizer build"
run_tests "$root/build-asan" "sanitizer tests"

# Only the fuzz targets (and their seed maker), not the programs.
"$root/scripts/build.sh" "$root/build-fuzz" -DCMAKE_CXX_COMPILER=clang++ -DMORAVEL_FUZZ=ON \
    -DMORAVEL_TESTS=OFF -DMORAVEL_BENCHMARKS=OFF -- fuzzers
run_tests "$root/build-fuzz" "fuzzing"

# The benchmarks measure; here they only have to run.
"$root/build/bench/moravel_bench" --benchmark_min_time=0.01 >/dev/null
stage_done "benchmark smoke run"
echo
echo "All test stages passed in $(minutes $SECONDS) ($(nproc) cores):"
printf '  %s\n' "${summary[@]}"
