// End to end: the shared library, loaded as a program loads it, talks to the software camera
// over a real pseudo-terminal through the POSIX serial backend.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <thread>

#include "camsim/camera.h"
#include "camsim/pty_server.h"

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
    auto reset = link.get<Fn0>("Cam_reset_dll");
    auto setSpeed = link.get<Fn1>("Cam_set_speed");
    auto setPort = link.get<Fn1>("Cam_set_port");
    auto session = link.get<Fn1>("Cam_session_enabled");
    auto ready = link.get<Fn0>("Cam_ready");
    auto state = link.get<Fn0>("Cam_connection_state");
    ASSERT_TRUE(reset && setSpeed && setPort && session && ready && state);

    EXPECT_EQ(reset(), 0);
    EXPECT_EQ(setSpeed(5), 0);
    EXPECT_EQ(setPort(0), 1) << "found by probing";
    EXPECT_EQ(session(1), 0);
    EXPECT_EQ(ready(), 1);
    EXPECT_EQ(state(), 7) << "answered after the library reopened the session silently";
    EXPECT_EQ(ready(), 1);
    EXPECT_EQ(session(0), 0);

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
