#!/usr/bin/env bash
# Rewrites the README's screenshots in docs/: builds, then drives the real
# windows under Xvfb (tests/tools/screenshots.cpp) with private settings and
# data folders, so the user's stored language and record are neither read nor
# changed.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

zirvano_install xvfb xauth
zirvano_build

tool=$ZIRVANO_BUILD/tests/tools/screenshots
[ -x "$tool" ] || { echo "screenshots: $tool was not built"; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/config/Brevanto" "$work/runtime"
chmod 700 "$work/runtime"
# A language already stored: the first-start question would wait for a click.
printf '[General]\nIdioma=2\n' >"$work/config/Brevanto/Zirvano.ini"

# Sound goes nowhere, but keeps its real duration.
env QT_QPA_PLATFORM=xcb SDL_AUDIODRIVER=dummy XDG_CONFIG_HOME="$work/config" \
    XDG_DATA_HOME="$work/data" XDG_RUNTIME_DIR="$work/runtime" \
    timeout 300 xvfb-run -a -s "-screen 0 1024x768x24" "$tool" "$ZIRVANO_ROOT/docs"
