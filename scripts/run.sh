#!/usr/bin/env bash
# Installs what building and running need, if missing, builds, and starts the
# trainer.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

zirvano_install
zirvano_build

if [ ! -x "$ZIRVANO_BUILD/app/zirvano" ]; then
    echo "The trainer's main window is not built yet; nothing to start."
    exit 0
fi
exec "$ZIRVANO_BUILD/app/zirvano" "$@"
