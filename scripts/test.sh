#!/usr/bin/env bash
# Installs what is missing, builds and runs the whole test suite. Pass "asan" for the sanitizer
# build, or "windows" for the Windows cross-build: the 32-bit Qorlink.dll and its 32-bit caller
# (build/windows32), the 64-bit library, console core and their tests (build/windows), run under
# Wine.
set -euo pipefail
cd "$(dirname "$0")/.."
preset="${1:-default}"

if [ "$preset" = windows ]; then
    scripts/install-deps.sh windows
    scripts/build.sh windows32 --target qorlink --target stdcall_session
    # The Windows programs talk to the Linux software camera in the end-to-end test.
    scripts/build.sh default --target camsim_cmd
    scripts/build.sh windows
    export WINEDEBUG=-all
    scripts/wine.sh wineboot --init
    ctest --preset windows
    exit
fi

scripts/install-deps.sh
scripts/build.sh "$preset"
export QT_QPA_PLATFORM=offscreen
ctest --preset "$preset"
