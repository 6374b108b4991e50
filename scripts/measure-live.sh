#!/usr/bin/env bash
# The live path as a listener meets it: drop-outs, pitch and delay of the
# window's processed audio on a private PulseAudio and a private PipeWire
# server, at every audio range, printed as one table.
#
# Each server gets one stereo null sink, "live_mix". Its monitor's left
# channel is the receiver (a remapped source, "live_rx", that the window
# captures from) and the window plays into its right channel (a remapped
# sink, "live_out"). One stereo stimulus goes into live_mix: on the left,
# six 1000 Hz tone bursts and then a steady 1000 Hz tone; on the right, a
# 500 Hz reference burst at the same moment as each left burst. One
# recording of live_mix's monitor then holds, on its right channel, the
# reference bursts (played straight into the output) and the window's
# processed bursts and tone, so:
# - delay: onset of each processed 1000 Hz burst less the onset of its
#   500 Hz reference, median of the six (both went through the same sink);
# - pitch: the steady tone's frequency, from a long windowed FFT, against
#   the 1000 Hz it entered with;
# - dips: 1 ms pieces of the steady tone whose RMS falls below half the
#   median (a drop-out of 1 ms or more shows as at least one);
# - underruns and overruns: the window's own counts (MORAVEL_DEVICE_STATS).
# The remapped source and sink add latency of their own, which a receiver on
# a sound card and speakers do not have: each server's first row, "copy",
# is the same measurement with a plain copy from live_rx to live_out
# (parec into pacat, 5 ms buffers) in the window's place. It has no block to
# wait for, so its delay is the rig's own part of every delay below.
#
# Usage: measure-live.sh [SECONDS] [SERVERS] [RANGES]
#   SECONDS  length of the steady tone per run (default 60; 600 for the goal)
#   SERVERS  "pulse pipewire" (default), or one of them
#   RANGES   "0 1 2 3" (default): the audio ranges 2, 4, 8 and 16 KHz
# Environment: MORAVEL (the program, default build/src/app/window/moravel),
# KEEP (a folder: recordings and logs are kept there), COPY=0 (leave out the
# rig's "copy" rows, e.g. for long runs).
# Needs: pulseaudio pulseaudio-utils pipewire pipewire-pulse wireplumber dbus
# xvfb python3-numpy (scripts/install-deps.sh installs them).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-60}
servers=${2:-pulse pipewire}
ranges=${3:-0 1 2 3}
moravel=${MORAVEL:-$root/build/src/app/window/moravel}
[[ -x $moravel ]] || { echo "measure-live.sh: build the program first ($moravel)" >&2; exit 2; }
/usr/bin/python3 -c 'import numpy' 2>/dev/null || { echo "measure-live.sh: needs python3-numpy" >&2; exit 2; }

work=$(mktemp -d)
pids=()
stop_pids() {
    local pid
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    for pid in "${pids[@]}"; do wait "$pid" 2>/dev/null || true; done
    pids=()
}
cleanup() {
    stop_pids
    [[ -n ${display_pid:-} ]] && kill "$display_pid" 2>/dev/null
    if [[ -n ${KEEP:-} ]]; then mkdir -p "$KEEP" && cp -r "$work"/. "$KEEP"/; fi
    rm -rf "$work"
}
trap cleanup EXIT

# ---- The display ------------------------------------------------------------------
exec 3>"$work/display"
Xvfb -displayfd 3 -screen 0 1280x900x24 -nolisten tcp -noreset >/dev/null 2>&1 &
display_pid=$!
exec 3>&-
for _ in $(seq 100); do [[ -s $work/display ]] && break; sleep 0.1; done
export DISPLAY=":$(cat "$work/display")"

# ---- The stimulus -------------------------------------------------------------------
burst_gap=1.5
/usr/bin/python3 - "$work/stimulus.wav" "$seconds" "$burst_gap" <<'EOF'
import sys, wave
import numpy as np
path, seconds, gap = sys.argv[1], float(sys.argv[2]), float(sys.argv[3])
rate, level = 48000, 0.25
def tone(freq, length):
    t = np.arange(int(rate * length)) / rate
    ramp = np.minimum(1.0, np.minimum(t, length - t) / 0.002)  # 2 ms edges
    return level * ramp * np.sin(2 * np.pi * freq * t)
total = 1.0 + 6 * gap + seconds + 1.0
left, right = np.zeros(int(rate * total)), np.zeros(int(rate * total))
for k in range(6):
    start = int(rate * (1.0 + k * gap))
    burst = tone(1000, 0.3)
    left[start:start + len(burst)] += burst
    right[start:start + len(burst)] += tone(500, 0.3)
steady = tone(1000, seconds)
start = int(rate * (1.0 + 6 * gap))
left[start:start + len(steady)] += steady
frames = (np.stack([left, right], axis=1) * 32767).astype('<i2')
with wave.open(path, 'wb') as w:
    w.setnchannels(2); w.setsampwidth(2); w.setframerate(rate); w.writeframes(frames.tobytes())
EOF

