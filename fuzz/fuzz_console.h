// What the console fuzz targets share: the fuzzer's bytes read in order, a camera whose every call
// succeeds at once and hands nothing back unless a target answers it from those bytes, and an
// operator, clock and host that stand in for the bench without showing anything.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <tuple>

#include "console/app_state.h"
#include "console/camera.h"
#include "console/clock.h"
#include "console/dialog_context.h"
#include "console/host.h"
#include "console/operator.h"
#include "console/result_text.h"

namespace orvia::fuzz {

// Stops the run when a property the console promises does not hold.
inline void Check(bool ok) {
    if (!ok) std::abort();
}

// The fuzzer's bytes, taken from the front; past the end everything reads as zero.
class Bytes {
  public:
    Bytes(const uint8_t* data, size_t size) : rest_(data, size) {}

    uint8_t byte() {
        if (rest_.empty()) return 0;
        const uint8_t b = rest_.front();
        rest_ = rest_.subspan(1);
        return b;
    }
    // A little-endian 32-bit word, as the camera sends its words.
    int32_t word() {
        uint32_t w = 0;
        for (int i = 0; i < 4; ++i)
            w |= uint32_t{byte()} << (8 * i);
        return static_cast<int32_t>(w);
    }
    // Up to `n` bytes.
    std::span<const uint8_t> take(size_t n) {
        const std::span<const uint8_t> part = rest_.first(std::min(n, rest_.size()));
        rest_ = rest_.subspan(part.size());
        return part;
    }
    std::span<const uint8_t> rest() const { return rest_; }

  private:
    std::span<const uint8_t> rest_;
};

// A camera that answers every call with 0 at once, is always ready, and writes nothing into the
// caller's buffers. Targets override the calls whose answers they take from the fuzzer.
class QuietCamera : public Camera {
  public:
    int32_t setup_callback(ProgressFn, int32_t) override { return 0; }
#define ORVIA_FUZZ_QUIET(name, params, args)           \
    int32_t name params override {                     \
        static_cast<void>(std::forward_as_tuple args); \
        return 0;                                      \
    }
    ORVIA_CAMERA_CALLS(ORVIA_FUZZ_QUIET)
#undef ORVIA_FUZZ_QUIET
};

// A camera whose diagnostic result buffer holds `bytes`, as much of them as the library writes
// (1024 bytes at most).
class DiagTextCamera final : public QuietCamera {
  public:
    explicit DiagTextCamera(std::span<const uint8_t> bytes) : bytes_(bytes) {}
    int32_t get_diag_buffer(void* buf) override {
        constexpr size_t kMaxBytes = 1024;
        const size_t n = std::min(bytes_.size(), kMaxBytes);
        if (n > 0) std::memcpy(buf, bytes_.data(), n);
        return 0;
    }

  private:
    std::span<const uint8_t> bytes_;
};

// An operator at the bench who answers No, chooses no file and closes every dialog at once.
class QuietOperator final : public Operator {
  public:
    bool askYesNo(std::string_view) override { return false; }
    std::optional<std::string> chooseFile(std::string_view, std::string_view) override {
        return std::nullopt;
    }
    int runModal(DialogModel&) override { return 0; }
    bool showModeless(DialogModel&) override { return true; }
    void refresh(DialogModel&) override {}
    void setWaitCursor(bool) override {}
    void copyToClipboard(std::string_view) override {}

  protected:
    void showMessage(MessageKind, std::string_view) override {}
};

// Time that passes only when slept.
class SleptClock final : public Clock {
  public:
    uint32_t tickMs() override { return now_; }
    void sleepMs(uint32_t ms) override { now_ += ms; }
    std::time_t wallTime() override { return 1'300'000'000 + now_ / 1000; }

  private:
    uint32_t now_ = 0;
};

// A machine without marker files or outside libraries.
class BareHost : public Host {
  public:
    bool markerFilePresent(std::string_view) override { return false; }
    std::unique_ptr<OutsideLibrary> loadLibrary(std::string_view) override { return nullptr; }
    BuildIdentity linkBuildIdentity() override { return {}; }
};

// The context a dialog is built on, around `camera`.
struct Bench {
    explicit Bench(Camera& camera) : context{camera, clock, op, texts, state, host} {}

    SleptClock clock;
    QuietOperator op;
    ResultTexts texts;
    AppState state;
    BareHost host;
    DialogContext context;
};

}  // namespace orvia::fuzz
