#include "win32/serial_win32.h"

#include <windows.h>

#include <algorithm>
#include <cstdlib>

#include "win32/comm_settings.h"

namespace qorlink::win32 {

namespace {

// A COM port. It keeps the line settings and time-outs it gave the port last, so a setting
// changes one field of what the port has, and a read whose time-out is the one in force does
// not set it again.
class ComPort final : public SerialPort {
  public:
    ComPort(HANDLE handle, const DCB& line, const COMMTIMEOUTS& timeouts)
        : handle_(handle), line_(line), timeouts_(timeouts) {}
    ~ComPort() override { CloseHandle(handle_); }

    bool setLine(int baud) override {
        return applyLine(rawLine(line_, baud)) && applyTimeouts(withWriteTimeouts(timeouts_)) &&
               SetupComm(handle_, kQueueBytes, kQueueBytes);
    }

    bool setNoFlowControl() override { return applyLine(withoutFlowControl(line_)); }

    bool setBaud(int baud) override { return applyLine(withBaud(line_, baud)); }

    // The write time-outs bound WriteFile; the flush waits until the bytes have left the driver.
    bool write(const uint8_t* data, size_t n) override {
        if (n > MAXDWORD) return false;
        DWORD written = 0;
        if (!WriteFile(handle_, data, static_cast<DWORD>(n), &written, nullptr)) return false;
        return written == n && FlushFileBuffers(handle_);
    }

    // One ReadFile: the driver holds it until all the bytes asked for are in or the time is up,
    // so the caller wakes once per read, however the bytes trickle in on the line.
    int read(uint8_t* data, size_t n, uint32_t timeoutMs) override {
        if (n == 0) return 0;
        if (!applyTimeouts(withReadTimeout(timeouts_, timeoutMs))) return -1;
        const DWORD want = static_cast<DWORD>(std::min<size_t>(n, MAXDWORD));
        DWORD got = 0;
        if (!ReadFile(handle_, data, want, &got, nullptr))
            return got > 0 ? static_cast<int>(got) : -1;
        return static_cast<int>(got);
    }

    bool purge() override {
        return PurgeComm(handle_, PURGE_RXCLEAR | PURGE_TXCLEAR | PURGE_RXABORT | PURGE_TXABORT);
    }

  private:
    bool applyLine(DCB line) {
        if (!SetCommState(handle_, &line)) return false;
        line_ = line;
        return true;
    }

    bool applyTimeouts(COMMTIMEOUTS t) {
        if (sameTimeouts(t, timeouts_)) return true;
        if (!SetCommTimeouts(handle_, &t)) return false;
        timeouts_ = t;
        return true;
    }

    HANDLE handle_;
    DCB line_;
    COMMTIMEOUTS timeouts_;
};

}  // namespace

std::string serialDeviceName(int n) {
    const std::string variable = "QORLINK_COM" + std::to_string(n);
    const char* named = std::getenv(variable.c_str());
    if (named != nullptr && named[0] != '\0') return named;
    return "\\\\.\\COM" + std::to_string(n);
}

std::unique_ptr<SerialPort> openComPort(const std::string& device) {
    // No sharing: a port another program has open is refused.
    const HANDLE handle = CreateFileA(device.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                      OPEN_EXISTING, 0, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return nullptr;
    DCB line{};
    line.DCBlength = sizeof line;
    COMMTIMEOUTS timeouts{};
    if (!GetCommState(handle, &line) || !GetCommTimeouts(handle, &timeouts)) {
        CloseHandle(handle);  // not a serial device
        return nullptr;
    }
    return std::make_unique<ComPort>(handle, line, timeouts);
}

}  // namespace qorlink::win32
