#!/usr/bin/env bash
# Installs what is missing, builds and runs every test: the unit and
# end-to-end tests, the same under AddressSanitizer and UBSan, a short
# libFuzzer run of the WAV reader and a smoke run of the benchmarks.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
jobs=$(nproc)

"$root/scripts/build.sh" "$root/build"
(cd "$root/build" && ctest --output-on-failure -j "$jobs")

"$root/scripts/build.sh" "$root/build-asan" -DMORAVEL_SANITIZE=ON -DMORAVEL_BENCHMARKS=OFF
(cd "$root/build-asan" && ctest --output-on-failure -j "$jobs")

# Only the fuzz targets (and their seed maker), not the programs.
"$root/scripts/build.sh" "$root/build-fuzz" -DCMAKE_CXX_COMPILER=clang++ -DMORAVEL_FUZZ=ON \
    -DMORAVEL_TESTS=OFF -DMORAVEL_BENCHMARKS=OFF -- fuzzers
(cd "$root/build-fuzz" && ctest --output-on-failure)

# The benchmarks measure; here they only have to run.
"$root/build/bench/moravel_bench" --benchmark_min_time=0.01 >/dev/null
echo "All test stages passed."
