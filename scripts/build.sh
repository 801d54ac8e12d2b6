#!/usr/bin/env bash
# Configures and builds one preset (default: "default"); further arguments go to the build
# (for example --target qorlink).
set -euo pipefail
cd "$(dirname "$0")/.."
preset="${1:-default}"
shift || true
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset" "$@"
