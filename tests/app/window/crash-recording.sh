#!/usr/bin/env bash
# A recording survives a crash: the window records on the virtual card in
# real time and is killed with SIGKILL about 3 s later, right after one of
# its half-second header commits. sox must then open the file, at a length
# within 0.5 s of the time recorded, and the header must describe data that
# is on the disk. Usage: crash-recording.sh RECORD_UNTIL_KILLED
set -euo pipefail
program=$1
dir=$(mktemp -d)
pid=
trap '[ -n "$pid" ] && kill -KILL "$pid" 2>/dev/null; rm -rf "$dir"' EXIT
file="$dir/crash.wav"
settings="$dir/moravel.ini"
printf '[MIXER]\nMicrophone_Out=0\nLine_Out=1\nWave_Out=2\nMicrophone_In=0\nLine_In=1\nWave_In=2\n' >"$settings"
printf '[SETTINGS]\nAudioRange=2\nWaveRecorderFilename=%s\n' "$file" >>"$settings"

now() { date +%s.%N; }
# The data size in the header (offset 42, little-endian).
header_data() { od -An -tu4 -j42 -N4 "$file" 2>/dev/null | tr -d ' '; }

"$program" "$settings" >"$dir/out" 2>"$dir/err" &
pid=$!
for _ in $(seq 1000); do
    grep -q . "$dir/out" && break
    sleep 0.01
done
if ! grep -qx recording "$dir/out"; then
    echo "the window did not start recording:"; cat "$dir/out" "$dir/err"; exit 1
fi
started=$(now)
sleep 3
# Wait for the next commit (the header's data size changes), then kill.
before=$(header_data)
for _ in $(seq 200); do
    [ "$(header_data)" != "$before" ] && break
    sleep 0.005
done
kill -KILL "$pid"
killed=$(now)
wait "$pid" 2>/dev/null || true
pid=

data=$(header_data)
size=$(stat -c %s "$file")
[ "$data" -gt 0 ] || { echo "the header holds no data"; exit 1; }
[ $((data + 46)) -le "$size" ] || { echo "the header claims $data bytes, the file has $size"; exit 1; }
length=$(soxi -D "$file") || { echo "sox cannot open the file"; exit 1; }
samples=$(soxi -s "$file")
[ "$samples" -eq $((data / 2)) ] || { echo "sox reads $samples samples of $data bytes"; exit 1; }
recorded=$(echo "$killed - $started" | bc -l)
echo "recorded ${recorded} s, the file holds ${length} s"
ok=$(echo "d = $recorded - $length; if (d < 0) d = -d; d <= 0.5" | bc -l)
[ "$ok" = 1 ] || { echo "the file's length is more than 0.5 s off"; exit 1; }
