#!/usr/bin/env bash
# An unattended run as a cron job or a user service would start it:
#   scripts/measure-unattended.sh SECONDS [BUILD_DIR]      (default: build)
# Generates a 60-second recording at 4000 Hz with five transmissions (a
# 1000 Hz tone at -13 dBFS, 0.6 to 8 seconds long) in band noise at about
# -55 dBFS, starts
#   moravel --audio virtual:FILE.wav --settings INI --record-on-signal DIR --minimize
# on a virtual X server (the virtual soundcard loops the file in real time),
# stops it with SIGTERM after SECONDS and checks what it left:
#   - the exit status is 0;
#   - every WAV file in DIR is complete: its RIFF and data sizes match the
#     file's length, and sox reads it;
#   - transmissions.csv has its header and one complete row per file, and
#     names every file in DIR;
#   - every duration in the log is a transmission's length plus the hang
#     time (2 s), give or take the attack time (0.2 s), except the last one,
#     which SIGTERM may have cut.
# Prints the figures: files, expected files, durations' worst deviation,
# the program's peak memory and CPU time. Needs xvfb and sox
# (scripts/install-deps.sh installs both).
set -euo pipefail
seconds=${1:?usage: $0 SECONDS [BUILD_DIR]}
root=$(cd "$(dirname "$0")/.." && pwd)
build=${2:-$root/build}
program="$build/src/app/window/moravel"
[ -x "$program" ] || { echo "no program at $program: build it first (scripts/build.sh)" >&2; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Transmissions of the generated recording: start and length in seconds.
bursts="3:2 12:5 24:0.6 32:8 48:3"
/usr/bin/python3 - "$work/five.wav" "$bursts" <<'PY'
import math, struct, sys, wave
rate, length = 4000, 60
bursts = [tuple(map(float, b.split(':'))) for b in sys.argv[2].split()]
seed, frames = 12345, bytearray()
for n in range(rate * length):
    seed = (seed * 1664525 + 1013904223) % 2**32
    value = ((seed >> 16) - 32768) / 32768 * 100
    t = n / rate
    if any(s <= t < s + l for s, l in bursts):
        value += 10000 * math.sin(2 * math.pi * 1000 * t)
    frames += struct.pack('<h', round(value))
with wave.open(sys.argv[1], 'wb') as out:
    out.setnchannels(1); out.setsampwidth(2); out.setframerate(rate); out.writeframes(bytes(frames))
PY

# The 2 KHz range (4000 Hz, the file's rate), every stage off.
printf '[MIXER]\nMicrophone_Out=0\nLine_Out=1\nWave_Out=2\nMicrophone_In=0\nLine_In=1\nWave_In=2\n[SETTINGS]\nAGC_enabled=0\nAudioRange=0\n' \
    >"$work/moravel.ini"
mkdir "$work/rx"
status=0
xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
    "$1" --audio "virtual:$2/five.wav" --settings "$2/moravel.ini" --record-on-signal "$2/rx" --minimize \
        2>"$2/moravel.log" &
    pid=$!
    sleep "$3"
    grep -h "VmHWM" /proc/$pid/status >"$2/memory" || true
    awk "{print \$14 + \$15}" /proc/$pid/stat >"$2/ticks" || true
    kill -TERM "$pid"
    wait "$pid"' unattended "$program" "$work" "$seconds" || status=$?

/usr/bin/python3 - "$work/rx" "$bursts" "$seconds" "$status" "$work/memory" "$work/ticks" <<'PY'
import csv, os, struct, subprocess, sys
folder, bursts, seconds, status = sys.argv[1], sys.argv[2], float(sys.argv[3]), int(sys.argv[4])
lengths = [float(b.split(':')[1]) for b in bursts.split()]
hang, attack = 2.0, 0.2
faults = []
if status != 0:
    faults.append(f'moravel exited with status {status}')
wavs = sorted(f for f in os.listdir(folder) if f.endswith('.wav'))
for name in wavs:
    path = os.path.join(folder, name)
    data = open(path, 'rb').read()
    size = len(data)
    riff = struct.unpack_from('<I', data, 4)[0]
    at = data.find(b'data')
    chunk = struct.unpack_from('<I', data, at + 4)[0] if at >= 0 else -1
    if riff != size - 8 or chunk != size - at - 8:
        faults.append(f'{name}: header says RIFF {riff}, data {chunk}; the file has {size} bytes')
    if subprocess.run(['sox', path, '-n', 'stat'], capture_output=True).returncode != 0:
        faults.append(f'{name}: sox cannot read it')
text = open(os.path.join(folder, 'transmissions.csv')).read() if os.path.exists(os.path.join(folder, 'transmissions.csv')) else ''
if not text.endswith('\n'):
    faults.append('the log does not end in a complete line')
rows = list(csv.reader(text.splitlines()))
if not rows or rows[0] != ['start', 'duration_s', 'peak_dbfs', 'peak_hz', 'file']:
    faults.append('the log has no header')
rows = rows[1:]
if sorted(r[4] for r in rows if len(r) == 5) != wavs or any(len(r) != 5 for r in rows):
    faults.append(f'the log names {len(rows)} files, the folder holds {len(wavs)}')
worst = 0.0
for row in rows[:-1]:
    duration = float(row[1])
    deviation = min(abs(duration - (l + hang)) for l in lengths)
    worst = max(worst, deviation)
    if deviation > attack:
        faults.append(f'{row[4]}: {duration} s is no transmission plus the hang')
expected = 5 * seconds / 60
memory = open(sys.argv[5]).read().split()[1:3] if os.path.getsize(sys.argv[5]) else ['?', '']
ticks = open(sys.argv[6]).read().strip() or '0'
cpu = int(ticks) / os.sysconf('SC_CLK_TCK')
print(f'run: {seconds:.0f} s; files: {len(wavs)} (about {expected:.0f} expected), log rows: {len(rows)}')
print(f'durations: worst deviation from a transmission plus the hang {worst:.3f} s (allowed {attack} s)')
print(f'peak memory: {" ".join(memory)}; CPU time: {cpu:.1f} s ({100 * cpu / seconds:.1f} % of one core)')
if abs(len(wavs) - expected) > 2:
    faults.append(f'{len(wavs)} files where about {expected:.0f} were expected')
for fault in faults:
    print('FAULT:', fault)
print('complete' if not faults else 'INCOMPLETE')
sys.exit(1 if faults else 0)
PY
