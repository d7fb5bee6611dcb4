#!/bin/sh
# Runs a rhythm benchmark through a private PulseAudio server whose null sink
# (96000 Hz, float32, stereo) the benchmark records with parec: a device paced
# by a real clock, unlike SDL's disk driver. Needs pulseaudio and
# pulseaudio-utils.
#   bench/pulse-sink.sh PROGRAM [options...]
# runs PROGRAM --pulse zirvano --dir DIR [options...], DIR a private folder.
set -eu
program=${1:?usage: $0 PROGRAM [options]}
shift
dir=$(mktemp -d)
pulseaudio --daemonize=no --system=false --exit-idle-time=-1 --disallow-exit -n \
    --use-pid-file=no --log-target=file:"$dir/pulse.log" \
    --load="module-null-sink sink_name=zirvano rate=96000 channels=2 format=float32le" \
    --load="module-native-protocol-unix socket=$dir/native auth-anonymous=1" &
server=$!
trap 'kill $server 2>/dev/null; wait $server 2>/dev/null; rm -rf "$dir"' EXIT
export PULSE_SERVER="unix:$dir/native"
tries=0
until pactl info >/dev/null 2>&1; do
    tries=$((tries + 1))
    [ $tries -lt 50 ] || { echo "PulseAudio did not start; see $dir/pulse.log" >&2; exit 1; }
    sleep 0.1
done
pactl set-default-sink zirvano
"$program" --pulse zirvano --dir "$dir" "$@"
