#!/usr/bin/env bash
# Runs a command against a private sound server: a null sink as the default
# output and its monitor as the default input, in a temporary runtime folder.
# The server is stopped by its process id when the command ends.
set -euo pipefail
dir=$(mktemp -d)
export XDG_RUNTIME_DIR=$dir
pulseaudio -n --daemonize=no --exit-idle-time=-1 --use-pid-file=no --system=no \
  --load=module-native-protocol-unix --load="module-null-sink sink_name=moravel_null" \
  --log-target="file:$dir/server.log" 2>/dev/null &
pid=$!
trap 'kill "$pid" 2>/dev/null; wait "$pid" 2>/dev/null; rm -rf "$dir"' EXIT
for _ in $(seq 100); do pactl info >/dev/null 2>&1 && break; sleep 0.1; done
pactl set-default-sink moravel_null
pactl set-default-source moravel_null.monitor
"$@"
