#!/usr/bin/env bash
# Makes the manual's screenshots from the real program, so they show what
# the program shows:
#   scripts/manual-screenshots.sh [BUILD_DIR]        (default: build)
# Starts moravel from BUILD_DIR on the virtual soundcard with the demo's
# soundcard lines (scripts/demo.ini) on a virtual X server, lets it run for
# 30 seconds, takes its window and cuts the status strip and the Soundcard
# page out of it. Writes into docs/manual/ (compiled into the program's
# help by src/app/help/manual.qrc; rebuild to see them there):
#   screenshot-window.png          the whole window
#   screenshot-status-strip.png    the meters and lights at the right of the pages
#   screenshot-soundcard-page.png  the Soundcard page
# Needs xvfb and imagemagick (scripts/install-deps.sh installs both).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
program="$build/src/app/window/moravel"
[ -x "$program" ] || { echo "no program at $program: build it first (scripts/build.sh)" >&2; exit 1; }
out="$root/docs/manual"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The window at a size that shows every page's tab row but stays readable
# when the manual shrinks it.
width=900
height=640
{
    cat "$root/scripts/demo.ini"
    printf '[SETTINGS]\nWindowWidth=%d\nWindowHeight=%d\nSplitterTop=230\n' $width $height
} >"$work/moravel.ini"

# The settings pages' panel has a fixed height and the status strip a fixed
# width (MainForm.cpp, StatusStrip.cpp); both sit at the bottom of the window,
# the strip at its right end.
panel_height=126
strip_width=140
xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
    "$1" --audio virtual --settings "$2/moravel.ini" 2>"$2/moravel.log" &
    pid=$!
    sleep 30
    import -window "Moravel version 3" "$2/window.png"
    kill -TERM "$pid"
    wait "$pid"' screenshots "$program" "$work"

size=$(identify -format '%wx%h' "$work/window.png")
[ "$size" = "${width}x$height" ] || { echo "the window is $size, not ${width}x$height" >&2; exit 1; }
# png IN [OPERATIONS...] OUT: a PNG without time stamps, packed tightly.
png() { convert "$1" "${@:2:$#-2}" -strip -define png:compression-level=9 "${@: -1}"; }
png "$work/window.png" "$out/screenshot-window.png"
png "$work/window.png" -gravity SouthEast -crop "${strip_width}x$panel_height+0+0" +repage \
    "$out/screenshot-status-strip.png"
png "$work/window.png" -gravity SouthWest -crop "$((width - strip_width))x$panel_height+0+0" +repage \
    "$out/screenshot-soundcard-page.png"
echo "Written: $out/screenshot-window.png, screenshot-status-strip.png, screenshot-soundcard-page.png"
