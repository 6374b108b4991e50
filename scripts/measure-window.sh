#!/usr/bin/env bash
# Whole-process figures of the running window: CPU share of one core and
# resident memory, per audio range, on the virtual soundcard. Needs a display
# (run it under xvfb-run). Usage: measure-window.sh [SECONDS]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
s=${1:-10}
for r in 0 1 2 3; do
d=$(mktemp -d)
printf '[MIXER]\nMicrophone_Out=0\nLine_Out=1\nWave_Out=2\nMicrophone_In=0\nLine_In=1\nWave_In=2\n[SETTINGS]\nAudioRange=%s\nWindowWidth=1280\nWindowHeight=800\n' $r > $d/m.ini
"$root/build/src/app/window/moravel" --audio virtual --settings $d/m.ini &
pid=$!
sleep 2
t0=$(awk '{print $14+$15}' /proc/$pid/stat)
sleep $s
t1=$(awk '{print $14+$15}' /proc/$pid/stat)
hwm=$(grep VmHWM /proc/$pid/status | awk '{print $2}')
rss=$(grep VmRSS /proc/$pid/status | awk '{print $2}')
kill -TERM $pid; wait $pid
echo "range=$r cpu=$(( (t1 - t0) * 100 / s / 100 )).$(( (t1 - t0) * 100 / s % 100 ))% rss=${rss}kB peak=${hwm}kB"
rm -rf "$d"
done
