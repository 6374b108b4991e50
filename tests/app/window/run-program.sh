#!/usr/bin/env bash
# Starts the real program on the virtual soundcard with a configured
# soundcard, lets it run, closes it with SIGTERM (the normal close sequence)
# and checks that it exited cleanly and wrote its settings.
set -euo pipefail
program=$1
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
settings="$dir/moravel.ini"
printf '[MIXER]\nMicrophone_Out=0\nLine_Out=1\nWave_Out=2\nMicrophone_In=0\nLine_In=1\nWave_In=2\n' >"$settings"
printf '[SETTINGS]\nFilterOn=1\neq3=-2\nAudioRange=1\n' >>"$settings"

"$program" --help | grep -q -- "--settings"
if "$program" --no-such-option 2>/dev/null; then echo "an unknown option was accepted"; exit 1; fi

"$program" --audio virtual --settings "$settings" &
pid=$!
sleep 4
kill -0 "$pid" || { echo "the program ended early"; exit 1; }
kill -TERM "$pid"
wait "$pid" || { echo "the program exited with $?"; exit 1; }

# Every key is written at close; the stored values came back unchanged.
for key in FilterOn=1 eq3=-2 AudioRange=1 WindowWidth= SpectrumXminimum= eq7=0 Wave_Out=2; do
    grep -q "^$key" "$settings" || { echo "missing $key in the settings file:"; cat "$settings"; exit 1; }
done
# Blocks were processed: the bars were plotted, so their position was written.
grep -q "^SpectumXPosition=" "$settings" || { echo "no block reached the display"; cat "$settings"; exit 1; }
echo "moravel started, processed, closed and saved its settings"
