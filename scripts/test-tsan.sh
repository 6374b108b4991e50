#!/usr/bin/env bash
# ThreadSanitizer run of the tests whose code crosses threads: the wave
# components and the notifications their services post, the virtual card's
# pacing thread, the ALSA workers against a private sound server (PulseAudio
# and PipeWire), the device watch, and the window tests that run the card's
# threads, the recorder, the player and a lost soundcard, and the real
# program started, run and closed on the virtual card. Builds only those
# targets, with -DMORAVEL_TSAN=ON, into build-tsan (or DIR).
#
# Usage: scripts/test-tsan.sh [DIR]
#   TSAN_JOBS  parallel build jobs (default: nproc)
#
# Any report fails its run (ThreadSanitizer's exit status 66). Qt, GLib and
# the sound libraries are not instrumented; tests/tsan.supp may silence
# reports that lie wholly inside them, never in this program's code. Too slow for CI
# (see docs/sanitizers.md); run it by hand after changing thread code.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
dir=${1:-$root/build-tsan}
jobs=${TSAN_JOBS:-$(nproc)}

targets=(test_wave_components test_virtual_card test_alsa test_app
    test_window_pipeline test_window_recorder test_window_player
    test_window_device_loss test_window_device_loss_server moravel
    test_cli moravel-process)
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
"$root/scripts/build.sh" "$dir" -DMORAVEL_TSAN=ON -DMORAVEL_BENCHMARKS=OFF "${launcher[@]}" -- -j "$jobs" "${targets[@]}"

# Qt, GLib, alsa-lib and libpulse are not instrumented: their own copies,
# allocations and frees (memcpy, new, delete called from inside them) are
# not checked, since their locks and atomics are invisible to the sanitizer
# (ignore_noninstrumented_modules). Accesses by this program's code are.
export TSAN_OPTIONS="suppressions=$root/tests/tsan.supp ignore_noninstrumented_modules=1 second_deadlock_stack=1 ${TSAN_OPTIONS:-}"
export QT_QPA_PLATFORM=offscreen
logs="$dir/tsan-logs"
mkdir -p "$logs"

# Each binary runs once with all its tests (the ALSA tests then start their
# sound server once); the output goes to $logs/NAME.log.
failed=0
run() {
    local name=$1; shift
    local start status=0
    start=$(date +%s)
    (cd "$dir" && "$@") >"$logs/$name.log" 2>&1 || status=$?
    local races
    races=$(grep -c '^WARNING: ThreadSanitizer' "$logs/$name.log" || true)
    printf '%-34s %4d s  exit %3d  reports %d\n' "$name" $(($(date +%s) - start)) "$status" "$races"
    [ "$status" -eq 0 ] && [ "$races" -eq 0 ] || failed=1
}
run wave_components tests/audio/components/test_wave_components
run virtual_card tests/audio/virtual/test_virtual_card
run alsa_pulseaudio tests/audio/alsa/test_alsa
run alsa_pipewire env MORAVEL_TEST_SERVER=pipewire tests/audio/alsa/test_alsa
run device_watch tests/app/core/test_app --gtest_filter='DeviceWatch.*'
# The batch tool's two threads (its loop in-process and the program itself).
run batch_tool tests/cli/test_cli
for window in pipeline recorder player device_loss device_loss_server; do
    run "window_$window" "tests/app/window/test_window_$window"
done
# The real program on the virtual card in real time (its pacing threads).
run program "$root/tests/app/window/run-program.sh" src/app/window/moravel
if [ "$failed" -ne 0 ]; then
    echo "ThreadSanitizer: failures or reports, see $logs" >&2
    exit 1
fi
echo "ThreadSanitizer: no reports."
