#!/usr/bin/env bash
# Installs what is missing, builds with AddressSanitizer and
# UndefinedBehaviorSanitizer, and runs every test headless under them.
# Any report fails the run: UBSan halts on its first finding, ASan aborts,
# LeakSanitizer checks the project's own code (scripts/lsan.supp only hides
# leaks inside Qt, fontconfig, the sound libraries and the system).
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

ZIRVANO_BUILD=${ZIRVANO_SANITIZE_BUILD:-$ZIRVANO_ROOT/build-sanitize}

zirvano_install
zirvano_build -DCMAKE_BUILD_TYPE=Debug -DZIRVANO_SANITIZE=ON

export QT_QPA_PLATFORM=offscreen
export SDL_AUDIODRIVER=${SDL_AUDIODRIVER:-dummy}
# A 32 MB quarantine still catches a use after free, and keeps freed memory
# from piling up in the resident size that memory tests watch (the default
# 256 MB shows a 100 000-character sentence as 160 MB of growth).
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:detect_stack_use_after_return=1:strict_init_order=1:quarantine_size_mb=32
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export LSAN_OPTIONS=suppressions=$ZIRVANO_ROOT/scripts/lsan.supp:print_suppressions=0
# A test with a heavy loop may read this and take a lighter load; every test
# still runs.
export ZIRVANO_SANITIZE=1
cd "$ZIRVANO_BUILD"
ctest --output-on-failure --parallel "$(nproc)" "$@"
