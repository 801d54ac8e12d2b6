// The system calls that reach drives, behind one interface so that the backends above them can
// be exercised against scripted drives.
#pragma once

#include "win32/windows_api.h"

namespace qorlink::win32 {

class DriveIo {
  public:
    virtual ~DriveIo() = default;
    // SetErrorMode: installs `mode`, returns the one it replaced.
    virtual UINT setErrorMode(UINT mode) = 0;
    // GetLogicalDriveStringsA: the roots, each ended by a NUL, into `buffer` of `length`
    // characters. The count written without the final NUL; the space needed when `length` is
    // too small; 0 on failure.
    virtual DWORD logicalDriveStrings(DWORD length, char* buffer) = 0;
    // GetDriveTypeA of a root ("E:\").
    virtual UINT driveType(const char* root) = 0;
    // CreateFileA for an existing device; INVALID_HANDLE_VALUE on failure.
    virtual HANDLE openDevice(const char* path, DWORD access, DWORD sharing) = 0;
    // DeviceIoControl without overlapping.
    virtual bool deviceControl(HANDLE device, DWORD code, void* in, DWORD inLength, void* out,
                               DWORD outLength, DWORD* returned) = 0;
    virtual void closeDevice(HANDLE device) = 0;
};

// The system's calls.
DriveIo& hostDriveIo();

}  // namespace qorlink::win32
