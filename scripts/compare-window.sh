#!/usr/bin/env bash
# The window's CPU share and memory against fldigi's (Debian's amateur-radio
# modem with its live waterfall) on the same signal, side by side in one run.
#
# A private PulseAudio server (its own runtime folder, a null sink whose
# monitor is the default source) is fed a looping mix of a 1 kHz tone, a
# 300-3300 Hz sweep and white noise. Under a private Xvfb each program runs
# alone in turn, interleaved round by round: Moravel at the 16 KHz range with
# both displays on, Moravel with both displays off, fldigi; each window is
# 1200 x 820. After a warm-up the CPU time is read from /proc/PID/stat over
# the measuring interval, and the resident memory at its end. The medians of
# the rounds and the ratios Moravel / fldigi are printed last.
#
# Usage: compare-window.sh [ROUNDS] [SECONDS]      (defaults: 3 rounds, 20 s)
# Environment: WARMUP (seconds before measuring, default 6), MORAVEL (the
# program, default build/src/app/window/moravel), PERF_OUT (a folder: each
# Moravel run is recorded there with `perf record --call-graph dwarf` over its measuring
# interval, moravel-on.data and moravel-off.data; its figures then include
# perf's own overhead), BASELINE (another build of the program, measured
# the same way in every round as baseline-on and baseline-off: before and
# after a change in one run).
# Needs: fldigi, pulseaudio, pulseaudio-utils, xvfb, xdotool, python3
# (apt-get install -y fldigi pulseaudio pulseaudio-utils xvfb xdotool).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
rounds=${1:-3}
seconds=${2:-20}
warmup=${WARMUP:-6}
moravel=${MORAVEL:-$root/build/src/app/window/moravel}
width=1200
height=820

need() {
    command -v "$1" >/dev/null && return
    echo "compare-window.sh: '$1' is missing; install it with: apt-get install -y $2" >&2
    exit 2
}
need fldigi fldigi
need pulseaudio pulseaudio
need pactl pulseaudio-utils
need paplay pulseaudio-utils
need Xvfb xvfb
need xdotool xdotool
need xwininfo x11-utils
need python3 python3
[[ -x $moravel ]] || { echo "compare-window.sh: build the program first ($moravel)" >&2; exit 2; }

