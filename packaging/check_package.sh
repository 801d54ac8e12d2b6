#!/usr/bin/env bash
# Builds the Debian packages, checks them by Debian policy (lintian, which must report no error)
# and by what they hold, unpacks them into a scratch root, and builds a program outside the tree
# against the unpacked header with pkg-config and with find_package, then runs it against the
# packaged camsim. Nothing is installed on this machine.
#
#   check_package.sh BUILD_DIR OUTSIDE_SOURCE_DIR VERSION DEBIAN_VERSION
set -euo pipefail
build=$1
outside=$2
version=$3
debversion=$4
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

(cd "$build" && cpack -G DEB -B "$scratch/debs" >"$scratch/cpack.log" 2>&1) || {
    cat "$scratch/cpack.log"
    exit 1
}
arch=$(dpkg --print-architecture)
multiarch=$(dpkg-architecture -qDEB_HOST_MULTIARCH 2>/dev/null || gcc -print-multiarch)
libdir=/usr/lib/$multiarch
packages=(libqorlink1 libqorlink-dev orvia orvia-standins)
declare -A deb
root="$scratch/root"
for p in "${packages[@]}"; do
    deb[$p]="$scratch/debs/${p}_${debversion}_${arch}.deb"
    [ -f "${deb[$p]}" ] || fail "no package ${p}_${debversion}_${arch}.deb"
    dpkg-deb -c "${deb[$p]}" | awk '{print $1, $6}' | sed 's| \./| /|' >"$scratch/$p.entries"
    awk '{print $2}' "$scratch/$p.entries" >"$scratch/$p.list"
    # Files and links only, directories left out.
    awk '$1 !~ /^d/ {print $2}' "$scratch/$p.entries" >"$scratch/$p.files"
    dpkg -x "${deb[$p]}" "$root"
