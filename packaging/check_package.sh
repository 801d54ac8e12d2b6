#!/usr/bin/env bash
# Builds the Debian packages, unpacks them into a scratch root, checks their contents, and builds
# a program outside the tree against the unpacked header with pkg-config and with find_package,
# then runs it against the packaged camsim.
#
#   check_package.sh BUILD_DIR OUTSIDE_SOURCE_DIR VERSION
set -euo pipefail
build=$1
outside=$2
version=$3
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

(cd "$build" && cpack -G DEB -B "$scratch/debs" >"$scratch/cpack.log" 2>&1) || {
    cat "$scratch/cpack.log"
    exit 1
}
arch=$(dpkg --print-architecture)
main="$scratch/debs/orvia_${version}_${arch}.deb"
standins="$scratch/debs/orvia-standins_${version}_${arch}.deb"
root="$scratch/root"
dpkg -x "$main" "$root"
dpkg-deb -c "$main" | awk '{print $6}' | sed 's|^\./|/|' >"$scratch/main.list"
dpkg-deb -c "$standins" | awk '{print $6}' | sed 's|^\./|/|' >"$scratch/standins.list"
dpkg -x "$standins" "$root"

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# The main package: programs, library with its SONAME, development files, desktop integration.
libdir=$(dirname "$(grep -m1 '/libqorlink\.so\.1$' "$scratch/main.list")")
[ -n "$libdir" ] || fail "no libqorlink.so.1 in orvia"
for f in /usr/bin/qorctl /usr/include/qorlink.h "$libdir/libqorlink.so" \
    "$libdir/pkgconfig/qorlink.pc" "$libdir/cmake/qorlink/qorlinkConfig.cmake" \
    /usr/lib/udev/rules.d/60-orvia-camera.rules /usr/share/applications/orvia.desktop \
    /usr/share/icons/hicolor/256x256/apps/orvia.png; do
    grep -qx "$f" "$scratch/main.list" || fail "$f missing from orvia"
done
soname=$(objdump -p "$root$libdir/libqorlink.so.$version" | awk '/SONAME/ {print $2}')
[ "$soname" = libqorlink.so.1 ] || fail "SONAME is '$soname'"
# No stand-in and no test program reaches the main package.
if grep -E 'ulmora|judvane|ravik|cifrel|camsim|test' "$scratch/main.list"; then
    fail "stand-ins or tests in orvia"
fi
for f in "$libdir/orvia/libulmora.so" "$libdir/orvia/libjudvane.so" /usr/bin/camsim; do
    grep -qx "$f" "$scratch/standins.list" || fail "$f missing from orvia-standins"
done
depends=$(dpkg-deb -f "$standins" Depends)
grep -q "orvia (= $version)" <<<"$depends" || fail "stand-ins depend on orvia"

# No installed program or library carries an empty run path element (the working directory).
while read -r f; do
    [ -f "$root$f" ] && [ ! -L "$root$f" ] || continue
    runpath=$({ readelf -d "$root$f" 2>/dev/null || true; } | sed -n 's/.*(\(RUNPATH\|RPATH\)).*\[\(.*\)\]/\2/p')
    if [ -n "$runpath" ] && grep -Eq '^:|::|:$' <<<"$runpath"; then
        fail "$f has the run path '$runpath'"
    fi
done < <(cat "$scratch/main.list" "$scratch/standins.list")

# The installed qorctl runs from the unpacked root.
help=$(LD_LIBRARY_PATH="$root$libdir" "$root/usr/bin/qorctl" --help)
grep -q '^usage: qorctl' <<<"$help" || fail "qorctl --help"

# Installed programs find the stand-ins in the library folder's subfolder.
loads=$(LD_LIBRARY_PATH="$root$libdir" LD_DEBUG=files "$root/usr/bin/camsim" -- \
    "$root/usr/bin/qorctl" info 2>&1)
grep -q "file=$root$libdir/orvia/libulmora.so" <<<"$loads" || fail "qorctl did not load libulmora.so"

# An outside program, with pkg-config ...
export PKG_CONFIG_PATH="$root$libdir/pkgconfig"
cc -std=c11 -Wall -Werror -o "$scratch/by_pkgconfig" "$outside/firmware_version.c" \
    $(pkg-config --cflags --libs qorlink) || fail "build with pkg-config"
[ "$(pkg-config --modversion qorlink)" = "$version" ] || fail "pkg-config version"
# ... and with find_package.
cmake -S "$outside" -B "$scratch/outside" -DCMAKE_PREFIX_PATH="$root/usr" >/dev/null ||
    fail "find_package(qorlink)"
cmake --build "$scratch/outside" >/dev/null || fail "build with find_package"

for program in "$scratch/by_pkgconfig" "$scratch/outside/firmware_version"; do
    out=$(LD_LIBRARY_PATH="$root$libdir" "$root/usr/bin/camsim" -- "$program" | tail -n +2)
    [ "$out" = "firmware: 1.02.0017" ] || fail "$program printed '$out'"
done
echo "packages and installed files check out"
