#include "posix/serial_posix.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdlib>
#include <ctime>

#include "posix/clock_posix.h"
#include "secure_wipe.h"

namespace qorlink::posix {

namespace {

constexpr uint32_t kWriteMsPerByte = 100;
constexpr uint32_t kWriteMsConstant = 300;

// Bytes a short read asks the driver for (its receive queue holds as many).
constexpr size_t kReadAhead = 4096;

// The most a read's first sleep allows for a late tail beyond the line time.
constexpr uint64_t kMaxLagUs = 20'000;

// Bits per byte on an 8N1 line.
constexpr uint64_t kBitsPerByte = 10;

// Sleeps for `us` microseconds, resuming after signals.
void sleepUs(uint64_t us) {
    timespec t{static_cast<time_t>(us / 1'000'000), static_cast<long>(us % 1'000'000) * 1000};
    while (nanosleep(&t, &t) != 0 && errno == EINTR) {
    }
}

// A call that fails this way on a pseudo-terminal does not make the line unusable.
bool notApplicable(int err) {
    return err == ENOTTY || err == EINVAL;
}

int remainingMs(uint64_t deadlineUs) {
    uint64_t now = monotonicUs();
    if (now >= deadlineUs) return 0;
    return static_cast<int>((deadlineUs - now + 999) / 1000);
}

// Waits for `events` on fd until the deadline. 1 ready, 0 timed out, -1 failure or hang-up.
int waitFor(int fd, short events, uint64_t deadlineUs) {
    for (;;) {
        int ms = remainingMs(deadlineUs);
        pollfd p{fd, events, 0};
        int r = poll(&p, 1, ms);
        if (r < 0 && errno == EINTR) continue;
        if (r < 0) return -1;
        if (r == 0) {
            // A wait never ends early: when it ran its full span, the deadline has passed.
            if (ms == 0 || remainingMs(deadlineUs) == 0) return 0;
            continue;
        }
        return (p.revents & events) ? 1 : -1;
    }
}

// Takes the advisory lock, then makes the terminal refuse further opens. The lock comes first so
// that a port held elsewhere keeps its holder's exclusive mode.
bool lockExclusive(int fd) {
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) return false;
    return ioctl(fd, TIOCEXCL) == 0 || notApplicable(errno);
}

// Lets the next opener in again. The exclusive mode belongs to the terminal, not to this
// descriptor: a pseudo-terminal whose other side stays open keeps it after the close, and then
// only privileged users could ever open it again.
void releaseExclusive(int fd) {
    ioctl(fd, TIOCNXCL);
}

class PosixSerialPort final : public SerialPort {
  public:
    explicit PosixSerialPort(int fd) : fd_(fd) {}
    ~PosixSerialPort() override {
        SecureWipe(ahead_.data(), ahead_.size());
        releaseExclusive(fd_);
        close(fd_);
    }

    bool setLine(int baud) override {
        termios t{};
        if (tcgetattr(fd_, &t) != 0) return false;
        cfmakeraw(&t);
        t.c_cflag &= ~(CSIZE | PARENB | CSTOPB | CRTSCTS);
        t.c_cflag |= CS8 | CLOCAL | CREAD;
        t.c_iflag &= ~(IXON | IXOFF | IXANY);
        t.c_cc[VMIN] = 0;
        t.c_cc[VTIME] = 0;
        if (!applySpeed(t, baud) || tcsetattr(fd_, TCSANOW, &t) != 0) return false;
        baud_ = baud;
        return raiseModemLines();
    }

    bool setNoFlowControl() override {
        termios t{};
        if (tcgetattr(fd_, &t) != 0) return false;
        t.c_cflag &= ~CRTSCTS;
        t.c_iflag &= ~(IXON | IXOFF | IXANY);
        return tcsetattr(fd_, TCSANOW, &t) == 0;
    }

    bool setBaud(int baud) override {
        termios t{};
        if (tcgetattr(fd_, &t) != 0) return false;
        if (!applySpeed(t, baud) || tcsetattr(fd_, TCSANOW, &t) != 0) return false;
        baud_ = baud;
        return true;
    }

    bool write(const uint8_t* data, size_t n) override {
        uint64_t deadline =
            monotonicUs() + (static_cast<uint64_t>(n) * kWriteMsPerByte + kWriteMsConstant) * 1000;
        size_t done = 0;
        while (done < n) {
            ssize_t w = ::write(fd_, data + done, n - done);
            if (w > 0) {
                done += static_cast<size_t>(w);
                continue;
            }
            if (w < 0 && errno == EINTR) continue;
            if (w < 0 && errno != EAGAIN) return false;
            if (waitFor(fd_, POLLOUT, deadline) != 1) return false;
        }
        replyAwaited_ = true;
        return drain();
    }

