#!/usr/bin/env bash
# Speed of the batch processor, moravel-process, with every stage on, side by
# side with ffmpeg's FFT-domain filter (afftfilt) on the same file when
# ffmpeg is installed: runs interleaved (A B A B ...) so both see the same
# machine load, medians of N runs each, x real time, the ratio and peak RSS.
#
# Usage: measure-batch.sh [-b BUILD_DIR] [-n RUNS] [-s SECONDS] [-r RATE]
#                         [-B OTHER_MORAVEL_PROCESS] [-k]
#   -b  build folder holding src/cli/moravel-process (default: build)
#   -n  runs of each program (default 5)
#   -s  length of the test file in seconds (default 600)
#   -r  its sample rate in Hz (default 48000)
#   -B  a second moravel-process (e.g. an older build) measured in the same
#       interleaved rounds, and its output compared with cmp
#   -k  keep the temporary folder (test file and outputs) and print its path
#
# The test file is 16-bit mono: a 1 kHz tone plus white noise (ffmpeg's
# lavfi sources, or python3 when ffmpeg is missing). "x real time" is the
# file's length over the median wall time; on a shared machine the CPU-time
# figure (user + system) is the steadier one, so both are printed, with the
# load average before and after the runs. moravel-process reads and analyses
# on a second thread, so its wall time needs the second core free.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
usage() { sed -n '2,/^set -euo/p' "$0" | sed '$d; s/^# \{0,1\}//'; }
[[ ${1:-} == --help ]] && { usage; exit 0; }
build="$root/build"
runs=5
seconds=600
rate=48000
other=""
keep=0
while getopts "b:n:s:r:B:kh" opt; do
    case $opt in
        b) build=$(cd "$OPTARG" && pwd) ;;
        n) runs=$OPTARG ;;
        s) seconds=$OPTARG ;;
        r) rate=$OPTARG ;;
        B) other=$OPTARG ;;
        k) keep=1 ;;
        h) usage; exit 0 ;;
        *) usage >&2; exit 2 ;;
    esac
done

moravel="$build/src/cli/moravel-process"
[[ -x $moravel ]] || { echo "no $moravel: build the moravel-process target first" >&2; exit 1; }
[[ -z $other || -x $other ]] || { echo "no program $other" >&2; exit 1; }
[[ -x /usr/bin/time ]] || { echo "needs /usr/bin/time (Debian package 'time')" >&2; exit 1; }
have_ffmpeg=0
command -v ffmpeg >/dev/null && have_ffmpeg=1

work=$(mktemp -d)
if ((keep)); then echo "files in $work"; else trap 'rm -rf "$work"' EXIT; fi
input="$work/in.wav"

if ((have_ffmpeg)); then
    ffmpeg -v error -y -f lavfi -i "sine=frequency=1000:sample_rate=$rate:duration=$seconds" \
        -f lavfi -i "anoisesrc=color=white:amplitude=0.1:sample_rate=$rate:duration=$seconds:seed=7" \
        -filter_complex "[0][1]amix=inputs=2:normalize=0,volume=0.5" -ac 1 -c:a pcm_s16le "$input"
else
    python3 - "$input" "$rate" "$seconds" <<'EOF'
import array, math, random, sys, wave
path, rate, seconds = sys.argv[1], int(sys.argv[2]), int(sys.argv[3])
random.seed(7)
with wave.open(path, "wb") as w:
    w.setnchannels(1); w.setsampwidth(2); w.setframerate(rate)
    step = 2 * math.pi * 1000 / rate
    for start in range(0, rate * seconds, rate):
        block = array.array("h", (int(3000 * math.sin(step * i) + random.uniform(-1600, 1600))
                                  for i in range(start, start + rate)))
        w.writeframes(block.tobytes())
EOF
fi

# Every stage of the chain on, at ordinary positions.
stages=(--agc 10000:50 --noise-blanker 5 --compressor 0:-5 --expander 0:0
        --filter bandpass:1500:2000 --shift 20 --equalizer 1,0,-1,0,1,0,-1)
# A band pass in the frequency domain: forward transform, bins kept or
# cleared, inverse transform (4096-point windows, 75 % overlap).
afftfilt="afftfilt=real='re*between(b\,32\,200)':imag='im*between(b\,32\,200)'"

# Appends "wall user+system peak_kB" of one run of the command to file $1.
timed() {
    local log=$1
    shift
    /usr/bin/time -f "%e %U %S %M" -o "$work/time" "$@" >/dev/null 2>&1 || { echo "failed: $*" >&2; exit 1; }
    awk '{printf "%s %.2f %s\n", $1, $2 + $3, $4}' "$work/time" >>"$log"
}

load_before=$(cut -d' ' -f1-3 /proc/loadavg)
: >"$work/moravel.t"
: >"$work/other.t"
: >"$work/ffmpeg.t"
for ((i = 0; i < runs; ++i)); do
    timed "$work/moravel.t" "$moravel" "$input" "$work/out-moravel.wav" "${stages[@]}" --quiet
    [[ -n $other ]] && timed "$work/other.t" "$other" "$input" "$work/out-other.wav" "${stages[@]}" --quiet
    ((have_ffmpeg)) && timed "$work/ffmpeg.t" ffmpeg -v error -y -i "$input" -af "$afftfilt" -c:a pcm_s16le \
        "$work/out-ffmpeg.wav"
done

# Median of column $2 of file $1.
median() { awk -v c="$2" '{print $c}' "$1" | sort -g | awk '{v[NR] = $1} END {print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2}'; }
peak() { awk '$3 > m {m = $3} END {print m}' "$1"; }
report() {
    local name=$1 log=$2 wall cpu
    wall=$(median "$log" 1)
    cpu=$(median "$log" 2)
    awk -v n="$name" -v w="$wall" -v c="$cpu" -v s="$seconds" -v p="$(peak "$log")" 'BEGIN {
        printf "%-22s wall %7.2f s  %6.1fx real time   cpu %7.2f s  %6.1fx real time   peak RSS %6.1f MiB\n",
               n, w, s / w, c, s / c, p / 1024 }'
}

echo "file: $seconds s, $rate Hz, 16-bit mono; $runs runs each, interleaved; medians"
echo "machine: $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //'), $(nproc) cores," \
    "load $load_before before the runs, $(cut -d' ' -f1-3 /proc/loadavg) after"
report "moravel-process" "$work/moravel.t"
[[ -n $other ]] && report "other moravel-process" "$work/other.t"
((have_ffmpeg)) && report "ffmpeg afftfilt" "$work/ffmpeg.t"
ratio() {
    awk -v a="$(median "$1" "$3")" -v b="$(median "$2" "$3")" -v what="$4" 'BEGIN {
        printf "%s: %.2fx by wall time, ", what, b / a }'
    awk -v a="$(median "$1" 2)" -v b="$(median "$2" 2)" 'BEGIN { printf "%.2fx by CPU time\n", b / a }'
}
((have_ffmpeg)) && ratio "$work/moravel.t" "$work/ffmpeg.t" 1 "moravel-process speed / afftfilt speed"
if [[ -n $other ]]; then
    ratio "$work/moravel.t" "$work/other.t" 1 "moravel-process speed / other build's speed"
    if cmp -s "$work/out-moravel.wav" "$work/out-other.wav"; then
        echo "outputs identical (cmp)"
    else
        echo "OUTPUTS DIFFER (cmp)"
    fi
fi
