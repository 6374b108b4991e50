#!/usr/bin/env bash
# Starts the real program on the virtual soundcard with a configured
# soundcard, lets it run, closes it with SIGTERM (the normal close sequence)
# and checks that it exited cleanly and wrote its settings. At its start it
# removes the temporary files that killed settings writers left, but not one
# that a live writer holds locked.
set -euo pipefail
program=$1
dir=$(mktemp -d)
pid=
trap '[ -n "$pid" ] && kill -KILL "$pid" 2>/dev/null; rm -rf "$dir"' EXIT
settings="$dir/moravel.ini"
printf '[MIXER]\nMicrophone_Out=0\nLine_Out=1\nWave_Out=2\nMicrophone_In=0\nLine_In=1\nWave_In=2\n' >"$settings"
printf '[SETTINGS]\nFilterOn=1\neq3=-2\nAudioRange=1\n' >>"$settings"

"$program" --help | grep -q -- "--settings"
if "$program" --no-such-option 2>/dev/null; then echo "an unknown option was accepted"; exit 1; fi

# Two leftovers of killed writers, and a live writer's file: this script
# holds its lock (on descriptor 9) as a writer does until its rename.
printf 'half' >"$dir/.moravel.ini.123.tmp"
printf '' >"$dir/.moravel.ini.456789.tmp"
exec 9>"$dir/.moravel.ini.77.tmp"
flock 9

"$program" --audio virtual --settings "$settings" 9>&- &
pid=$!
sleep 4
kill -0 "$pid" || { echo "the program ended early"; exit 1; }
leftovers=$(cd "$dir" && ls -A | grep '\.tmp$' | tr '\n' ' ')
[ "$leftovers" = ".moravel.ini.77.tmp " ] || { echo "temporary files after the start: $leftovers"; exit 1; }
exec 9>&-
kill -TERM "$pid"
status=0
wait "$pid" || status=$?
pid=
[ "$status" = 0 ] || { echo "the program exited with $status"; exit 1; }

# Every key is written at close; the stored values came back unchanged.
for key in FilterOn=1 eq3=-2 AudioRange=1 WindowWidth= SpectrumXminimum= eq7=0 Wave_Out=2; do
    grep -q "^$key" "$settings" || { echo "missing $key in the settings file:"; cat "$settings"; exit 1; }
done
# Blocks were processed: the bars were plotted, so their position was written.
grep -q "^SpectumXPosition=" "$settings" || { echo "no block reached the display"; cat "$settings"; exit 1; }
echo "moravel started, processed, closed and saved its settings"
