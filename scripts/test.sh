#!/usr/bin/env bash
# Installs what is missing, builds and runs the whole test suite (pass "asan" for the
# sanitizer build).
set -euo pipefail
cd "$(dirname "$0")/.."
preset="${1:-default}"
scripts/install-deps.sh
scripts/build.sh "$preset"
export QT_QPA_PLATFORM=offscreen
ctest --preset "$preset"
