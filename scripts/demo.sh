#!/usr/bin/env bash
# Installs what is missing, builds, and starts the console on a simulated camera.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh default
bin=build/default/bin
program="$bin/orvia"
[ -x "$program" ] || program="$bin/link_status"
# Without a display the console runs on Qt's offscreen platform.
if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
    export QT_QPA_PLATFORM="${QT_QPA_PLATFORM:-offscreen}"
    echo "No display: the console runs on Qt's offscreen platform; end it with Ctrl-C." >&2
fi
exec "$bin/camsim" -- "$program" "$@"
