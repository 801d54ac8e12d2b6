// Fuzz target: whatever a camera drive answers to the vendor SCSI commands (message lengths,
// message bytes, failures), the USB transport and the protocol above it must end, never write
// past a buffer and never allocate what a reported length asks for.
//
// Every data-in command takes its bytes from the input in turn; a byte 0xEE at a command's turn
// makes that command fail instead. Data-out commands are accepted.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "platform.h"
#include "qorlink.h"

namespace {

constexpr uint8_t kFailMarker = 0xEE;
constexpr size_t kCapacity = 96;
constexpr uint8_t kGuard = 0xA5;

class FuzzDrive : public qorlink::ScsiDevice {
  public:
    FuzzDrive(const uint8_t* data, size_t size) : data_(data), size_(size) {}
    bool command(const uint8_t*, size_t, qorlink::ScsiDirection direction, uint8_t* buf,
                 size_t length, uint32_t) override {
        if (direction != qorlink::ScsiDirection::In) return true;
        if (pos_ >= size_) return false;  // the drive has gone away
        if (data_[pos_] == kFailMarker) {
            ++pos_;
            return false;
        }
        const size_t n = std::min(length, size_ - pos_);
        std::memcpy(buf, data_ + pos_, n);
        std::memset(buf + n, 0, length - n);
        pos_ += n;
        return true;
    }

  private:
    const uint8_t* data_;
    size_t size_;
    size_t pos_ = 0;
};

class FuzzPlatform : public qorlink::Platform {
  public:
    FuzzPlatform(const uint8_t* data, size_t size) : data_(data), size_(size) {}
    std::unique_ptr<qorlink::SerialPort> openSerial(int) override { return nullptr; }
    std::vector<std::string> listRemovableScsi() override { return {"drive"}; }
    std::unique_ptr<qorlink::ScsiDevice> openScsi(const std::string&) override {
        return std::make_unique<FuzzDrive>(data_, size_);
    }
    uint32_t tickMs() override { return now_; }
    void sleepMs(uint32_t ms) override { now_ += ms; }
    std::unique_ptr<qorlink::LoadedLibrary> loadLibrary(const std::string&) override {
        return nullptr;
    }
    qorlink::FileRead readOpenFile(intptr_t, std::vector<uint8_t>*) override {
        return qorlink::FileRead::Failed;
    }

  private:
    const uint8_t* data_;
    size_t size_;
    uint32_t now_ = 0;
};

void Check(bool ok) {
    if (!ok) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzPlatform platform(data, size);
    qorlink::installPlatform(&platform);
    Cam_reset_dll();
    // An OEM value takes the drive without looking at its inquiry answer.
    if (Cam_set_port(0x5B000000) == 160 && Cam_session_enabled(1) == 0) {
        std::vector<uint8_t> out(kCapacity + 16, kGuard);
        Cam_get_lcd_type();
        Cam_get_version(out.data());
        Cam_get_diag_buffer_val(out.data(), kCapacity);
        Cam_get_diag_info4(out.data(), kCapacity);
        for (size_t i = kCapacity; i < out.size(); ++i)
            Check(out[i] == kGuard);
    }
    Cam_reset_dll();
    qorlink::installPlatform(nullptr);
    return 0;
}
