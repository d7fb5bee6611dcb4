#!/bin/sh
# bench_app_rhythm on SDL's disk driver and through a private PulseAudio null
# sink (see pulse-sink.sh).
#   bench/app-rhythm-pulse.sh BUILD_DIR [bench_app_rhythm options...]
set -eu
build=${1:?usage: $0 BUILD_DIR [options]}
shift
exec "$(dirname "$0")/pulse-sink.sh" "$build/bench/bench_app_rhythm" "$@"
