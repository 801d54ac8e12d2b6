#include "line_record.h"

#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdio>
#include <ctime>

#include "posix/serial_posix.h"

namespace bench {

namespace {

// A serial port of the host backend whose operations are noted in the platform's record.
class RecordingPort final : public qorlink::SerialPort {
  public:
    RecordingPort(std::unique_ptr<qorlink::SerialPort> port, RecordingPlatform& record)
        : port_(std::move(port)), record_(record) {}

    bool setLine(int baud) override {
        record_.note(LineOp(LineOp::SetLine, baud));
        return port_->setLine(baud);
    }
    bool setNoFlowControl() override {
        record_.note(LineOp(LineOp::NoFlowControl));
        return port_->setNoFlowControl();
    }
    bool setBaud(int baud) override {
        record_.note(LineOp(LineOp::SetBaud, baud));
        return port_->setBaud(baud);
    }
    bool write(const uint8_t* data, size_t n) override {
        record_.noteWrite(data, n);
        return port_->write(data, n);
    }
    int read(uint8_t* data, size_t n, uint32_t timeoutMs) override {
        const int r = port_->read(data, n, timeoutMs);
        LineOp op(LineOp::Read, static_cast<int>(n));
        op.timeoutMs = timeoutMs;
        op.got = std::max(r, 0);
        record_.note(op);
        return r;
    }
    bool purge() override {
        record_.note(LineOp(LineOp::Purge));
        return port_->purge();
    }

  private:
    std::unique_ptr<qorlink::SerialPort> port_;
    RecordingPlatform& record_;
};

// The far end passes a line's bytes on in groups at most this far apart (camsim: 1 ms), and a
// sleeping thread wakes this much late at most, as allowed for by the replay's one sleep.
constexpr uint64_t kPacingUs = 1000;
constexpr uint64_t kWakeSlackUs = 2000;

// How much longer than the record a read may wait before the replay counts as diverged.
constexpr int kReplayMarginMs = 1000;

uint64_t nowUs() {
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return static_cast<uint64_t>(t.tv_sec) * 1'000'000 + static_cast<uint64_t>(t.tv_nsec) / 1000;
}

void sleepUntilUs(uint64_t at) {
    const timespec due{static_cast<time_t>(at / 1'000'000),
                       static_cast<long>(at % 1'000'000) * 1000};
    while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &due, nullptr) == EINTR) {
    }
}

// Room for a round's operations and bytes (64 frames of 2 KiB and their handshakes).
constexpr size_t kRoundOps = 4096;
constexpr size_t kRoundBytes = 512 * 1024;

}  // namespace

void RecordingPlatform::startAfresh() {
    record_ = {};
    record_.ops.reserve(kRoundOps);
    record_.bytes.reserve(kRoundBytes);
}

LineRecord RecordingPlatform::take() {
    LineRecord taken = std::move(record_);
    startAfresh();
    return taken;
}

void RecordingPlatform::noteWrite(const uint8_t* data, size_t n) {
    LineOp op(LineOp::Write);
    op.at = record_.bytes.size();
    op.n = n;
    record_.bytes.insert(record_.bytes.end(), data, data + n);
    record_.ops.push_back(op);
}

std::unique_ptr<qorlink::SerialPort> RecordingPlatform::openSerial(int n) {
    auto port = qorlink::hostPlatform().openSerial(n);
    if (port == nullptr) return nullptr;
    return std::make_unique<RecordingPort>(std::move(port), *this);
}

std::vector<std::string> RecordingPlatform::listRemovableScsi() {
    return qorlink::hostPlatform().listRemovableScsi();
}

std::unique_ptr<qorlink::ScsiDevice> RecordingPlatform::openScsi(const std::string& name) {
    return qorlink::hostPlatform().openScsi(name);
}

uint32_t RecordingPlatform::tickMs() {
    return qorlink::hostPlatform().tickMs();
}

void RecordingPlatform::sleepMs(uint32_t ms) {
    note(LineOp(LineOp::SleepMs, static_cast<int>(ms)));
    qorlink::hostPlatform().sleepMs(ms);
}

void RecordingPlatform::sleepUntilTick(uint32_t tick) {
    note(LineOp(LineOp::SleepToTick, static_cast<int32_t>(tick - tickMs())));
    qorlink::hostPlatform().sleepUntilTick(tick);
}

