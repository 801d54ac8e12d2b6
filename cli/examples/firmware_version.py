#!/usr/bin/env python3
"""Prints a camera's firmware version and serial number through libqorlink, with ctypes.

    firmware_version.py [LIBRARY] [PORT]

LIBRARY defaults to the installed libqorlink.so.1, PORT to 1 (device $QORLINK_COM1).
"""
import ctypes
import sys

lib = ctypes.CDLL(sys.argv[1] if len(sys.argv) > 1 else "libqorlink.so.1")
port = int(sys.argv[2]) if len(sys.argv) > 2 else 1

lib.Cam_reset_dll()
lib.Cam_set_speed(5)
if lib.Cam_set_port(port) < 0:
    sys.exit("no camera on port %d" % port)
result = lib.Cam_session_enabled(1)
if result != 0:
    sys.exit("session not opened: result %d" % result)
try:
    for name, call in (("firmware", lib.Cam_get_version), ("serial", lib.Cam_get_serial_no)):
        buffer = ctypes.create_string_buffer(33)
        result = call(buffer)
        if result != 0:
            sys.exit("%s: result %d" % (name, result))
        print("%s: %s" % (name, buffer.value.decode("ascii", "replace")))
finally:
    lib.Cam_session_enabled(0)
