#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test headless.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

zirvano_install
zirvano_build

export QT_QPA_PLATFORM=offscreen
export SDL_AUDIODRIVER=${SDL_AUDIODRIVER:-dummy}
cd "$ZIRVANO_BUILD"
ctest --output-on-failure --parallel "$(nproc)" "$@"
