#!/usr/bin/env bash
# Installs what is missing, builds and runs every test: the unit and
# end-to-end tests, the same under AddressSanitizer and UBSan, a short
# libFuzzer run of the WAV reader and a smoke run of the benchmarks. Each
# stage's time is printed at its end.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
jobs=$(nproc)

stage_start=$SECONDS
stage_done() {
    local took=$((SECONDS - stage_start))
    printf 'Stage "%s" took %dm%02ds.\n' "$1" $((took / 60)) $((took % 60))
    stage_start=$SECONDS
}

# Line tables are enough for a failing test's backtrace, and full debug
# information would make the build a third longer; the code is the same.
"$root/scripts/build.sh" "$root/build" -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O2 -g1 -DNDEBUG"
stage_done "build"
(cd "$root/build" && ctest --output-on-failure -j "$jobs")
stage_done "tests"

# The sanitizers find their faults at -O1 as well, and the build is shorter;
# line tables are all their reports need.
"$root/scripts/build.sh" "$root/build-asan" -DMORAVEL_SANITIZE=ON -DMORAVEL_BENCHMARKS=OFF \
    -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g1 -DNDEBUG"
stage_done "sanitizer build"
(cd "$root/build-asan" && ctest --output-on-failure -j "$jobs")
stage_done "sanitizer tests"

# Only the fuzz targets (and their seed maker), not the programs.
"$root/scripts/build.sh" "$root/build-fuzz" -DCMAKE_CXX_COMPILER=clang++ -DMORAVEL_FUZZ=ON \
    -DMORAVEL_TESTS=OFF -DMORAVEL_BENCHMARKS=OFF -- fuzzers
(cd "$root/build-fuzz" && ctest --output-on-failure -j "$jobs")
stage_done "fuzzing"

# The benchmarks measure; here they only have to run.
"$root/build/bench/moravel_bench" --benchmark_min_time=0.01 >/dev/null
stage_done "benchmark smoke run"
echo "All test stages passed in $((SECONDS / 60))m$(printf '%02d' $((SECONDS % 60)))s."
