#!/usr/bin/env bash
# Configures and builds one build tree: build.sh DIR [cmake options...] [-- target...]
# Without targets everything in the tree is built.
set -euo pipefail
dir=$1; shift
root=$(cd "$(dirname "$0")/.." && pwd)
options=()
while [ $# -gt 0 ] && [ "$1" != "--" ]; do options+=("$1"); shift; done
[ $# -gt 0 ] && shift  # the "--"
cmake -S "$root" -B "$dir" -G Ninja "${options[@]}" >/dev/null
ninja -C "$dir" "$@"
