#!/bin/sh
# A session through Qorlink.dll under Wine with a camera on COM1: the Linux camsim serves the
# camera on a pseudo-terminal, Wine's registry maps COM1 to that terminal, and link_over_com1.exe
# reads the camera's values and loads a file, which camsim saves as it received it.
#
#   link_over_com1.sh CAMSIM WINE WINESERVER PROGRAM WORKDIR
#
# Wine runs in a prefix of its own under WORKDIR, made on the first run and reused after: the
# COM1 mapping and the restart of its wineserver then touch no other prefix (a developer's own,
# or the one CI uses as root). Exit status 77 (skipped) when there is no camsim to run.
set -eu

if [ "${1:-}" = --wired ]; then
    # Run by camsim, with QORLINK_COM1 naming its terminal. COM1 is mapped in the registry only;
    # the program must find the port by that name, so the variable is not passed on. Wine maps
    # the ports when its server starts, hence a server of its own for each step. (A server
    # reports its objects when it is ended, hence its quiet output.)
    wine=$2 wineserver=$3 program=$4 file=$5
    "$wineserver" 2>/dev/null
    "$wine" reg add 'HKLM\Software\Wine\Ports' /v COM1 /t REG_SZ /d "$QORLINK_COM1" /f >/dev/null
    "$wineserver" -k || true  # already gone: nothing to end
    "$wineserver" -w
    "$wineserver" 2>/dev/null
    exec env -u QORLINK_COM1 "$wine" "$program" "Z:$file"
fi

camsim=$1 wine=$2 wineserver=$3 program=$4 work=$5
if [ ! -x "$camsim" ]; then
    echo "skipped: no Linux camsim at $camsim; build it with the default preset" \
        "(target camsim_cmd) or point ORVIA_HOST_CAMSIM at one"
    exit 77
fi

export WINEPREFIX="$work/wineprefix" WINEDEBUG=-all
mkdir -p "$WINEPREFIX"
trap '"$wineserver" -k 2>/dev/null || true' EXIT  # ends the prefix's session at once

firmware=3.21.0456 type=XQ900 lcd=3
sent="$work/sent.bin" received="$work/received.bin" output="$work/output.txt"
head -c 12000 /dev/urandom >"$sent"
rm -f "$received"

status=0
"$camsim" --firmware "$firmware" --type "$type" --lcd "$lcd" --save-load "$received" \
    -- sh "$0" --wired "$wine" "$wineserver" "$program" "$sent" >"$output.crlf" || status=$?
tr -d '\r' <"$output.crlf" >"$output"
cat "$output"
[ "$status" -eq 0 ] || { echo "FAILED: exit status $status"; exit 1; }
for line in "port: 1" "firmware: $firmware" "type: $type" "lcd: $lcd" "load: 0" "close: 0"; do
    grep -qx "$line" "$output" || { echo "FAILED: no line '$line'"; exit 1; }
done
cmp "$sent" "$received" || { echo "FAILED: the camera received other bytes than were sent"; exit 1; }
echo "passed"
