#!/usr/bin/env bash
# Quality of the cleanup stages (impulse blanker, noise reduction, automatic
# notch) against the peers: speech cases made with espeak-ng (hiss at -5..+10
# dB SNR, static crashes, two whistles, clean), run through moravel-process
# (every stage off, --clean-speech, each stage alone, the noise blanker) and
# the peers that are installed (speexdsp's preprocessor through
# bench/speex_denoise, ffmpeg afftdn, sox noisered); prints the mean STOI
# gain per kind, how far the whistles fell relative to the rest of the band,
# the SI-SDR gain on hiss and the STOI of clean speech.
#
# Usage: measure-quality.sh [-b BUILD_DIR] [-k FOLDER] [-- OPTIONS...]
#   -b  build folder (default: build); moravel-process and speex_denoise
#       (when the benchmarks are configured) are built there first (two
#       jobs, under the shared build lock /tmp/moravel-build.lock)
#   -k  keep the cases, the outputs and the spectrograms of --clean-speech
#       for the first sentence in FOLDER
#   OPTIONS go to scripts/measure-quality.py (--utterances N, --seed N,
#   --only TEXT, --details)
#
# Needs python3 with numpy and scipy, and espeak-ng (Debian: python3-numpy
# python3-scipy espeak-ng). Not part of the test suite.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
usage() { sed -n '2,/^set -euo/p' "$0" | sed '$d; s/^# \{0,1\}//'; }
[[ ${1:-} == --help ]] && { usage; exit 0; }
build="$root/build"
keep=()
while getopts "b:k:" opt; do
    case $opt in
        b) build=$OPTARG ;;
        k) keep=(--keep "$OPTARG") ;;
        *) usage >&2; exit 2 ;;
    esac
done
shift $((OPTIND - 1))
[[ ${1:-} == -- ]] && shift

command -v espeak-ng >/dev/null || { echo "measure-quality.sh: espeak-ng is needed" >&2; exit 1; }
targets=(moravel-process)
# The speexdsp driver is built with the benchmarks (MORAVEL_BENCHMARKS).
ninja -C "$build" -t targets all | grep -q '^speex_denoise:' && targets+=(speex_denoise)
flock /tmp/moravel-build.lock ninja -C "$build" -j2 "${targets[@]}" >/dev/null
exec /usr/bin/python3 "$root/scripts/measure-quality.py" --process "$build/src/cli/moravel-process" \
    --speex "$build/bench/speex_denoise" "${keep[@]}" "$@"
