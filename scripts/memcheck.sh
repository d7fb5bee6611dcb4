#!/usr/bin/env bash
# Installs what is missing, builds, and keys a short long-run (default 100
# characters) through the main window's generator under valgrind's memcheck.
# Any invalid access or definite leak fails the run.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

zirvano_install valgrind
zirvano_build

export QT_QPA_PLATFORM=offscreen
export SDL_AUDIODRIVER=${SDL_AUDIODRIVER:-dummy}
valgrind --tool=memcheck --leak-check=full --errors-for-leak-kinds=definite \
    --error-exitcode=1 --quiet "$ZIRVANO_BUILD/bench/bench_longrun" "${1:-100}"