# ---- The servers --------------------------------------------------------------------
server_dir=
start_pulse() {
    server_dir=$(mktemp -d -p "$work" pulse.XXXX)
    mkdir -p "$server_dir/runtime" "$server_dir/home"
    export PULSE_SERVER="unix:$server_dir/native"
    printf 'autospawn = no\n' >"$server_dir/client.conf"
    export PULSE_CLIENTCONFIG="$server_dir/client.conf"
    HOME="$server_dir/home" XDG_RUNTIME_DIR="$server_dir/runtime" pulseaudio -n --daemonize=no \
        --exit-idle-time=-1 --use-pid-file=no --system=no --log-target="file:$server_dir/server.log" \
        --load="module-native-protocol-unix auth-anonymous=1 socket=$server_dir/native" >/dev/null 2>&1 &
    pids+=($!)
}

start_pipewire() {
    server_dir=$(mktemp -d -p "$work" pipewire.XXXX)
    mkdir -p "$server_dir/runtime" "$server_dir/home" "$server_dir/config" "$server_dir/state"
    chmod 700 "$server_dir/runtime"
    export PULSE_SERVER="unix:$server_dir/runtime/pulse/native"
    printf 'autospawn = no\n' >"$server_dir/client.conf"
    export PULSE_CLIENTCONFIG="$server_dir/client.conf"
    local env=(env -i PATH=/usr/bin:/bin LANG=C HOME="$server_dir/home" XDG_RUNTIME_DIR="$server_dir/runtime"
        XDG_CONFIG_HOME="$server_dir/config" XDG_STATE_HOME="$server_dir/state"
        DBUS_SESSION_BUS_ADDRESS="unix:path=$server_dir/bus")
    "${env[@]}" dbus-daemon --session --nofork --nopidfile --address="unix:path=$server_dir/bus" \
        >"$server_dir/dbus.log" 2>&1 &
    pids+=($!)
    for _ in $(seq 100); do [[ -S $server_dir/bus ]] && break; sleep 0.05; done
    "${env[@]}" pipewire >"$server_dir/pipewire.log" 2>&1 &
    pids+=($!)
    for _ in $(seq 100); do [[ -S $server_dir/runtime/pipewire-0 ]] && break; sleep 0.05; done
    "${env[@]}" wireplumber >"$server_dir/wireplumber.log" 2>&1 &
    pids+=($!)
    "${env[@]}" pipewire-pulse >"$server_dir/pipewire-pulse.log" 2>&1 &
    pids+=($!)
}

# The sink, the receiver source and the output sink, set as the defaults
# until the server reports them (pipewire-pulse answers before WirePlumber
# has taken them into its metadata).
make_devices() {
    for _ in $(seq 100); do pactl info >/dev/null 2>&1 && break; sleep 0.1; done
    pactl load-module module-null-sink sink_name=live_mix channels=2 channel_map=front-left,front-right >/dev/null
    pactl load-module module-remap-source source_name=live_rx master=live_mix.monitor channels=1 \
        master_channel_map=front-left channel_map=mono remix=no >/dev/null
    pactl load-module module-remap-sink sink_name=live_out master=live_mix channels=1 \
        master_channel_map=front-right channel_map=mono remix=no >/dev/null
    for _ in $(seq 100); do
        pactl set-default-sink live_out && pactl set-default-source live_rx
        pactl info | grep -q 'Default Sink: live_out' && pactl info | grep -q 'Default Source: live_rx' && break
        sleep 0.1
    done
}

# ---- One run ------------------------------------------------------------------------
# start_window NAME RANGE: the window at RANGE in the background ($window).
start_window() {
    local name=$1 range=$2 settings="$work/$1.ini"
    printf '[MIXER]\nMicrophone_Out=-1\nLine_Out=-1\nWave_Out=0\nMicrophone_In=0\nLine_In=-1\nWave_In=-1\n' >"$settings"
    printf '[SETTINGS]\nAudioRange=%d\n' "$range" >>"$settings"
    MORAVEL_DEVICE_STATS="$work/$name.stats" "$moravel" --audio alsa --settings "$settings" \
        >"$work/$name.log" 2>&1 &
    window=$!
}

# start_copy NAME: the plain copy from live_rx to live_out in the background.
start_copy() {
    bash -c 'parec --device=live_rx --latency-msec=5 --rate=48000 --channels=1 --format=s16le --raw |
        pacat --playback --device=live_out --latency-msec=5 --rate=48000 --channels=1 --format=s16le --raw' \
        >"$work/$1.log" 2>&1 &
    window=$!
}

