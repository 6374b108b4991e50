#!/usr/bin/env bash
# moravel-process in a pipe fed in real time (20 ms pieces at real-time
# pace): per block, the time from its last input sample to its output being
# readable, and the piped output against the file-to-file output, bit for
# bit. See measure-pipe.py. Exit status 0 when the output is identical and
# no block took more than one block + 50 ms.
#
# Usage: measure-pipe.sh [SECONDS] [RATES] [-- OPTIONS...]
#   SECONDS  length of the generated recording (default 30)
#   RATES    sample rates to run, e.g. "8000 24000 48000" (the default)
#   OPTIONS  moravel-process stage options (default --clean-speech)
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
program="${MORAVEL_PROCESS:-$here/../build/src/cli/moravel-process}"
seconds="${1:-30}"
rates="${2:-8000 24000 48000}"
shift $(( $# > 2 ? 2 : $# ))
[ "${1:-}" = "--" ] && shift
options=("$@")
[ ${#options[@]} -eq 0 ] && options=(--clean-speech)
status=0
for rate in $rates; do
  /usr/bin/python3 "$here/measure-pipe.py" "$program" "$rate" "$seconds" "${options[@]}" || status=1
  echo
done
exit $status
