#!/usr/bin/env bash
# Whole-process figures of the running window on the virtual soundcard:
#  - startup: from exec to the window mapped on screen and to the first
#    processed block (the program's MORAVEL_STARTUP_TRACE marks), the median
#    of five starts;
#  - CPU share of one core and resident memory, per audio range.
# Needs a display: run it under xvfb-run with -noreset (as in
# docs/main-window.md), so that a start does not meet a server resetting
# after the previous one left. For the comparison with another
# program on a sound server see compare-window.sh.
# Usage: measure-window.sh [SECONDS]          (default 10 s per range)
# Environment: MORAVEL (the program, default build/src/app/window/moravel).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
s=${1:-10}
moravel=${MORAVEL:-$root/build/src/app/window/moravel}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

settings() {
    printf '[MIXER]\nMicrophone_Out=0\nLine_Out=1\nWave_Out=2\nMicrophone_In=0\nLine_In=1\nWave_In=2\n' >"$1"
    printf '[SETTINGS]\nAudioRange=%s\nWindowWidth=1280\nWindowHeight=800\n' "$2" >>"$1"
}

# One start: prints "mapped_ms first_block_ms" (or "- -" when a mark is missing).
start_once() {
    local log=$work/start.log
    settings "$work/start.ini" 3
    : >"$log"
    (
        date +%s%N >"$work/exec"
        MORAVEL_STARTUP_TRACE=1 exec "$moravel" --audio virtual --settings "$work/start.ini" 2>"$log"
    ) &
    local pid=$!
    for _ in $(seq 100); do
        grep -q 'first-block' "$log" && break
        sleep 0.05
    done
    kill -TERM "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    local t0 mapped block
    t0=$(cat "$work/exec")
    mapped=$(awk '/moravel-startup: mapped/{print $3}' "$log")
    block=$(awk '/moravel-startup: first-block/{print $3}' "$log")
    awk -v t0="$t0" -v m="${mapped:-0}" -v b="${block:-0}" \
        'BEGIN{printf "%s %s\n", (m > 0 ? sprintf("%.0f", (m - t0) / 1e6) : "-"), (b > 0 ? sprintf("%.0f", (b - t0) / 1e6) : "-")}'
}

median() { sort -n | awk '{v[NR]=$1} END{print (NR ? v[int((NR+1)/2)] : "-")}'; }

for _ in 1 2 3 4 5; do start_once; done >"$work/starts"
echo "startup (median of 5): window mapped $(cut -d' ' -f1 "$work/starts" | median) ms," \
    "first block $(cut -d' ' -f2 "$work/starts" | median) ms after exec" \
    "(each start: $(tr '\n' ';' <"$work/starts"))"

for r in 0 1 2 3; do
    settings "$work/m.ini" $r
    "$moravel" --audio virtual --settings "$work/m.ini" &
    pid=$!
    sleep 2
    t0=$(awk '{print $14+$15}' /proc/$pid/stat)
    sleep "$s"
    t1=$(awk '{print $14+$15}' /proc/$pid/stat)
    hwm=$(grep VmHWM /proc/$pid/status | awk '{print $2}')
    rss=$(grep VmRSS /proc/$pid/status | awk '{print $2}')
    kill -TERM $pid
    wait $pid
    echo "range=$r cpu=$(((t1 - t0) * 100 / s / 100)).$(((t1 - t0) * 100 / s % 100))% rss=${rss}kB peak=${hwm}kB"
done