    int read(uint8_t* data, size_t n, uint32_t timeoutMs) override {
        uint64_t deadline = monotonicUs() + static_cast<uint64_t>(timeoutMs) * 1000;
        size_t got = takeAhead(data, n);
        bool signalled = false;  // poll reported input that the last read did not find
        size_t pacedAt = 0;      // bytes held when the read last slept for the line time
        uint64_t lineEndUs = 0;  // when the bytes missing at the first such sleep were due
        bool tail = false;       // bytes were still missing after that sleep
        // The answer to bytes just written cannot be waiting yet: wait for it before reading.
        bool waitFirst = replyAwaited_ && got == 0;
        replyAwaited_ = false;
        while (got < n) {
            // Bytes flow and the driver passed on all it had: the rest is still on the line.
            if (got > pacedAt) {
                const bool first = lineEndUs == 0;
                const uint64_t dueUs = paceForMissing(n - got, deadline, first ? lagUs_ : 0);
                if (first) lineEndUs = dueUs;
                tail = !first;
                pacedAt = got;
            }
            if (!waitFirst) {
                ssize_t r = readSome(data + got, n - got);
                if (r > 0) {
                    got += static_cast<size_t>(r);
                    signalled = false;
                    continue;
                }
                if (r < 0 && errno == EINTR) continue;
                // A raw line reads 0 when nothing is waiting; a hung-up one reads 0 right after
                // poll reported it readable.
                bool nothing = r == 0 || errno == EAGAIN;
                if (!nothing || signalled) return got > 0 ? static_cast<int>(got) : -1;
            }
            waitFirst = false;
            tail = tail || lineEndUs != 0;
            int w = waitFor(fd_, POLLIN, deadline);
            if (w == 0) break;
            if (w < 0) return got > 0 ? static_cast<int>(got) : -1;
            signalled = true;
        }
        if (got == n && lineEndUs != 0) learnLag(lineEndUs, tail);
        return static_cast<int>(got);
    }

    bool purge() override {
        SecureWipe(ahead_.data() + aheadBegin_, aheadEnd_ - aheadBegin_);
        aheadBegin_ = aheadEnd_ = 0;
        return tcflush(fd_, TCIOFLUSH) == 0;
    }

  private:
    // Moves up to n bytes read ahead earlier into `data`; returns how many. The bytes taken are
    // wiped here: they may belong to a key record, and the port keeps no copy of what it passed on.
    size_t takeAhead(uint8_t* data, size_t n) {
        const size_t k = std::min(n, aheadEnd_ - aheadBegin_);
        std::copy_n(ahead_.data() + aheadBegin_, k, data);
        SecureWipe(ahead_.data() + aheadBegin_, k);
        aheadBegin_ += k;
        return k;
    }

    // Reads what the driver holds, up to `want` bytes for the caller. A short request reads
    // ahead into the port's own buffer, so that a frame's header and the start of its payload
    // come in one call; the rest waits there for the next read.
    ssize_t readSome(uint8_t* data, size_t want) {
        if (want >= ahead_.size()) return ::read(fd_, data, want);
        const ssize_t r = ::read(fd_, ahead_.data(), ahead_.size());
        if (r <= 0) return r;
        aheadBegin_ = 0;
        aheadEnd_ = static_cast<size_t>(r);
        return static_cast<ssize_t>(takeAhead(data, want));
    }

    // Once bytes flow, the rest cannot arrive faster than the line carries them: sleep for their
    // line time and take them together, instead of waking for every few bytes the driver passes
    // on. The first such sleep of a read also allows for how late the sender's last bytes came
    // lately (an adapter that passes bytes on in packets, a sender behind its line), so that the
    // tail is there on waking. Returns when the missing bytes were due on the line.
    uint64_t paceForMissing(size_t missing, uint64_t deadline, uint64_t lagUs) const {
        const uint64_t now = monotonicUs();
        if (missing < 2 || baud_ <= 0) return now;
        const uint64_t us = missing * kBitsPerByte * 1'000'000 / static_cast<uint64_t>(baud_);
        if (now < deadline) sleepUs(std::min<uint64_t>(us + lagUs, deadline - now));
        return now + us;
    }

    // After a read whose first sleep was for bytes due at `lineEndUs`: when a tail still had to
    // be waited for, the lag is how late it came; otherwise the allowance shrinks again.
    void learnLag(uint64_t lineEndUs, bool tailAwaited) {
        if (!tailAwaited) {
            lagUs_ -= lagUs_ / 8;
            return;
        }
        const uint64_t now = monotonicUs();
        lagUs_ = now > lineEndUs ? std::min(now - lineEndUs, kMaxLagUs) : 0;
    }

    static bool applySpeed(termios& t, int baud) {
        speed_t s = speedConstant(baud);
        return s != 0 && cfsetispeed(&t, s) == 0 && cfsetospeed(&t, s) == 0;
    }

    bool raiseModemLines() {
        int lines = TIOCM_DTR | TIOCM_RTS;
        return ioctl(fd_, TIOCMBIS, &lines) == 0 || notApplicable(errno);
    }

    // Waits until written bytes have left the driver (bounded by the line itself).
    bool drain() {
        for (;;) {
            if (tcdrain(fd_) == 0) return true;
            if (errno == EINTR) continue;
            return notApplicable(errno);
        }
    }

    int fd_;
    int baud_ = 0;               // the line speed set last, for pacing reads
    bool replyAwaited_ = false;  // the last operation was a write
    uint64_t lagUs_ = 0;         // how late the tail of a read came after its line time, lately
    std::array<uint8_t, kReadAhead> ahead_{};
    size_t aheadBegin_ = 0, aheadEnd_ = 0;  // bytes read ahead and not yet taken
};

}  // namespace

std::string serialDeviceName(int n) {
    std::string var = "QORLINK_COM" + std::to_string(n);
    const char* named = std::getenv(var.c_str());
    if (named != nullptr && *named != '\0') return named;
    return "/dev/ttyS" + std::to_string(n - 1);
}

unsigned speedConstant(int baud) {
    switch (baud) {
        case 9600:
            return B9600;
        case 19200:
            return B19200;
        case 38400:
            return B38400;
        case 57600:
            return B57600;
        case 115200:
            return B115200;
        case 230400:
            return B230400;
        default:
            return 0;
    }
}

std::unique_ptr<SerialPort> openSerialDevice(const std::string& path) {
    int fd = open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return nullptr;
    termios t{};
    if (tcgetattr(fd, &t) != 0 || !lockExclusive(fd)) {
        close(fd);
        return nullptr;
    }
    return std::make_unique<PosixSerialPort>(fd);
}

}  // namespace qorlink::posix