done
built=$(ls "$scratch/debs"/*.deb | wc -l)
[ "$built" -eq ${#packages[@]} ] || fail "$built packages built: $(ls "$scratch/debs")"

has() { # PACKAGE FILE...
    local p=$1
    shift
    for f in "$@"; do
        grep -qx "$f" "$scratch/$p.list" || fail "$f missing from $p"
    done
}

# What each package holds.
has libqorlink1 "$libdir/libqorlink.so.1" "$libdir/libqorlink.so.$version"
has libqorlink-dev /usr/include/qorlink.h "$libdir/libqorlink.so" "$libdir/pkgconfig/qorlink.pc" \
    "$libdir/cmake/qorlink/qorlinkConfig.cmake" "$libdir/cmake/qorlink/qorlinkConfigVersion.cmake"
has orvia /usr/bin/orvia /usr/bin/qorctl /usr/lib/udev/rules.d/60-orvia-camera.rules \
    /usr/share/applications/orvia.desktop /usr/share/icons/hicolor/scalable/apps/orvia.svg \
    /usr/share/man/man1/orvia.1.gz /usr/share/man/man1/qorctl.1.gz \
    /usr/share/bash-completion/completions/qorctl
has orvia-standins "$libdir/orvia/libulmora.so" "$libdir/orvia/libjudvane.so" \
    "$libdir/orvia/libravik.so" "$libdir/orvia/libcifrel.so" /usr/bin/camsim \
    /usr/share/man/man1/camsim.1.gz
for p in "${packages[@]}"; do
    has "$p" "/usr/share/doc/$p/copyright" "/usr/share/doc/$p/changelog.Debian.gz"
done
# The library package holds the library and its documents only; the development link, the
# header and the build files live in the -dev package alone.
if grep -v -E "^$libdir/libqorlink\.so\.1(\.|$)|^/usr/share/doc/libqorlink1/" \
    "$scratch/libqorlink1.files"; then
    fail "more than the library in libqorlink1"
fi
if grep -E '\.h$|\.pc$|\.cmake$|/libqorlink\.so$' "$scratch/orvia.files" "$scratch/orvia-standins.files"; then
    fail "development files outside libqorlink-dev"
fi
[ "$(readlink "$root$libdir/libqorlink.so")" = libqorlink.so.1 ] || fail "development link"
soname=$(objdump -p "$root$libdir/libqorlink.so.$version" | awk '/SONAME/ {print $2}')
[ "$soname" = libqorlink.so.1 ] || fail "SONAME is '$soname'"
# No stand-in and no test program reaches a package a site installs.
if grep -E 'ulmora|judvane|ravik|cifrel|camsim|test' \
    "$scratch/orvia.list" "$scratch/libqorlink1.list" "$scratch/libqorlink-dev.list"; then
    fail "stand-ins or tests outside orvia-standins"
fi
# No file belongs to two packages: apt would refuse to install the second one.
dups=$(for p in "${packages[@]}"; do cat "$scratch/$p.files"; done | sort | uniq -d)
[ -z "$dups" ] || fail "in two packages: $dups"

# Installing and removing leaves nothing behind: every file is one the packages own, under /usr,
# no configuration file is kept after removal, and the only maintainer scripts run ldconfig.
for p in "${packages[@]}"; do
    if grep -v -E '^/usr(/|$)|^/$' "$scratch/$p.list"; then
        fail "$p installs outside /usr"
    fi
    dpkg-deb --ctrl-tarfile "${deb[$p]}" | tar -t | sed 's|^\./||' | grep -v '^$' |
        sort >"$scratch/$p.control"
    if grep -q -x conffiles "$scratch/$p.control"; then
        fail "$p has configuration files, which a removal keeps"
    fi
    mkdir -p "$scratch/control/$p"
    dpkg-deb -e "${deb[$p]}" "$scratch/control/$p"
    for script in preinst postinst prerm postrm config; do
        s="$scratch/control/$p/$script"
        [ -e "$s" ] || continue
        [ -x "$s" ] || fail "$p $script is not executable"
        head -n1 "$s" | grep -q '^#!/bin/sh' || fail "$p $script is not a shell script"
        sh -n "$s" || fail "$p $script does not parse"
        grep -q '^set -e' "$s" || fail "$p $script does not stop at an error"
        # Nothing but ldconfig runs: no file is made that dpkg would not remove.
        if grep -v -E '^(#|set -e$|if \[ "\$1" = "(configure|remove)" \]; then$|fi$|[[:space:]]*ldconfig$|$)' "$s"; then
            fail "$p $script does more than run ldconfig"
        fi
    done
done
[ -f "$scratch/control/libqorlink1/shlibs" ] || fail "libqorlink1 has no shlibs file"
grep -q -x "libqorlink 1 libqorlink1 (>= $debversion)" "$scratch/control/libqorlink1/shlibs" ||
    fail "libqorlink1 shlibs: $(cat "$scratch/control/libqorlink1/shlibs")"
grep -q -x 'activate-noawait ldconfig' "$scratch/control/libqorlink1/triggers" ||
    fail "libqorlink1 does not trigger ldconfig"

# Dependencies: the programs' own are computed with their version floors, the packages of this
# build are tied to their exact version, and every one is met on this machine (the same release
# the packages are built for) or by the four packages themselves.
depends() { dpkg-deb -f "${deb[$1]}" Depends; }
grep -q "libqorlink1 (= $debversion)" <<<"$(depends orvia)" || fail "orvia depends on libqorlink1"
grep -q "libqorlink1 (= $debversion)" <<<"$(depends libqorlink-dev)" ||
    fail "libqorlink-dev depends on libqorlink1"
grep -q "orvia (= $debversion)" <<<"$(depends orvia-standins)" || fail "stand-ins depend on orvia"
for p in libqorlink1 orvia orvia-standins; do
    grep -Eq '(^|, )libc6 \(>= [0-9]' <<<"$(depends "$p")" ||
        fail "$p has no computed libc6 dependency: $(depends "$p")"
done
grep -Eq 'libqt6widgets6 \(>= [0-9]' <<<"$(depends orvia)" ||
    fail "orvia has no computed Qt dependency: $(depends orvia)"
for p in "${packages[@]}"; do
    IFS=',' read -r -a clauses <<<"$(depends "$p")"
    for clause in "${clauses[@]}"; do
        met=false
        IFS='|' read -r -a alternatives <<<"$clause"
        for alt in "${alternatives[@]}"; do
            name=$(awk '{print $1}' <<<"$alt" | sed 's/:any$//')
            relation=$(sed -n 's/.*(\([<>=]*\) *\([^)]*\)).*/\1 \2/p' <<<"$alt")
            if [[ " ${packages[*]} " == *" $name "* ]]; then
                have=$debversion
            else
                have=$(dpkg-query -W -f='${Version}' "$name:$arch" 2>/dev/null ||
                    dpkg-query -W -f='${Version}' "$name" 2>/dev/null || true)
            fi
            [ -n "$have" ] || continue
            if [ -z "$relation" ]; then
                met=true
            else
                op=${relation%% *}
                case $op in '<') op='<<' ;; '>') op='>>' ;; esac
                dpkg --compare-versions "$have" "$op" "${relation#* }" && met=true
            fi
            $met && break
        done
        $met || fail "$p: '$clause' is not met on this machine"
    done
