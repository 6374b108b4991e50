#!/usr/bin/env bash
# Quick start: installs what is missing, builds, and runs the batch processor
# on a receiver-like recording it generates (noise, hum, a keyed CW tone).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh" "$root/build" -DCMAKE_BUILD_TYPE=Release

demo="$root/build/demo"
mkdir -p "$demo"
# 20 s at 8000 Hz: white noise, 50 Hz hum and an 800 Hz tone keyed on and off.
sox -n -r 8000 -b 16 -c 1 "$demo/noise.wav" synth 20 whitenoise vol 0.05
sox -n -r 8000 -b 16 -c 1 "$demo/hum.wav" synth 20 sine 50 vol 0.2
sox -n -r 8000 -b 16 -c 1 "$demo/cw.wav" synth 20 sine 800 vol 0.3 tremolo 3 100
sox -m -v 1 "$demo/noise.wav" -v 1 "$demo/hum.wav" -v 1 "$demo/cw.wav" "$demo/receiver.wav"
"$root/build/src/cli/moravel-process" "$demo/receiver.wav" "$demo/receiver-cw.wav" \
    --preset "HAM : CW" --spectrum-csv "$demo/receiver-cw.csv" "$@"
echo "Processed audio: $demo/receiver-cw.wav (play it with: play $demo/receiver-cw.wav)"
echo "Spectrum per block: $demo/receiver-cw.csv"
