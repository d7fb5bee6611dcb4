#!/usr/bin/env bash
# Installs what is missing (the trainer's packages and the tests'), builds,
# and runs every test headless.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

zirvano_install "${ZIRVANO_TEST_PACKAGES[@]}"
zirvano_build

export QT_QPA_PLATFORM=offscreen
export SDL_AUDIODRIVER=${SDL_AUDIODRIVER:-dummy}
cd "$ZIRVANO_BUILD"
ctest --output-on-failure --parallel "$(nproc)" "$@"
