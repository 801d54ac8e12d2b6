// End to end: the shared library, loaded as a program loads it, talks to the software camera
// over a real pseudo-terminal through the POSIX serial backend.
#include <dlfcn.h>
#include <gtest/gtest.h>
#include <malloc.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <atomic>
#include <cstdlib>
#include <cstring>
#include <new>
#include <thread>
#include <unordered_set>

#include "camsim/camera.h"
#include "camsim/pty_server.h"

// Every block the program frees through operator delete is looked at while a scan is armed: a
// block still holding eight bytes in a row of the watched record counts as a leftover copy.
namespace scan {

std::atomic<bool> armed{false};
const std::unordered_set<uint64_t>* windows = nullptr;  // every 8-byte window of the record
std::atomic<int> leftovers{0};
std::atomic<size_t> largestLeftover{0};

void Look(void* p) {
    if (p == nullptr || !armed.load()) return;
    const size_t n = malloc_usable_size(p);
    const auto* bytes = static_cast<const uint8_t*>(p);
    for (size_t i = 0; i + sizeof(uint64_t) <= n; ++i) {
        uint64_t w;
        std::memcpy(&w, bytes + i, sizeof w);
        if (windows->count(w) != 0) {
            ++leftovers;
            if (n > largestLeftover.load()) largestLeftover = n;
            return;
        }
    }
}

}  // namespace scan

void* operator new(size_t n) {
    if (void* p = std::malloc(n == 0 ? 1 : n)) return p;
    throw std::bad_alloc();
}
void* operator new[](size_t n) {
    return operator new(n);
}
void* operator new(size_t n, const std::nothrow_t&) noexcept {
    return std::malloc(n == 0 ? 1 : n);
}
void* operator new[](size_t n, const std::nothrow_t&) noexcept {
    return std::malloc(n == 0 ? 1 : n);
}
void operator delete(void* p) noexcept {
    scan::Look(p);
    std::free(p);
}
void operator delete[](void* p) noexcept {
    operator delete(p);
}
void operator delete(void* p, size_t) noexcept {
    operator delete(p);
}
void operator delete[](void* p, size_t) noexcept {
    operator delete(p);
}
void operator delete(void* p, const std::nothrow_t&) noexcept {
    operator delete(p);
}
void operator delete[](void* p, const std::nothrow_t&) noexcept {
    operator delete(p);
}

namespace {

using Fn0 = int32_t (*)();
using Fn1 = int32_t (*)(int32_t);

// The exports the test uses, looked up in the shared library by name.
struct Link {
    void* handle = dlopen(QORLINK_LIBRARY_PATH, RTLD_NOW | RTLD_LOCAL);
    template <typename F>
    F get(const char* name) {
        return handle == nullptr ? nullptr : reinterpret_cast<F>(dlsym(handle, name));
    }
    ~Link() {
        if (handle != nullptr) dlclose(handle);
    }
    // The connection exports every test uses.
    Fn0 reset = get<Fn0>("Cam_reset_dll");
    Fn1 setSpeed = get<Fn1>("Cam_set_speed");
    Fn1 setPort = get<Fn1>("Cam_set_port");
    Fn1 session = get<Fn1>("Cam_session_enabled");
    bool connects() const { return reset && setSpeed && setPort && session; }
};

TEST(LinkOverPseudoTerminal, ProbeOpenQuerySurviveSessionEndAndClose) {
    camsim::Camera camera;
    // The camera ends the session right after it is told the second readiness answer arrived
    // (the first belongs to the session open).
    camsim::FaultRule endAfterReady;
    endAfterReady.fault = camsim::Fault::EndSession;
    endAfterReady.unit = camsim::Unit::Handshake;
    endAfterReady.op = 1;
    endAfterReady.code = 18;
    endAfterReady.nth = 2;
    camera.faults().add(endAfterReady);
    camera.profile().values[260] = 7;

    camsim::PtyServer server(camera);
    ASSERT_TRUE(server.ok()) << server.error();
    ASSERT_EQ(setenv("QORLINK_COM1", server.slavePath().c_str(), 1), 0);
    ASSERT_EQ(setenv("QORLINK_COM2", "/nonexistent/orvia-port", 1), 0);
    std::thread serving([&] { server.run(); });

    Link link;
    ASSERT_NE(link.handle, nullptr) << dlerror();
    auto ready = link.get<Fn0>("Cam_ready");
    auto state = link.get<Fn0>("Cam_connection_state");
    ASSERT_TRUE(link.connects() && ready && state);

    EXPECT_EQ(link.reset(), 0);
    EXPECT_EQ(link.setSpeed(5), 0);
    EXPECT_EQ(link.setPort(0), 1) << "found by probing";
    EXPECT_EQ(link.session(1), 0);
    EXPECT_EQ(ready(), 1);
    EXPECT_EQ(state(), 7) << "answered after the library reopened the session silently";
    EXPECT_EQ(ready(), 1);
    EXPECT_EQ(link.session(0), 0);

    server.stop();
    serving.join();
    int sessionOpens = 0;
    int stateQueries = 0;
    for (const camsim::LogEntry& e : camera.log()) {
        sessionOpens += e.code == 17 && e.op == 0 && e.value == 5;
        stateQueries += e.code == 260 && e.op == 1;
    }
    EXPECT_EQ(sessionOpens, 2) << "opened, then reopened after the session end";
    EXPECT_EQ(stateQueries, 1) << "the session end was seen before the query went out";
    EXPECT_FALSE(camera.sessionOpen()) << "closed at the end";
}

}  // namespace

