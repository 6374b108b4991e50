#!/usr/bin/env bash
# The long run: the real window on the virtual soundcard for MINUTES minutes
# (default 60) with every processing stage and both displays on, the player
# looping a file and the recorder recording the processed blocks, while the
# process is sampled every 30 s: resident memory, threads, open file
# descriptors, CPU, and the recording's length against the time that passed.
#
# Usage: scripts/soak.sh [MINUTES]
#   MORAVEL_PROGRAM  the window program (default build/src/app/window/moravel)
#   SOAK_DIR         where settings, files and the log go (default: a new
#                    folder under /tmp, printed at the start and kept)
#   SOAK_INTERVAL    seconds between samples (default 30)
#   SOAK_WARMUP      seconds before the reference sample (default 120)
#
# The virtual card has no faster-than-real-time mode (its blocks are due at
# the wall clock's pace), so the run is in real time.
#
# Loop, Play and Record are pressed through the accessibility interface
# (AT-SPI, the same path a screen reader uses), by their accessible names, on
# a private D-Bus session; the program has no option that starts them.
# Without a display the script reruns itself under xvfb-run.
#
# Checks (exit status 1 when one fails):
#   - resident memory after the warm-up stays within 5 % of the reference;
#   - no more threads and no more open file descriptors than at the reference;
#   - no dropped block: "Buffer Error" never comes on;
#   - no lost or doubled block: the recording grows by exactly the blocks the
#     card delivers (one per block length at the capture rate, due from its
#     start, so the pace never drifts); the recording's lead over the card
#     is the same, within a block, at the end as after the warm-up;
#   - the program closes normally and the recording's header describes all
#     of its data.
# Needs: Xvfb/xvfb-run, dbus-run-session, at-spi2-core, python3-pyatspi
# (run with the system's /usr/bin/python3).
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
minutes=${1:-60}
program=${MORAVEL_PROGRAM:-$root/build/src/app/window/moravel}
interval=${SOAK_INTERVAL:-30}
warmup=${SOAK_WARMUP:-120}
python=/usr/bin/python3

if [ -z "${DISPLAY:-}" ]; then
    exec xvfb-run -a -s "-screen 0 1400x1000x24" "$0" "$@"
fi
if [ -z "${SOAK_PRIVATE_BUS:-}" ]; then
    # A private session bus: the accessibility bus it starts ends with it.
    export SOAK_PRIVATE_BUS=1
    exec dbus-run-session -- "$0" "$@"
fi

[ -x "$program" ] || { echo "soak: no program at $program (build it, or set MORAVEL_PROGRAM)" >&2; exit 2; }
dir=${SOAK_DIR:-$(mktemp -d /tmp/moravel-soak.XXXXXX)}
mkdir -p "$dir"
log="$dir/samples.tsv"
echo "soak: $minutes min, folder $dir"

# The player's file: 8500 Hz (the player then captures at 8450 Hz in blocks
# of 1024 samples), 10 s of a 700 Hz tone over noise, so it loops often.
player_rate=8500
block_frames=1024
capture_rate=$((player_rate - 50))
"$python" - "$dir/loop.wav" "$player_rate" <<'EOF'
import math, random, struct, sys, wave
path, rate = sys.argv[1], int(sys.argv[2])
rng = random.Random(7)
frames = bytearray()
for k in range(rate * 10):
    value = 6000 * math.sin(2 * math.pi * 700 * k / rate) + rng.uniform(-800, 800)
    frames += struct.pack("<h", int(value))
with wave.open(path, "wb") as out:
    out.setnchannels(1)
    out.setsampwidth(2)
    out.setframerate(rate)
    out.writeframes(bytes(frames))
EOF

record="$dir/record.wav"
settings="$dir/moravel.ini"
cat >"$settings" <<EOF
[MIXER]
Microphone_Out=0
Line_Out=1
Wave_Out=2
Microphone_In=0
Line_In=1
Wave_In=2
[SETTINGS]
WindowWidth=1280
WindowHeight=800
AudioRange=1
FilterOn=1
NoiseBlanker1On=1
AGC_enabled=1
FrequencyShiftOn=1
TrackFrequencyShift=200
CompressorOn=1
ExpanderOn=1
EqualizerOn=1
SpectrumOn=1
Spectrogram=1
WaveRecorderFilename=$record
WavePlayerFilename=$dir/loop.wav
EOF