work=$(mktemp -d)
helpers=()
cleanup() {
    for pid in "${helpers[@]}"; do
        for child in $(ps -o pid= --ppid "$pid" 2>/dev/null); do kill "$child" 2>/dev/null || true; done
        kill "$pid" 2>/dev/null || true
    done
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

# ---- The signal: 30 s of tone + sweep + noise, 48 kHz mono ------------------
python3 - "$work/signal.wav" <<'EOF'
import math, random, struct, sys, wave
rate, seconds = 48000, 30
random.seed(1)
frames = bytearray()
phase = 0.0
for n in range(rate * seconds):
    t = n / rate
    sweep = 300 + 3000 * ((t % 10) / 10)
    phase += 2 * math.pi * sweep / rate
    v = 0.2 * math.sin(2 * math.pi * 1000 * t) + 0.2 * math.sin(phase) + 0.05 * random.uniform(-1, 1)
    frames += struct.pack('<h', int(v * 32767))
with wave.open(sys.argv[1], 'wb') as w:
    w.setnchannels(1)
    w.setsampwidth(2)
    w.setframerate(rate)
    w.writeframes(bytes(frames))
EOF

# ---- The private sound server -------------------------------------------------
mkdir -p "$work/pulse/runtime" "$work/pulse/home"
export PULSE_SERVER="unix:$work/pulse/native"
export PULSE_RUNTIME_PATH="$work/pulse/runtime"
printf 'autospawn = no\n' > "$work/pulse/client.conf"
export PULSE_CLIENTCONFIG="$work/pulse/client.conf"
HOME="$work/pulse/home" XDG_RUNTIME_DIR="$work/pulse/runtime" pulseaudio -n --daemonize=no --exit-idle-time=-1 \
    --use-pid-file=no --system=no --log-target="file:$work/pulse/log" \
    --load="module-native-protocol-unix auth-anonymous=1 socket=$work/pulse/native" \
    --load="module-null-sink sink_name=compare_null" >/dev/null 2>&1 &
helpers+=($!)
for _ in $(seq 100); do pactl info >/dev/null 2>&1 && break; sleep 0.1; done
pactl set-default-sink compare_null
pactl set-default-source compare_null.monitor
(while :; do paplay --device=compare_null "$work/signal.wav" 2>/dev/null; done) &
helpers+=($!)

# ---- The private display --------------------------------------------------------
# -noreset: the programs run one at a time, and without it the server resets
# whenever the last one leaves; a program that connects during the reset
# cannot open the display and aborts, which loses its round.
exec 3>"$work/display"
Xvfb -displayfd 3 -screen 0 1280x900x24 -nolisten tcp -noreset >/dev/null 2>&1 &
helpers+=($!)
exec 3>&-
for _ in $(seq 100); do [[ -s $work/display ]] && break; sleep 0.1; done
export DISPLAY=":$(cat "$work/display")"

# ---- fldigi's configuration: PulseAudio, a call sign (no first-run wizard) -------
mkdir -p "$work/fldigi/config" "$work/fldigi/home"
cat > "$work/fldigi/config/fldigi_def.xml" <<'EOF'
<FLDIGI_DEFS>
<MYCALL>N0CALL</MYCALL>
<AUDIOIO>2</AUDIOIO>
<PULSESERVER></PULSESERVER>
</FLDIGI_DEFS>
EOF

# ---- One measurement ------------------------------------------------------------
tick=$(getconf CLK_TCK)

ticks_of() { awk '{print $14 + $15}' "/proc/$1/stat"; }

# Sizes the program's top-level window to width x height at 0,0.
size_window() {
    local pid=$1 class=$2 id
    for _ in $(seq 50); do
        id=$(xdotool search --onlyvisible --pid "$pid" --class "$class" 2>/dev/null | tail -1) || true
        [[ -n $id ]] && break
        sleep 0.1
    done
    [[ -n $id ]] || { echo "compare-window.sh: no window of $class" >&2; return; }
    xdotool windowmove "$id" 0 0 windowsize "$id" $width $height
    geometry[$class]=$(xwininfo -id "$id" | awk '/Width:/{w=$2} /Height:/{h=$2} END{print w "x" h}')
}

declare -A geometry
# measure NAME -- COMMAND...: appends "cpu% rssKiB" to $work/NAME.
measure() {
    local name=$1 class=$2
    shift 2
    "$@" >"$work/$name.log" 2>&1 &
    local pid=$!
    size_window "$pid" "$class"
    sleep "$warmup"
    if ! pactl list short source-outputs | grep -q .; then
        echo "compare-window.sh: $name is not capturing from the sound server" >&2
    fi
    local t0 t1
    t0=$(ticks_of "$pid")
    if [[ -n ${PERF_OUT:-} && $name == moravel* ]]; then
        perf record --call-graph dwarf,16384 -o "$PERF_OUT/$name.data" -p "$pid" -- sleep "$seconds" 2>/dev/null
    else
        sleep "$seconds"
    fi
    t1=$(ticks_of "$pid")
    local rss
    rss=$(awk '/VmRSS/{print $2}' "/proc/$pid/status")
    kill -TERM "$pid"
    wait "$pid" 2>/dev/null || true
    local cpu
    cpu=$(awk -v d=$((t1 - t0)) -v s="$seconds" -v k="$tick" 'BEGIN{printf "%.2f", 100 * d / k / s}')
    echo "$cpu $rss" >>"$work/result-$name"
    printf '  %-14s cpu %6s %%  rss %6d KiB\n' "$name" "$cpu" "$rss"
}

run_moravel() {
    local displays=$1 settings="$work/$2.ini" program=${3:-$moravel}
    printf '[MIXER]\nMicrophone_Out=-1\nLine_Out=-1\nWave_Out=0\nMicrophone_In=0\nLine_In=-1\nWave_In=-1\n' >"$settings"
    printf '[SETTINGS]\nAudioRange=3\nWindowWidth=%d\nWindowHeight=%d\nSpectrogram=%d\nSpectrumOn=%d\n' \
        $width $height "$displays" "$displays" >>"$settings"
    measure "$2" moravel "$program" --settings "$settings"
}

run_fldigi() {
    measure fldigi fldigi fldigi --config-dir "$work/fldigi/config" --home-dir "$work/fldigi/home"
}

echo "load average before: $(cut -d' ' -f1-3 /proc/loadavg)"
for round in $(seq "$rounds"); do
    echo "round $round"
    run_moravel 1 moravel-on
    run_fldigi
    run_moravel 0 moravel-off
    if [[ -n ${BASELINE:-} ]]; then
        run_moravel 1 baseline-on "$BASELINE"
        run_moravel 0 baseline-off "$BASELINE"
    fi
done
echo "load average after:  $(cut -d' ' -f1-3 /proc/loadavg)"
echo "windows: moravel ${geometry[moravel]:-?}, fldigi ${geometry[fldigi]:-?}"

# ---- Medians and ratios ---------------------------------------------------------------
declare -A cpu rss
median() { sort -n | awk '{v[NR]=$1} END{if (NR % 2) print v[(NR+1)/2]; else printf "%.2f\n", (v[NR/2]+v[NR/2+1])/2}'; }
names=(moravel-on moravel-off fldigi)
[[ -n ${BASELINE:-} ]] && names+=(baseline-on baseline-off)
for name in "${names[@]}"; do
    cpu[$name]=$(cut -d' ' -f1 "$work/result-$name" | median)
    rss[$name]=$(cut -d' ' -f2 "$work/result-$name" | median)
done
echo "medians over $rounds rounds of ${seconds} s (warm-up ${warmup} s):"
for name in "${names[@]}"; do
    printf '  %-14s cpu %6s %%  rss %6.1f MiB\n' "$name" "${cpu[$name]}" "$(awk -v k="${rss[$name]}" 'BEGIN{print k/1024}')"
done
for name in "${names[@]}"; do
    [[ $name == fldigi ]] && continue
    printf '  ratio %-14s cpu %s  rss %s\n' "$name/fldigi" \
        "$(awk -v a="${cpu[$name]}" -v b="${cpu[fldigi]}" 'BEGIN{printf "%.2f", (b > 0 ? a/b : 0)}')" \
        "$(awk -v a="${rss[$name]}" -v b="${rss[fldigi]}" 'BEGIN{printf "%.2f", (b > 0 ? a/b : 0)}')"
done
