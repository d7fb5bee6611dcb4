#!/usr/bin/env bash
# Cross-builds the trainer and its tests for armhf (32-bit Raspberry Pi OS,
# Debian's armhf) in build-armhf/ and runs every test under qemu; see
# test-cross.sh. Arguments go to ctest.
exec bash "$(dirname "${BASH_SOURCE[0]}")/test-cross.sh" armhf "$@"