export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
"$program" --audio virtual --settings "$settings" >"$dir/program.log" 2>&1 &
pid=$!
trap 'kill -TERM $pid 2>/dev/null || true' EXIT

# Ticks "Loop playing", then clicks "Play" and "Record" with the mouse on
# their pages, as a user would (the accessibility action of a checkable
# button only toggles it, without the click the window acts on).
"$python" - "$pid" <<'EOF'
import sys, time
import pyatspi

pid = int(sys.argv[1])

def application():
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.get_process_id() == pid:
            return app
    return None

def find(node, name, roles):
    if node is None:
        return None
    if node.name == name and node.getRoleName() in roles:
        return node
    for child in node:
        hit = find(child, name, roles)
        if hit is not None:
            return hit
    return None

def click(node):
    box = node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    pyatspi.Registry.generateMouseEvent(box.x + box.width // 2, box.y + box.height // 2, pyatspi.MOUSE_B1C)
    time.sleep(1)

def checked(node):
    return node.getState().contains(pyatspi.STATE_CHECKED)

app = None
for _ in range(60):
    app = application()
    if app is not None and find(app, "Record", ("check box",)) is not None:
        break
    time.sleep(0.5)
if app is None:
    sys.exit("soak: the window never appeared on the accessibility bus")
time.sleep(2)  # the first activation starts sampling
loop = find(app, "Loop playing", ("check box",))
loop.queryAction().doAction(0)
for page, button in (("Player", "Play"), ("Recorder", "Record")):
    click(find(app, page, ("page tab",)))
    control = find(app, button, ("check box",))
    click(control)
    if not checked(control):
        sys.exit(f"soak: '{button}' did not stay down")
    print(f"soak: '{button}' is down")
if not checked(loop):
    sys.exit("soak: 'Loop playing' is not ticked")
EOF

# Counts the dropped blocks: the window drops a block that was already
# waiting when the previous cycle ended (the input fell behind) and lights
# "Buffer Error" until the next status tick; the light's accessible name
# then changes to "Buffer Error: on". One line per time it comes on.
drops="$dir/buffer-errors.log"
: >"$drops"
"$python" - "$pid" "$drops" <<'EOF' &
import sys, time
import pyatspi

pid, log = int(sys.argv[1]), sys.argv[2]
start = time.monotonic()

def changed(event):
    try:
        if event.host_application.get_process_id() != pid:
            return
    except Exception:
        return
    if event.source.name == "Buffer Error: on":
        with open(log, "a") as out:
            out.write(f"{time.monotonic() - start:.1f}\n")

pyatspi.Registry.registerEventListener(changed, "object:property-change:accessible-name")
pyatspi.Registry.start()
EOF
watcher=$!
trap 'kill -TERM $pid $watcher 2>/dev/null || true' EXIT

ticks=$(getconf CLK_TCK)
cpu_ticks() { awk '{print $14 + $15}' "/proc/$pid/stat"; }
status_kb() { awk -v k="$1:" '$1 == k {print $2}' "/proc/$pid/status"; }
data_bytes() {
    local size
    size=$(stat -c %s "$record") || exit 1
    echo $((size - 46))
}

# "lead" is the recording's length in blocks less the blocks the card has
# delivered since sampling began: a constant (give or take the block in
# flight and the recorder's write buffer) while no block is lost or doubled.
printf 'seconds\trss_kB\tthreads\tfds\tcpu_%%\trecorded_blocks\tlead\n' >"$log"
start=$(date +%s.%N)
last_ticks=$(cpu_ticks)
last_time=$start
end=$(echo "$start + $minutes * 60" | bc)
while :; do
    sleep "$interval"
    kill -0 $pid 2>/dev/null || { echo "soak: the program ended early" >&2; exit 1; }
    now=$(date +%s.%N)
    bytes=$(data_bytes)
    t=$(cpu_ticks)
    elapsed=$(echo "$now - $start" | bc)
    cpu=$(echo "scale=1; 100 * ($t - $last_ticks) / $ticks / ($now - $last_time)" | bc)
    last_ticks=$t last_time=$now
    blocks=$(echo "scale=1; $bytes / 2 / $block_frames" | bc)
    lead=$(echo "scale=1; ($bytes / 2 - $elapsed * $capture_rate) / $block_frames" | bc)
    printf '%.0f\t%s\t%s\t%s\t%s\t%s\t%s\n' "$elapsed" "$(status_kb VmRSS)" "$(status_kb Threads)" \
        "$(ls "/proc/$pid/fd" | wc -l)" "$cpu" "$blocks" "$lead" | tee -a "$log"
    [ "$(echo "$now >= $end" | bc)" = 1 ] && break
done

kill -TERM $pid
kill -TERM $watcher 2>/dev/null || true
trap - EXIT
program_status=0
wait $pid || program_status=$?

"$python" - "$log" "$record" "$warmup" "$program_status" "$drops" <<'EOF'
import csv, struct, sys
log, record, warmup, status, drops = sys.argv[1], sys.argv[2], float(sys.argv[3]), int(sys.argv[4]), sys.argv[5]
rows = [r for r in csv.DictReader(open(log), delimiter="\t")]
after = [r for r in rows if float(r["seconds"]) >= warmup]
if not after:
    sys.exit("soak: the run ended before the warm-up; nothing to judge")
ref, last = after[0], after[-1]
def at(minute):
    best = min(after, key=lambda r: abs(float(r["seconds"]) - 60 * minute))
    return f'{int(best["seconds"]) // 60:>3} min  RSS {best["rss_kB"]} kB  threads {best["threads"]}  fds {best["fds"]}  cpu {best["cpu_%"]} %'
print("curve:")
print("  reference (after warm-up): " + at(float(ref["seconds"]) / 60))
print("  10 min:                    " + at(10))
print("  end:                       " + at(float(last["seconds"]) / 60))

failures = []
ref_rss = int(ref["rss_kB"])
rss = [int(r["rss_kB"]) for r in after]
drift = max(abs(v - ref_rss) for v in rss) / ref_rss * 100
print(f"RSS after warm-up: {min(rss)}..{max(rss)} kB, at most {drift:.1f} % from the reference")
if drift > 5:
    failures.append("resident memory moved more than 5 %")
for key in ("threads", "fds"):
    most = max(int(r[key]) for r in after)
    print(f"{key}: reference {ref[key]}, most {most}")
    if most > int(ref[key]):
        failures.append(f"{key} grew")
# The recorder's write buffer only ever holds blocks back, so the lead's
# largest value over five samples is the true one: a lost block lowers it by
# one for good, a doubled one raises it.
leads = [float(r["lead"]) for r in after]
first, final = max(leads[:5]), max(leads[-5:])
print(f"blocks: {last['recorded_blocks']} recorded; lead over the card {first:+.1f} after warm-up, "
      f"{final:+.1f} at the end (samples {min(leads):+.1f}..{max(leads):+.1f})")
if abs(final - first) > 1.5:
    failures.append("blocks lost or doubled")
lit = len(open(drops).read().split())
print(f"'Buffer Error' came on {lit} times (each time one or more blocks were dropped)")
if lit:
    failures.append("blocks dropped")
if status != 0:
    failures.append(f"the program ended with status {status}")
with open(record, "rb") as f:
    head = f.read(46)
    size = f.seek(0, 2)
described = struct.unpack_from("<I", head, 42)[0]
print(f"recording: {size - 46} data bytes, header says {described}")
if described != size - 46:
    failures.append("the recording's header does not describe its data")
for failure in failures:
    print("FAIL: " + failure)
print("soak: " + ("failed" if failures else "passed"))
sys.exit(1 if failures else 0)
EOF
