#!/usr/bin/env bash
# Cross-builds the trainer and its tests for arm64 (a Raspberry Pi's 64-bit
# Debian) in build-arm64/ and runs every test under qemu; see test-cross.sh.
# Arguments go to ctest.
exec bash "$(dirname "${BASH_SOURCE[0]}")/test-cross.sh" arm64 "$@"
