#include "win32/drive_io_win32.h"

namespace qorlink::win32 {
namespace {

class HostDriveIo final : public DriveIo {
  public:
    UINT setErrorMode(UINT mode) override { return SetErrorMode(mode); }
    DWORD logicalDriveStrings(DWORD length, char* buffer) override {
        return GetLogicalDriveStringsA(length, buffer);
    }
    UINT driveType(const char* root) override { return GetDriveTypeA(root); }
    HANDLE openDevice(const char* path, DWORD access, DWORD sharing) override {
        return CreateFileA(path, access, sharing, nullptr, OPEN_EXISTING, 0, nullptr);
    }
    bool deviceControl(HANDLE device, DWORD code, void* in, DWORD inLength, void* out,
                       DWORD outLength, DWORD* returned) override {
        return DeviceIoControl(device, code, in, inLength, out, outLength, returned, nullptr) !=
               FALSE;
    }
    void closeDevice(HANDLE device) override { CloseHandle(device); }
};

}  // namespace

DriveIo& hostDriveIo() {
    static HostDriveIo io;
    return io;
}

}  // namespace qorlink::win32