# run SERVER RANGE: the window at RANGE (or the copy, for RANGE "copy"), the
# stimulus in, the mix recorded.
run() {
    local server=$1 range=$2 name="$1-$2" window
    if [[ $range == copy ]]; then start_copy "$name"; else start_window "$name" "$range"; fi
    sleep 5
    parecord --device=live_mix.monitor --channels=2 --rate=48000 --format=s16le --latency-msec=50 \
        --file-format=wav "$work/$name.wav" &
    local recorder=$!
    sleep 1
    pacat --playback --device=live_mix --latency-msec=50 --file-format=wav "$work/stimulus.wav"
    sleep 1
    kill -INT "$recorder"
    wait "$recorder" 2>/dev/null || true
    pkill -TERM -P "$window" 2>/dev/null || true
    kill -TERM "$window" 2>/dev/null || true
    wait "$window" 2>/dev/null || true
    /usr/bin/python3 - "$work/$name.wav" "$range" "$server" "$work/$name.stats" "$burst_gap" <<'EOF' >>"$work/table"
import os, sys, wave
import numpy as np
path, rng, server, stats, gap = sys.argv[1], sys.argv[2], sys.argv[3], sys.argv[4], float(sys.argv[5])
rng = int(rng) if rng.isdigit() else rng
ranges = {0: ("2 KHz", 4000, 1024), 1: ("4 KHz", 8500, 2048), 2: ("8 KHz", 16000, 4096), 3: ("16 KHz", 31000, 8192)}
label, out_rate, buf = ranges[rng] if rng in ranges else ("copy", 48050, 0)
block_ms = 1000.0 * (buf // 2) / (out_rate - 50)
with wave.open(path) as w:
    rate = w.getframerate()
    x = np.frombuffer(w.readframes(w.getnframes()), '<i2').reshape(-1, 2).astype(float) / 32768
left, right = x[:, 0], x[:, 1]

def envelope(signal, freq, window=0.005, hop=0.001):
    # Narrow-band magnitude at `freq` every `hop` seconds.
    n, h = int(rate * window), int(rate * hop)
    t = np.arange(n) / rate
    probe = np.exp(-2j * np.pi * freq * t) * np.hanning(n)
    count = (len(signal) - n) // h
    frames = np.lib.stride_tricks.as_strided(signal, (count, n), (signal.strides[0] * h, signal.strides[0]))
    return np.abs(frames @ probe)

def onsets(env, threshold, hold=50):
    above = env > threshold
    found, k = [], 0
    while k < len(above):
        if above[k]:
            found.append(k)
            k += int(gap * 1000 * 0.8)
        else:
            k += 1
    return found

# The stimulus' first burst on the left marks where the bursts are.
env_in = envelope(left, 1000)
start = onsets(env_in, env_in.max() / 2)[0]
span = slice(max(start - 100, 0), start + int(6 * gap * 1000) + 100)
ref_env, out_env = envelope(right, 500), envelope(right, 1000)
refs = [start - 100 + k for k in onsets(ref_env[span], ref_env[span].max() / 2)][:6]
delays = []
for r in refs:
    later = out_env[r:r + int(gap * 1000)]
    hit = np.nonzero(later > out_env[span].max() / 2)[0]
    if len(hit): delays.append(float(hit[0]))
delay = float(np.median(delays)) if delays else float('nan')

# The steady tone, less a second at each end.
tone_start = int(rate * (1.0 + 6 * gap)) + (start * rate // 1000 - int(rate * 1.0))
steady_in = left[tone_start:]
active = np.nonzero(np.abs(steady_in) > 0.05)[0]
seg_start = tone_start + active[0] + rate * 3 if len(active) else tone_start
seg_end = tone_start + active[-1] - rate * 1 if len(active) else tone_start
seg = right[seg_start:seg_end]
n = len(seg)
# Zero-padded eightfold for short runs; a run of minutes needs no padding
# (its bins are already a few mHz apart) and would not fit in memory with it.
pad = 8 if n < 2 ** 21 else 1
spectrum = np.abs(np.fft.rfft(seg * np.hanning(n), pad * n))
k = int(np.argmax(spectrum))
a, b, c = np.log(spectrum[k - 1:k + 2])
freq = (k + 0.5 * (a - c) / (a - 2 * b + c)) * rate / (pad * n)
piece = rate // 1000
rms = np.sqrt((seg[: n // piece * piece].reshape(-1, piece) ** 2).mean(axis=1))
low = rms < 0.5 * np.median(rms)
runs, longest, run = 0, 0, 0
for v in low:
    run = run + 1 if v else 0
    if run == 1: runs += 1
    longest = max(longest, run)
counts = open(stats).read().strip() if os.path.exists(stats) else "n/a"
goal = 2 * block_ms + 50
print(f"{server:8s} {label:7s} {block_ms:6.1f} {delay:8.1f} {goal:6.1f} {'yes' if delay <= goal else 'NO':4s} "
      f"{freq:10.3f} {100 * (freq - 1000) / 1000:+8.4f} {runs:5d} {longest:5d} {n / rate:6.0f}  {counts}")
EOF
}

printf '%-8s %-7s %6s %8s %6s %4s %10s %8s %5s %5s %6s  %s\n' server range block delay goal ok \
    "tone Hz" "error %" dips "ms" "s" "window's device counts" >"$work/table"
for server in $servers; do
    "start_$server"
    make_devices
    rows=$ranges
    [[ ${COPY:-1} == 0 ]] || rows="copy $rows"
    for range in $rows; do run "$server" "$range"; done
    stop_pids
    unset PULSE_SERVER PULSE_CLIENTCONFIG
done
echo "delay and block in ms (goal: two blocks + 50 ms); dips: 1 ms pieces below half the tone's RMS"
cat "$work/table"
