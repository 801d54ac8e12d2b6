#include "camsim/pty_server.h"

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <ctime>

#include "camsim/line.h"

namespace camsim {

namespace {

constexpr int kMaxWaitMs = 20;
constexpr int kHungUpWaitMs = 10;

uint64_t monotonicUs() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<uint64_t>(ts.tv_sec) * 1000000u + static_cast<uint64_t>(ts.tv_nsec) / 1000u;
}

int baudOf(speed_t s) {
    switch (s) {
        case B9600:
            return 9600;
        case B19200:
            return 19200;
        case B38400:
            return 38400;
        case B57600:
            return 57600;
        case B115200:
            return 115200;
        case B230400:
            return 230400;
        default:
            return 0;
    }
}

void setNonBlocking(int fd) {
    fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) | O_NONBLOCK);
}

}  // namespace

PtyServer::PtyServer(Camera& camera) : camera_(camera), startUs_(monotonicUs()) {
    int fd = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    const char* name = fd >= 0 && grantpt(fd) == 0 && unlockpt(fd) == 0 ? ptsname(fd) : nullptr;
    termios t{};
    if (name == nullptr || tcgetattr(fd, &t) != 0 || pipe2(wake_, O_CLOEXEC | O_NONBLOCK) != 0) {
        error_ = std::strerror(errno);
        if (fd >= 0) close(fd);
        return;
    }
    // The slave starts raw at the idle speed, so nothing the camera sends is echoed or altered
    // before the host sets its own line.
    cfmakeraw(&t);
    cfsetispeed(&t, B19200);
    cfsetospeed(&t, B19200);
    tcsetattr(fd, TCSANOW, &t);
    setNonBlocking(fd);
    slavePath_ = name;
    master_ = fd;
}

PtyServer::~PtyServer() {
    if (master_ >= 0) close(master_);
    for (int fd : wake_)
        if (fd >= 0) close(fd);
}

uint64_t PtyServer::nowUs() const {
    return monotonicUs() - startUs_;
}

void PtyServer::stop() {
    char b = 1;
    if (wake_[1] < 0) return;
    ssize_t r = write(wake_[1], &b, 1);
    (void)r;  // a full pipe already holds a wake-up
}

void PtyServer::run(const std::function<bool()>& keepGoing) {
    if (!ok()) return;
    while (pollOnce(keepGoing)) {
    }
}

int PtyServer::hostBaud() const {
    termios t{};
    if (tcgetattr(master_, &t) != 0) return 0;
    return baudOf(cfgetospeed(&t));
}

// One turn: send what is due, wait for input or the next due time, take the input.
bool PtyServer::pollOnce(const std::function<bool()>& keepGoing) {
    if (keepGoing && !keepGoing()) return false;
    sendDue();
    uint64_t now = nowUs();
    uint64_t next = camera_.nextOutputUs();
    int waitMs = next <= now
                     ? 0
                     : static_cast<int>(std::min<uint64_t>((next - now + 999) / 1000, kMaxWaitMs));
    pollfd fds[2] = {{wake_[0], POLLIN, 0}, {master_, POLLIN, 0}};
    // A master without a slave reports a hang-up at once; look again after a pause.
    int n = connected_ ? 2 : 1;
    if (poll(fds, static_cast<nfds_t>(n), connected_ ? waitMs : std::min(waitMs, kHungUpWaitMs)) <
            0 &&
        errno != EINTR)
        return false;
    if (fds[0].revents & POLLIN) return false;
    if (!connected_) {
        pollfd probe{master_, POLLIN, 0};
        bool hungUp =
            poll(&probe, 1, 0) == 1 && (probe.revents & POLLHUP) && !(probe.revents & POLLIN);
        if (!hungUp) {
            connected_ = true;
            camera_.discardOutput(nowUs());
        }
        return true;
    }
    if (fds[1].revents & POLLIN)
        takeInput();
    else if (fds[1].revents & (POLLHUP | POLLERR))
        connected_ = false;
    return true;
}

void PtyServer::sendDue() {
    uint8_t buf[4096];
    uint64_t now = nowUs();
    for (;;) {
        size_t n = camera_.read(buf, sizeof buf, now, nullptr, hostBaud());
        if (n == 0) return;
        if (!connected_) continue;  // nobody is listening: the bytes are lost
        size_t done = 0;
        while (done < n) {
            ssize_t w = write(master_, buf + done, n - done);
            if (w > 0) {
                done += static_cast<size_t>(w);
            } else if (w < 0 && errno == EAGAIN) {
                pollfd p{master_, POLLOUT, 0};
                poll(&p, 1, kMaxWaitMs);
            } else if (!(w < 0 && errno == EINTR)) {
                connected_ = false;
                break;
            }
        }
    }
}

void PtyServer::takeInput() {
    uint8_t buf[4096];
    ssize_t n = read(master_, buf, sizeof buf);
    if (n <= 0) {
        if (n == 0 || (errno != EAGAIN && errno != EINTR)) connected_ = false;
        return;
    }
    int baud = hostBaud();
    uint64_t took = lineTimeUs(static_cast<size_t>(n), baud != 0 ? baud : camera_.baud());
    uint64_t now = nowUs();
    camera_.receive(buf, static_cast<size_t>(n), now > took ? now - took : 0, baud);
}

}  // namespace camsim
