#!/usr/bin/env bash
# Runs a Windows program under Wine. Debian installs the 64-bit loader in Wine's library folder
# rather than on PATH.
set -euo pipefail
for loader in /usr/lib/wine/wine64 "$(command -v wine64 || true)" "$(command -v wine || true)"; do
    if [ -n "$loader" ] && [ -x "$loader" ]; then
        exec "$loader" "$@"
    fi
done
echo "wine.sh: no Wine loader found; run scripts/install-deps.sh windows" >&2
exit 127