done

# Every program and library is stripped.
while read -r f; do
    [ -f "$root$f" ] && [ ! -L "$root$f" ] || continue
    head -c4 "$root$f" | grep -q 'ELF' || continue
    if readelf -S "$root$f" | grep -E '\.symtab|\.debug_'; then
        fail "$f is not stripped"
    fi
done < <(for p in "${packages[@]}"; do cat "$scratch/$p.files"; done)

# Each changelog's latest entry is the package's version; the copyright file is machine-readable.
for p in "${packages[@]}"; do
    zcat "$root/usr/share/doc/$p/changelog.Debian.gz" >"$scratch/changelog"
    logged=$(dpkg-parsechangelog -l "$scratch/changelog" -S Version)
    [ "$logged" = "$debversion" ] || fail "$p changelog says $logged, the package $debversion"
    head -n1 "$root/usr/share/doc/$p/copyright" |
        grep -q '^Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' ||
        fail "$p copyright is not machine-readable"
done

# Every bitmap icon sits in the hicolor directory of its real size.
while read -r f; do
    [[ $f == /usr/share/icons/hicolor/*.png ]] || continue
    size=$(od -An -tu1 -j16 -N8 "$root$f" |
        awk '{printf "%dx%d", $1*16777216+$2*65536+$3*256+$4, $5*16777216+$6*65536+$7*256+$8}')
    [[ $f == /usr/share/icons/hicolor/$size/* ]] || fail "$f is $size"
done <"$scratch/orvia.files"
grep -q '^/usr/share/icons/hicolor/[0-9]*x[0-9]*/apps/orvia.png$' "$scratch/orvia.files" ||
    fail "no bitmap icon"

# The desktop entry starts the console without handing it dropped files as its OEM mode.
exec_line=$(grep '^Exec=' "$root/usr/share/applications/orvia.desktop")
if grep -q '%[fFuU]' <<<"$exec_line"; then
    fail "the desktop entry passes files: $exec_line"
fi

# The udev rule gives a camera's generic node to the user at the seat, and no group anything.
rule="$root/usr/lib/udev/rules.d/60-orvia-camera.rules"
grep -v '^#' "$rule" | grep -q 'TAG+="uaccess"' || fail "the udev rule tags nothing uaccess"
if grep -v '^#' "$rule" | grep -E 'GROUP=|MODE=|OWNER='; then
    fail "the udev rule widens a group or mode"
fi
grep -v '^#' "$rule" | grep 'uaccess' | grep -q 'DRIVERS=="usb-storage|uas"' ||
    fail "the udev rule is not limited to USB storage"

# Debian policy, as lintian sees it: no error.
command -v lintian >/dev/null || fail "lintian is not installed (scripts/install-deps.sh installs it)"
lintian --fail-on error --suppress-tags-from-file /dev/null \
    "${deb[libqorlink1]}" "${deb[libqorlink-dev]}" "${deb[orvia]}" "${deb[orvia-standins]}" \
    >"$scratch/lintian.log" 2>&1 || {
    cat "$scratch/lintian.log"
    fail "lintian"
}
cat "$scratch/lintian.log"

# No installed program or library carries an empty run path element (the working directory).
while read -r f; do
    [ -f "$root$f" ] && [ ! -L "$root$f" ] || continue
    runpath=$({ readelf -d "$root$f" 2>/dev/null || true; } | sed -n 's/.*(\(RUNPATH\|RPATH\)).*\[\(.*\)\]/\2/p')
    if [ -n "$runpath" ] && grep -Eq '^:|::|:$' <<<"$runpath"; then
        fail "$f has the run path '$runpath'"
    fi
done < <(for p in "${packages[@]}"; do cat "$scratch/$p.files"; done)

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
