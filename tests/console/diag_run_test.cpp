// The diagnostic-run helpers every procedure is built from, on a simulated camera.
#include <gtest/gtest.h>

#include <tuple>

#include "console/diag_run.h"
#include "console/main_dialog.h"
#include "console_rig.h"

namespace orvia::testing {
namespace {

using Strings = std::vector<std::string>;

// Runs `body` inside the running main dialog and returns the camera traffic it caused.
Strings trafficOf(ConsoleRig& rig, const std::function<void(DialogContext&)>& body) {
    Strings traffic;
    rig.op.modalScripts[kMainTemplate] = [&](DialogModel&) {
        rig.recordStatus();
        const size_t from = rig.mark();
        body(rig.app.context());
        traffic = rig.traffic(from);
    };
    EXPECT_EQ(rig.run(), 0);
    return traffic;
}

camsim::FaultRule refuse(int op, int code) {
    return {.fault = camsim::Fault::Dc1, .op = op, .code = code, .times = 0};
}

TEST(ExecuteDiagAndWait, SetsTheParameterStartsTheDiagAndWaits) {
    ConsoleRig rig;
    rig.camera.profile().executeUsByProgram[{6, 45}] = 5'000'000;
    int32_t r = -1;
    uint32_t tookMs = 0;
    const Strings traffic = trafficOf(rig, [&](DialogContext& ctx) {
        const uint32_t start = ctx.clock.tickMs();
        r = executeDiagAndWait(ctx, DiagRun(45, 30, 7));
        tookMs = ctx.clock.tickMs() - start;
    });
    EXPECT_EQ(r, 0);
    EXPECT_EQ(traffic, (Strings{"set 32 = 7", "exec 6 45"}));
    EXPECT_GE(tookMs, 5'000u) << "waited for the camera";
    EXPECT_LT(tookMs, 30'000u) << "and not for the whole limit";
    EXPECT_TRUE(rig.op.messages().empty());
}

TEST(ExecuteDiagAndWait, AFailedCallIsReportedAsAskedAndNothingMoreIsSent) {
    struct Case {
        camsim::FaultRule fault;
        OnFailure onFailure;
        int32_t result;
        Strings traffic;
        Strings boxes;
        Strings statuses;
    };
    const Case cases[] = {
        // A parameter the camera did not take: the diag never starts.
        {refuse(camsim::kOpSetValue, 32),
         OnFailure::ErrorBox,
         15,
         {"set 32 = 7"},
         {"Error Camera DC1 response"},
         {}},
        {refuse(camsim::kOpExecute, 6),
         OnFailure::ErrorBox,
         8,
         {"set 32 = 7", "exec 6 45"},
         {"Error Write error"},
         {}},
        {refuse(camsim::kOpExecute, 6),
         OnFailure::EndWithError,
         8,
         {"set 32 = 7", "exec 6 45"},
         {"Error Write error"},
         {" Status: "}},
        {refuse(camsim::kOpExecute, 6), OnFailure::Silent, 8, {"set 32 = 7", "exec 6 45"}, {}, {}},
    };
    for (const Case& c : cases) {
        ConsoleRig rig;
        rig.camera.faults().add(c.fault);
        int32_t r = 0;
        const Strings traffic = trafficOf(rig, [&](DialogContext& ctx) {
            ctx.statusLine->setStatus(" Status: Wait!!");
            r = executeDiagAndWait(ctx, DiagRun(45, 30, 7), c.onFailure);
        });
        EXPECT_EQ(r, c.result);
        EXPECT_EQ(traffic, c.traffic);
        EXPECT_EQ(rig.op.messages(), c.boxes);
        Strings statuses = c.statuses;
        statuses.insert(statuses.begin(), " Status: Wait!!");
        EXPECT_EQ(rig.statuses, statuses);
    }
}

TEST(SelectDisplayDevice, ChoosesTheViewfinderOrTheLcdInNormalStartOnly) {
    struct Case {
        std::string marker;  // start mode
        bool viewfinder;
        bool refused;
        int32_t result;
        Strings traffic;
        Strings boxes;
    };
    const Case cases[] = {
        {"", false, false, 0, {"exec 6 28"}, {}},
        {"", true, false, 0, {"exec 6 29"}, {}},
        {"", true, true, QORLINK_WRITE_ERROR, {"exec 6 29"}, {"Error Write error"}},
        {"Bootmode.txt", true, false, 0, {}, {}},
    };
    for (const Case& c : cases) {
        ConsoleRig rig;
        if (!c.marker.empty()) rig.host.markers.insert(c.marker);
        if (c.refused) rig.camera.faults().add(refuse(camsim::kOpExecute, 6));
        int32_t r = 1;
        const Strings traffic =
            trafficOf(rig, [&](DialogContext& ctx) { r = selectDisplayDevice(ctx, c.viewfinder); });
        EXPECT_EQ(r, c.result) << c.marker << c.viewfinder;
        EXPECT_EQ(traffic, c.traffic) << c.marker << c.viewfinder;
        EXPECT_EQ(rig.op.messages(), c.boxes);
    }
}

// A camera whose every call fails at once.
class FailingCamera final : public Camera {
  public:
    int32_t setup_callback(ProgressFn, int32_t) override { return 22; }
#define ORVIA_FAIL_AT_ONCE(name, params, args)         \
    int32_t name params override {                     \
        static_cast<void>(std::forward_as_tuple args); \
        return 0;                                      \
    }
    ORVIA_CAMERA_CALLS(ORVIA_FAIL_AT_ONCE)
#undef ORVIA_FAIL_AT_ONCE
};

// Time that passes when slept, and otherwise by a millisecond every thousand readings, as on a
// fast processor.
class FastProcessorClock final : public Clock {
  public:
    uint32_t now = 0;
    uint64_t readings = 0;
    uint32_t tickMs() override {
        if (++readings % 1000 == 0) ++now;
        return now;
    }
    void sleepMs(uint32_t ms) override { now += ms; }
    std::time_t wallTime() override { return 0; }
};

TEST(WaitReady, ACameraThatAnswersAtOnceIsPolledAtAPaceNotSpunOn) {
    FailingCamera camera;
    FastProcessorClock clock;
    EXPECT_FALSE(waitReady(camera, clock, 5));
    EXPECT_GE(clock.now, 5'000u);
    EXPECT_LT(clock.now, 5'000u + kMinPollMs);
    // About three clock readings a poll, one poll every kMinPollMs: a spinning wait would read
    // the clock millions of times.
    EXPECT_LT(clock.readings, 4u * 5'000u / kMinPollMs);
}

TEST(ReadDiagText, StopsAtTheFirstZeroAndIsEmptyWhenTheFetchFails) {
    ConsoleRig rig;
    std::vector<uint8_t> full(kDiagTextBytes, 'A');  // no terminating zero at all
    rig.camera.profile().records[31] = full;
    std::string whole, cut, failed;
    trafficOf(rig, [&](DialogContext& ctx) {
        whole = readDiagText(ctx.camera);
        rig.camera.profile().records[31] = {'O', 'K', 0, 'x'};
        cut = readDiagText(ctx.camera);
        rig.camera.faults().add(refuse(camsim::kOpGetData, 31));
        failed = readDiagText(ctx.camera);
    });
    EXPECT_EQ(whole, std::string(kDiagTextBytes, 'A'));
    EXPECT_EQ(cut, "OK");
    EXPECT_EQ(failed, "");
}

}  // namespace
}  // namespace orvia::testing
