#!/usr/bin/env bash
# Installs what is missing, builds with AddressSanitizer and
# UndefinedBehaviorSanitizer, and runs every test headless under them, all
# through the `sanitize` presets of CMakePresets.json (build-sanitize/).
# Any report fails the run: UBSan halts on its first finding, ASan aborts,
# LeakSanitizer checks the project's own code (scripts/lsan.supp only hides
# a leak inside libpulse). The preset's ASan quarantine is 32 MB: it still
# catches a use after free, and keeps freed memory from piling up in the
# resident size that memory tests watch (the default 256 MB shows a
# 100 000-character sentence as 160 MB of growth). An allocation that cannot
# be met returns null, as it does without the sanitizer, so the tests of
# pictures too large to allocate see what the trainer sees instead of an
# abort. ZIRVANO_SANITIZE=1 lets a test with a heavy loop take a lighter
# load; every test still runs.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

zirvano_install "${ZIRVANO_TEST_PACKAGES[@]}"
cd "$ZIRVANO_ROOT"
cmake --preset sanitize >/dev/null
cmake --build --preset sanitize --parallel "$(nproc)"
ctest --preset sanitize --parallel "$(nproc)" "$@"