namespace {

using FnIn = int32_t (*)(const void*);
using FnOut = int32_t (*)(void*);

// A key record written to the camera and read back leaves no copy in any block the library frees,
// up to and including the release of its connection objects. The camera runs in a process of its
// own, so that every block scanned here belongs to the library or the test.
TEST(LinkOverPseudoTerminal, KeyRecordsLeaveNoCopiesInFreedMemory) {
    std::array<uint8_t, 724> key{};
    uint64_t x = 0x9E3779B97F4A7C15u;
    for (uint8_t& b : key) {
        x ^= x << 13;
        x ^= x >> 7;
        x ^= x << 17;
        b = static_cast<uint8_t>(x >> 24);
    }
    std::unordered_set<uint64_t> windows;
    for (size_t i = 0; i + sizeof(uint64_t) <= key.size(); ++i) {
        uint64_t w;
        std::memcpy(&w, key.data() + i, sizeof w);
        windows.insert(w);
    }

    camsim::Camera camera;
    camsim::PtyServer server(camera);
    ASSERT_TRUE(server.ok()) << server.error();
    ASSERT_EQ(setenv("QORLINK_COM1", server.slavePath().c_str(), 1), 0);
    // The camera's process ends with the test, however the test ends.
    struct CameraProcess {
        pid_t pid = fork();
        ~CameraProcess() {
            if (pid <= 0) return;
            kill(pid, SIGKILL);
            waitpid(pid, nullptr, 0);
        }
    } cameraProcess;
    ASSERT_GE(cameraProcess.pid, 0);
    if (cameraProcess.pid == 0) {
        server.run();
        _exit(0);
    }

    Link link;
    ASSERT_NE(link.handle, nullptr) << dlerror();
    auto setKey = link.get<FnIn>("Cam_set_rsa1_key");
    auto getKey = link.get<FnOut>("Cam_get_rsa1_key");
    ASSERT_TRUE(link.connects() && setKey && getKey);

    std::array<uint8_t, 724> back{};
    scan::windows = &windows;
    scan::armed = true;
    EXPECT_EQ(link.reset(), 0);
    EXPECT_EQ(link.setSpeed(5), 0);
    EXPECT_EQ(link.setPort(1), 1);
    EXPECT_EQ(link.session(1), 0);
    EXPECT_EQ(setKey(key.data()), 0);
    EXPECT_EQ(getKey(back.data()), 0);
    EXPECT_EQ(link.session(0), 0);
    EXPECT_EQ(link.reset(), 0);
    scan::armed = false;

    EXPECT_TRUE(std::memcmp(back.data(), key.data(), key.size()) == 0) << "the record came back";
    EXPECT_EQ(scan::leftovers.load(), 0)
        << "freed blocks held key bytes, the largest of " << scan::largestLeftover.load();
}

}  // namespace
