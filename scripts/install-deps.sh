#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, when they are missing. With
# "windows": also the MinGW-w64 cross compilers (64- and 32-bit) and Wine to run the Windows
# tests. GoogleTest for Windows is built from the googletest sources.
set -euo pipefail

packages=(
    build-essential cmake clang-format pkg-config lintian
    googletest libgtest-dev libcli11-dev nlohmann-json3-dev libtomlplusplus-dev libsqlite3-dev
    qt6-base-dev libgl1-mesa-dev libxkbcommon-dev
)
if [ "${1:-}" = windows ]; then
    packages+=(g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix wine64 wine libwine)
fi

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
echo "Installing: ${missing[*]}"
$sudo apt-get update -q
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
