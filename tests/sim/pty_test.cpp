// The POSIX serial backend against a camera served on a real pseudo-terminal. These are the only
// simulator tests that take real time.
#include <grp.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>

#include "camsim/camera.h"
#include "camsim/pty_server.h"
#include "platform.h"
#include "posix/serial_posix.h"

namespace camsim::test {
namespace {

using Bytes = std::vector<uint8_t>;
using Clock = std::chrono::steady_clock;

// Waits, for a second at most, until the driver holds `n` bytes for the open descriptor of
// `device` in this process (the port under test), without reading them.
bool WaitUntilWaiting(const std::string& device, size_t n) {
    int fd = -1;
    for (const auto& entry : std::filesystem::directory_iterator("/proc/self/fd")) {
        std::error_code ec;
        if (std::filesystem::read_symlink(entry.path(), ec) == device) {
            fd = std::stoi(entry.path().filename().string());
            break;
        }
    }
    if (fd < 0) return false;
    const auto deadline = Clock::now() + std::chrono::seconds(1);
    while (Clock::now() < deadline) {
        pollfd p{fd, POLLIN, 0};
        if (poll(&p, 1, 1000) != 1) return false;
        int waiting = 0;
        if (ioctl(fd, FIONREAD, &waiting) != 0) return false;
        if (static_cast<size_t>(waiting) >= n) return true;
        std::this_thread::yield();  // the rest is on its way: the camera paces its bytes
    }
    return false;
}

class PtyTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(server.ok()) << server.error();
        setenv("QORLINK_COM1", server.slavePath().c_str(), 1);
        thread = std::thread([this] { server.run(); });
    }
    void TearDown() override {
        server.stop();
        if (thread.joinable()) thread.join();
        unsetenv("QORLINK_COM1");
    }

    std::unique_ptr<qorlink::SerialPort> open() {
        auto port = qorlink::hostPlatform().openSerial(1);
        if (port) {
            EXPECT_TRUE(port->setLine(kIdleBaud));
        }
        return port;
    }

    static Bytes exchange(qorlink::SerialPort& port, const Bytes& out, size_t n,
                          uint32_t timeoutMs = 1000) {
        EXPECT_TRUE(port.write(out.data(), out.size()));
        Bytes in(n);
        int got = port.read(in.data(), n, timeoutMs);
        in.resize(got < 0 ? 0 : static_cast<size_t>(got));
        return in;
    }

    Camera camera;
    PtyServer server{camera};
    std::thread thread;
};

TEST_F(PtyTest, PortNumberNamesTheDevice) {
    EXPECT_EQ(qorlink::posix::serialDeviceName(1), server.slavePath());
    EXPECT_EQ(qorlink::posix::serialDeviceName(3), "/dev/ttyS2");
}

TEST_F(PtyTest, SessionOverThePseudoTerminal) {
    auto port = open();
    ASSERT_TRUE(port);
    EXPECT_TRUE(port->setNoFlowControl());
    EXPECT_TRUE(port->purge());
    EXPECT_EQ(exchange(*port, {kProbe}, 1), Bytes{kNak});
    EXPECT_EQ(exchange(*port, sessionFrame(5), 1), Bytes{kAck});
    ASSERT_TRUE(port->setBaud(115200));
    EXPECT_EQ(exchange(*port, getValueFrame(kCodeReadiness), 10),
              (Bytes{3, 0, 4, 0, 1, 0, 0, 0, 1, 0}));
    EXPECT_EQ(exchange(*port, {kAck}, 1, 50), Bytes{});  // nothing follows an acknowledged reply
    EXPECT_EQ(exchange(*port, sessionFrame(0), 1), Bytes{kAck});
}

TEST_F(PtyTest, AReplyReadInPiecesArrivesWholeAndPurgeDropsWhatWasReadAhead) {
    auto port = open();
    ASSERT_TRUE(port);
    EXPECT_EQ(exchange(*port, {kProbe}, 1), Bytes{kNak});
    EXPECT_EQ(exchange(*port, sessionFrame(5), 1), Bytes{kAck});
    ASSERT_TRUE(port->setBaud(115200));
    const Bytes reply{3, 0, 4, 0, 1, 0, 0, 0, 1, 0};

    Bytes header = exchange(*port, getValueFrame(kCodeReadiness), 4);
    Bytes rest(6);
    ASSERT_EQ(port->read(rest.data(), rest.size(), 1000), 6);
    header.insert(header.end(), rest.begin(), rest.end());
    EXPECT_EQ(header, reply);

    // The camera repeats an unacknowledged reply. Once it is all in, a read of its header takes
    // the rest ahead as well; a purge drops that with everything else waiting.
    const Bytes query = getValueFrame(kCodeReadiness);
    ASSERT_TRUE(port->write(query.data(), query.size()));
    ASSERT_TRUE(WaitUntilWaiting(server.slavePath(), reply.size()));
    ASSERT_EQ(port->read(header.data(), 4, 1000), 4);
    EXPECT_TRUE(port->purge());
    EXPECT_EQ(port->read(rest.data(), rest.size(), 50), 0);
}

TEST_F(PtyTest, ReadTimesOutWithNothingAfterItsTime) {
    auto port = open();
    ASSERT_TRUE(port);
    Bytes in(4);
    auto start = Clock::now();
    EXPECT_EQ(port->read(in.data(), in.size(), 150), 0);
    auto took = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start);
    EXPECT_GE(took.count(), 149);
    EXPECT_LT(took.count(), 1000);
}

TEST_F(PtyTest, SecondOpenIsRefusedAndReopenWorks) {
    auto port = open();
    ASSERT_TRUE(port);
    EXPECT_EQ(qorlink::hostPlatform().openSerial(1), nullptr);
    port.reset();
    for (int i = 0; i < 2; ++i) {
        port = open();
        ASSERT_TRUE(port);
        EXPECT_EQ(exchange(*port, {kProbe}, 1), Bytes{kNak});
        port.reset();
    }
}

// A user without privileges reaches the camera on the pseudo-terminal, again after closing it:
// closing a port leaves the device open to the next opener. A suite run as root runs this part as
// the unprivileged user 65534, for whom a device left exclusive stays shut.
TEST_F(PtyTest, AnUnprivilegedUserOpensThePortAgainAfterClosingIt) {
    const uid_t nobody = 65534;
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        if (geteuid() == 0 &&
            (chown(server.slavePath().c_str(), nobody, nobody) != 0 || setgroups(0, nullptr) != 0 ||
             setgid(nobody) != 0 || setuid(nobody) != 0)) {
            _exit(10);
        }
        for (int i = 0; i < 2; ++i) {
            auto port = qorlink::hostPlatform().openSerial(1);
            if (!port || !port->setLine(kIdleBaud)) _exit(20 + i);
            const uint8_t probe = kProbe;
            uint8_t answer = 0;
            if (!port->write(&probe, 1) || port->read(&answer, 1, 1000) != 1 || answer != kNak) {
                _exit(30 + i);
            }
        }
        _exit(0);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "10: could not drop privileges, 2n: open n failed, "
                                         "3n: no answer on open n";
}

TEST_F(PtyTest, PortsWithoutADeviceDoNotOpen) {
    setenv("QORLINK_COM2", "/nonexistent/tty", 1);
    EXPECT_EQ(qorlink::hostPlatform().openSerial(2), nullptr);
    EXPECT_EQ(qorlink::hostPlatform().openSerial(0), nullptr);
    EXPECT_EQ(qorlink::hostPlatform().openSerial(10), nullptr);
    unsetenv("QORLINK_COM2");
}

}  // namespace
}  // namespace camsim::test
