#!/usr/bin/env bash
# Quick start: installs what is missing, builds, and starts the program on
# the virtual soundcard (a synthetic receiver: noise, hum, CW, FSK, voice)
# with a settings file that already assigns the soundcard lines, so live
# processing starts at once. Extra arguments go to the program, e.g.
#   scripts/run.sh --audio alsa          (the real soundcard)
#   scripts/run.sh --audio virtual:FILE.wav
# Without a display (no $DISPLAY / $WAYLAND_DISPLAY) the program runs for
# 20 seconds on a virtual X server and a screenshot is saved.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh" "$root/build" -DCMAKE_BUILD_TYPE=Release

demo="$root/build/demo"
mkdir -p "$demo"
settings="$demo/moravel.ini"
# The settings survive between runs; only a missing file is created, from
# scripts/demo.ini: the virtual card's lines, numbered in the order its
# mixer lists them (playback Wave 0, Microphone 1, Line In 2; recording
# Microphone 0, Line In 1, Stereo Mix 2, the playback mix as "Wave" input).
if [ ! -f "$settings" ]; then
    cp "$root/scripts/demo.ini" "$settings"
fi
program="$root/build/src/app/window/moravel"
echo "Settings file: $settings"

if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
    exec "$program" --audio virtual --settings "$settings" "$@"
fi

shot="$demo/moravel-screenshot.png"
echo "No display found: running for 20 s on a virtual X server; screenshot: $shot"
xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
    "$1" --audio virtual --settings "$2" "${@:4}" &
    pid=$!
    sleep 20
    import -window root "$3"
    kill -TERM "$pid"
    wait "$pid"' run "$program" "$settings" "$shot" "$@"
echo "Done. Screenshot: $shot"
