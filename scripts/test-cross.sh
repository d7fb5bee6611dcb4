#!/usr/bin/env bash
# Cross-builds the trainer and its tests for a Raspberry Pi's Debian, arm64 or
# armhf, on a Debian amd64 machine and runs every test headless under qemu's
# user-mode emulation, so the bytes and pixels are checked on the other CPU
# too. Usage: test-cross.sh arm64|armhf [ctest arguments]; test-arm64.sh and
# test-armhf.sh call it.
#
# Installs what is missing: the cross compiler, qemu, and the target's Qt 6
# and SDL2 development packages (ZIRVANO_LIBRARIES) through Debian's
# multiarch, adding the architecture to dpkg. Builds in build-arm64/ or
# build-armhf/ (ZIRVANO_ARM64_BUILD, ZIRVANO_ARMHF_BUILD) with
# cmake/<triplet>.cmake.
#
# Under emulation (CTest sets ZIRVANO_EMULATED=1) code runs tens of times
# slower and in bursts: upper bounds on wall-clock time are not checked, the
# sentence of the keyboard's hostile-input test is 10 000 characters, not
# 100 000, and the rhythm tests skip. qemu 7.2 refuses the clone call that
# QProcess makes, so the tests that need a child process (a private
# PulseAudio server, a writer killed mid-save, a write as nobody) skip. Each
# skip prints its reason, and the script lists them at the end.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

arch=${1:-}
case $arch in
arm64)
    triplet=aarch64-linux-gnu
    build=${ZIRVANO_ARM64_BUILD:-$ZIRVANO_ROOT/build-arm64}
    ;;
armhf)
    triplet=arm-linux-gnueabihf
    build=${ZIRVANO_ARMHF_BUILD:-$ZIRVANO_ROOT/build-armhf}
    ;;
*)
    echo "usage: $0 arm64|armhf [ctest arguments]" >&2
    exit 2
    ;;
esac
shift

started=$(date +%s)
zirvano_install "${ZIRVANO_TEST_PACKAGES[@]}" "g++-$triplet" qemu-user-static \
    "${ZIRVANO_LIBRARIES[@]/%/:$arch}"

cmake -S "$ZIRVANO_ROOT" -B "$build" \
    -DCMAKE_TOOLCHAIN_FILE="$ZIRVANO_ROOT/cmake/$triplet.cmake" >/dev/null
cmake --build "$build" --parallel "$(nproc)"
built=$(date +%s)

export QT_QPA_PLATFORM=offscreen
export SDL_AUDIODRIVER=dummy
cd "$build"
rc=0
ctest --output-on-failure --parallel "$(nproc)" "$@" | tee "$build/ctest.log" || rc=$?
finished=$(date +%s)

minutes() { echo "$(($1 / 60)) min $(($1 % 60)) s"; }
echo
echo "Skipped on $arch, with the reasons the tests gave:"
grep -h '^SKIP' Testing/Temporary/LastTest.log | sed 's/^SKIP *: */  /' || echo "  none"
echo "$arch: installed and built in $(minutes $((built - started)))," \
    "tests ran in $(minutes $((finished - built)))"
grep -E '^[0-9]+% tests passed' "$build/ctest.log" || true
exit "$rc"
