#!/bin/sh
# One camera at a production station: identify it, flash firmware when FIRMWARE names a file,
# run the AWB calibration, and keep a station log of it all.
#
#   FIRMWARE=/srv/fw/FW0102.BIN ./station.sh
set -u
log=${ORVIA_STATION_LOG:-station.log}

if ! info=$(qorctl --json --log "$log" info); then
    echo "no camera" >&2
    exit 1
fi
echo "$info"

if [ -n "${FIRMWARE:-}" ]; then
    qorctl --log "$log" --yes upload firmware "$FIRMWARE" || exit $?
fi

qorctl --log "$log" --yes calibrate awb
status=$?
case $status in
0) echo "AWB: passed" ;;
7) echo "AWB: judged NG" ;;
1[0-9] | 2[0-9] | 3[0-3]) echo "AWB: camera call failed (link result $((status - 10)))" ;;
*) echo "AWB: failed with status $status" ;;
esac
exit $status
