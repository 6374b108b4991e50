#!/usr/bin/env bash
# Compares the outputs of two moravel-process programs bit for bit (cmp):
# the WAV, the spectrum CSV and the spectrogram PNG, over files of many
# rates and formats and over options that reach every stage and its
# extremes. For checking that a change to the engine or the batch loop
# (e.g. its second thread) leaves every output as an older build made it.
#
# Usage: compare-batch-bits.sh NEW_MORAVEL_PROCESS OLD_MORAVEL_PROCESS [-s SECONDS] [-k]
#   -s  length of each test file in seconds (default 20)
#   -k  keep the temporary folder and print its path
#
# Files (ffmpeg's lavfi sources, or python3 when ffmpeg is missing): 16-bit
# mono at 8000, 11025, 16000, 22050, 44100, 48000 and 96000 Hz, 8-bit stereo
# at 22050 Hz and 16-bit stereo at 44100 Hz; each a tone sweep plus noise,
# and the 48000 Hz one also a loud clipping version. Prints one line per
# difference or failed run and a summary; exits 1 if any output differs or
# any run fails.
set -euo pipefail

usage() { sed -n '2,/^set -euo/p' "$0" | sed '$d; s/^# \{0,1\}//'; }
[[ ${1:-} == --help || ${1:-} == -h ]] && { usage; exit 0; }
[[ $# -ge 2 ]] || { usage >&2; exit 2; }
new=$1
old=$2
shift 2
seconds=20
keep=0
while getopts "s:k" opt; do
    case $opt in
        s) seconds=$OPTARG ;;
        k) keep=1 ;;
        *) usage >&2; exit 2 ;;
    esac
done
for program in "$new" "$old"; do
    [[ -x $program ]] || { echo "no program $program" >&2; exit 2; }
done

work=$(mktemp -d)
if ((keep)); then echo "files in $work"; else trap 'rm -rf "$work"' EXIT; fi

# make NAME RATE CHANNELS BITS VOLUME: a sweep from 100 Hz to 5 kHz plus noise.
make() {
    local name=$1 rate=$2 channels=$3 bits=$4 volume=$5 codec=pcm_s16le
    [[ $bits == 8 ]] && codec=pcm_u8
    if command -v ffmpeg >/dev/null; then
        ffmpeg -v error -y -f lavfi -i "sine=frequency=100:sample_rate=$rate:duration=$seconds" \
            -f lavfi -i "anoisesrc=color=pink:amplitude=0.2:sample_rate=$rate:duration=$seconds:seed=3" \
            -filter_complex "[0]vibrato=f=0.2:d=1[s];[s][1]amix=inputs=2:normalize=0,volume=$volume" \
            -ac "$channels" -c:a $codec "$work/$name.wav"
    else
        python3 - "$work/$name.wav" "$rate" "$channels" "$bits" "$volume" "$seconds" <<'EOF'
import math, random, struct, sys, wave
path, rate, channels, bits, volume, seconds = sys.argv[1], int(sys.argv[2]), int(sys.argv[3]), int(sys.argv[4]), float(sys.argv[5]), int(sys.argv[6])
random.seed(3)
frames = bytearray()
phase = 0.0
for i in range(rate * seconds):
    phase += 2 * math.pi * (100 + 4900 * i / (rate * seconds)) / rate
    v = max(-1.0, min(1.0, volume * (0.6 * math.sin(phase) + random.uniform(-0.2, 0.2))))
    for _ in range(channels):
        frames += bytes([int(127.5 + 127 * v)]) if bits == 8 else struct.pack("<h", int(32767 * v))
with wave.open(path, "wb") as w:
    w.setnchannels(channels); w.setsampwidth(bits // 8); w.setframerate(rate); w.writeframes(bytes(frames))
EOF
    fi
}

files=()
for rate in 8000 11025 16000 22050 44100 48000 96000; do
    make "mono$rate" "$rate" 1 16 0.5
    files+=("mono$rate")
done
make stereo8bit22050 22050 2 8 0.5
make stereo44100 44100 2 16 0.5
make loud48000 48000 1 16 8
files+=(stereo8bit22050 stereo44100 loud48000)

# Option sets: every filter type, shifts both ways, extremes of the dynamics
# stages, a preset, the equalizer, every resolution with decay, everything.
sets=(
    ""
    "--filter lowpass:1200"
    "--filter bandpass:1500:300"
    "--filter highpass:800"
    "--filter stopband:1000:2000"
    "--shift 125:3"
    "--shift -60:1"
    "--agc 30000:2"
    "--agc 2000:300"
    "--noise-blanker 1"
    "--noise-blanker 20"
    "--compressor -50:10"
    "--compressor 50:-10"
    "--expander -50:-10"
    "--expander 50:10"
    "--preset HAM_CW"
    "--equalizer -5,5,0,-3,3,-5,5"
    "--resolution low --decay 20"
    "--resolution high --decay 7"
    "--agc 10000:50 --noise-blanker 5 --compressor 0:-5 --expander 0:0 --filter bandpass:1500:2000 --shift 20 --equalizer 1,0,-1,0,1,0,-1"
    "--agc 30000:2 --noise-blanker 20 --compressor -50:10 --expander 50:-10 --filter stopband:900:400 --shift -125:2 --equalizer 5,-5,5,-5,5,-5,5 --resolution high"
)

runs=0
differences=0
failures=0  # runs the new program failed (the old one must fail alike)
# run PROGRAM TAG FILE OPTIONS...: exit status and outputs under $work/TAG.*
run() {
    local program=$1 tag=$2 file=$3
    shift 3
    local status=0
    "$program" "$work/$file.wav" "$work/$tag.wav" --quiet --spectrum-csv "$work/$tag.csv" \
        --spectrogram "$work/$tag.png" "$@" >"$work/$tag.out" 2>&1 || status=$?
    echo "$status" >"$work/$tag.status"
}
for file in "${files[@]}"; do
    for set in "${sets[@]}"; do
        options=()
        if [[ $set == "--preset HAM_CW" ]]; then
            options=(--preset "HAM : CW")
        elif [[ -n $set ]]; then
            read -r -a options <<<"$set"
        fi
        run "$new" new "$file" "${options[@]}"
        run "$old" old "$file" "${options[@]}"
        runs=$((runs + 1))
        if [[ $(cat "$work/new.status") != 0 ]]; then
            echo "failed (status $(cat "$work/new.status")): $file ${set:-(no options)}: $(head -c 300 "$work/new.out")"
            failures=$((failures + 1))
        fi
        for part in status wav csv png; do
            if ! cmp -s "$work/new.$part" "$work/old.$part"; then
                echo "DIFFERENT $part: $file ${set:-(no options)}"
                differences=$((differences + 1))
            fi
        done
        rm -f "$work"/new.* "$work"/old.*
    done
done
echo "$runs runs of each program (${#files[@]} files x ${#sets[@]} option sets), $failures failed," \
    "$differences differences"
((differences == 0 && failures == 0))