std::unique_ptr<qorlink::LoadedLibrary> RecordingPlatform::loadLibrary(
    const std::string& windowsName) {
    return qorlink::hostPlatform().loadLibrary(windowsName);
}

qorlink::FileRead RecordingPlatform::readOpenFile(intptr_t file, std::vector<uint8_t>* bytes) {
    return qorlink::hostPlatform().readOpenFile(file, bytes);
}

bool FloorReplay::run(const LineRecord& record) {
    for (const LineOp& op : record.ops) {
        if (!perform(op, record)) return false;
        afterWrite_ = op.kind == LineOp::Write;
    }
    return true;
}

bool FloorReplay::perform(const LineOp& op, const LineRecord& record) {
    switch (op.kind) {
        case LineOp::SetLine:
            return setSpeed(op.value, true);
        case LineOp::SetBaud:
            return setSpeed(op.value, false);
        case LineOp::NoFlowControl:
            return true;  // the line is raw from the start
        case LineOp::Write:
            return write(record.bytes.data() + op.at, op.n);
        case LineOp::Read:
            return read(op);
        case LineOp::Purge:
            held_ = 0;
            return tcflush(fd_, TCIOFLUSH) == 0;
        case LineOp::SleepMs:
            sleepUntilUs(nowUs() + static_cast<uint64_t>(op.value) * 1000);
            return true;
        case LineOp::SleepToTick:
            if (op.value > 0) sleepUntilUs((nowUs() / 1000 + op.value) * 1000);
            return true;
    }
    return false;
}

bool FloorReplay::setSpeed(int baud, bool raw) {
    termios t{};
    if (tcgetattr(fd_, &t) != 0) return false;
    if (raw) {
        cfmakeraw(&t);
        t.c_cflag |= CLOCAL | CREAD;
        t.c_cc[VMIN] = 0;
        t.c_cc[VTIME] = 0;
    }
    const speed_t speed = qorlink::posix::speedConstant(baud);
    if (speed == 0) return false;
    cfsetispeed(&t, speed);
    cfsetospeed(&t, speed);
    baud_ = baud;
    return tcsetattr(fd_, TCSANOW, &t) == 0;
}

bool FloorReplay::write(const uint8_t* data, size_t n) {
    size_t done = 0;
    while (done < n) {
        const ssize_t w = ::write(fd_, data + done, n - done);
        if (w > 0) {
            done += static_cast<size_t>(w);
        } else if (w < 0 && errno == EAGAIN) {
            pollfd p{fd_, POLLOUT, 0};
            poll(&p, 1, kReplayMarginMs);
        } else if (!(w < 0 && errno == EINTR)) {
            return false;
        }
    }
    return tcdrain(fd_) == 0;
}

// A recorded read: a time-out is one wait; bytes are a wait for the first (at once after a
// write, whose answer cannot be there yet) and one sleep for the line time of the rest.
bool FloorReplay::read(const LineOp& op) {
    const size_t want = static_cast<size_t>(op.got);
    if (want == 0) {
        if (held_ == 0) {
            pollfd p{fd_, POLLIN, 0};
            poll(&p, 1, static_cast<int>(op.timeoutMs));
        }
        return true;
    }
    const uint64_t deadline = nowUs() + (op.timeoutMs + kReplayMarginMs) * 1000ull;
    bool wait = afterWrite_ && held_ == 0;
    bool slept = false;
    while (held_ < want) {
        if (wait) {
            const uint64_t now = nowUs();
            pollfd p{fd_, POLLIN, 0};
            if (now >= deadline ||
                poll(&p, 1, static_cast<int>((deadline - now) / 1000 + 1)) <= 0) {
                std::fprintf(stderr, "floor: the camera sent %zu of %zu bytes\n", held_, want);
                return false;
            }
        }
        const ssize_t r = ::read(fd_, buffer_.data(), buffer_.size());
        if (r > 0) held_ += static_cast<size_t>(r);
        if (held_ >= want) break;
        // Bytes flow: the rest comes at the line's pace.
        if (held_ > 0 && !slept && baud_ > 0) {
            const uint64_t lineUs = (want - held_) * 10 * 1'000'000ull / baud_;
            sleepUntilUs(nowUs() + lineUs + kPacingUs + kWakeSlackUs);
            slept = true;
            wait = false;
        } else {
            wait = true;
        }
    }
    held_ -= want;
    return true;
}

}  // namespace bench
