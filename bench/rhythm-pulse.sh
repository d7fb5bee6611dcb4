#!/bin/sh
# bench_rhythm through a private PulseAudio null sink (see pulse-sink.sh).
#   bench/rhythm-pulse.sh BUILD_DIR [bench_rhythm options...]
set -eu
build=${1:?usage: $0 BUILD_DIR [options]}
shift
exec "$(dirname "$0")/pulse-sink.sh" "$build/bench/bench_rhythm" "$@"
