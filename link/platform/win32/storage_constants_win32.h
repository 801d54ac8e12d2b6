// Names and numbers of the Windows storage backends: how camera drives are named and opened,
// the device controls they take and the fixed fields of a pass-through request. The ASPI
// layer's own numbers are in aspi_layout.h.
#pragma once

#include <cstddef>
#include <cstdint>

#include "win32/windows_api.h"

namespace qorlink::win32 {

// Chooses the storage backend when set: "passthrough", "aspi" or "none".
inline constexpr char kStorageVariable[] = "QORLINK_STORAGE";

// Versions reported by the system (OSVERSIONINFO's platform identifier).
inline constexpr uint32_t kPlatformWindows9x = VER_PLATFORM_WIN32_WINDOWS;
inline constexpr uint32_t kPlatformWindowsNt = VER_PLATFORM_WIN32_NT;
inline constexpr uint32_t kAspiMajorVersion = 4;       // 9x systems of this major, minor not 0
inline constexpr uint32_t kPassThroughFirstMajor = 5;  // NT systems from this major on

// Drives. The drive strings are one root ("E:\") per drive, at most 26 of four characters.
inline constexpr char kFloppyRoot[] = "A:\\";
inline constexpr size_t kDriveStringsSpace = 26 * 4 + 1;
inline constexpr char kDevicePrefix[] = "\\\\.\\";  // "\\.\E:" opens the drive as a device
inline constexpr DWORD kDriveAccess = GENERIC_READ | GENERIC_WRITE;
inline constexpr DWORD kDriveSharing = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

// Device controls.
inline constexpr DWORD kIoctlScsiPassThroughDirect = 0x4D014;
// Sent once after a camera drive opens, with three 32-bit values; their meaning belongs to the
// camera's storage firmware and its answer is not looked at.
inline constexpr DWORD kIoctlCameraDriveSetup = 0x8000202C;
inline constexpr uint32_t kCameraDriveSetup[3] = {180, 180, 0};

// Fixed fields of a pass-through request.
inline constexpr uint8_t kPassThroughPath = 0;
inline constexpr uint8_t kPassThroughTarget = 1;
inline constexpr uint8_t kPassThroughLun = 0;
inline constexpr size_t kPassThroughSenseBytes = 24;

// Commands as the backends accept them.
inline constexpr size_t kMaxCdbLength = 16;
inline constexpr uint32_t kMsPerSecond = 1000;

}  // namespace qorlink::win32
