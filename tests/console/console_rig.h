// A console on a simulated camera: the real link core on the virtual platform, a camsim camera
// on serial port 1 with its calibration programs, the virtual clock, a scripted operator and a
// host whose marker files, service-ID and judgement libraries and link build identity the test
// chooses.
#pragma once

#include <cstdint>
#include <ctime>
#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "camsim/calibration_diags.h"
#include "camsim/camera.h"
#include "camsim/catalogue_profile.h"
#include "camsim/frame.h"
#include "console/app.h"
#include "console/call_runner.h"
#include "console/clock.h"
#include "console/host.h"
#include "console/link_camera.h"
#include "console/main_dialog.h"
#include "environment.h"
#include "scripted_operator.h"
#include "virtual_platform.h"

namespace orvia::testing {

// The console's clock on the platform's virtual clock, with a wall clock starting at `wallBase`.
class VirtualConsoleClock final : public Clock {
  public:
    VirtualConsoleClock(qorlink::test::VirtualPlatform& platform, std::time_t wallBase)
        : platform_(platform), wallBase_(wallBase) {}
    uint32_t tickMs() override { return platform_.tickMs(); }
    void sleepMs(uint32_t ms) override { platform_.sleepMs(ms); }
    std::time_t wallTime() override {
        return wallBase_ + static_cast<std::time_t>(platform_.clock().nowUs() / 1'000'000);
    }

  private:
    qorlink::test::VirtualPlatform& platform_;
    std::time_t wallBase_;
};

// The service-ID library as the test configures it.
struct ServiceIdStandIn {
    bool present = false;  // the library loads
    bool hasEntry = true;  // it exports NcGetUserID
    int32_t result = 1;    // what NcGetUserID returns
    uint16_t technician = 0;
    int loads = 0;
    int unloads = 0;
};

// The judgement library as the test configures it, and the judgements it was asked for.
struct JudgementStandIn {
    bool present = false;  // the library loads
    bool hasEntry = true;  // it exports fnJudvane
    int32_t result = 1;    // what fnJudvane returns
    // Written over the text buffer when set: at most its 1024 bytes, with no terminating zero
    // when it fills them.
    std::optional<std::string> rewrite{};
    struct Call {
        std::string cameraType;
        int32_t kind;
        std::string text;
    };
    std::vector<Call> calls{};
    int loads = 0;
    int unloads = 0;
};

class TestHost final : public Host {
  public:
    std::set<std::string> markers;  // names present in the working directory
    // Outside libraries (Windows names) lying only in the working directory.
    std::set<std::string> workingDirectoryOnly;
    ServiceIdStandIn serviceId;
    JudgementStandIn judgement;
    BuildIdentity linkBuild;
    int identityReads = 0;

    bool markerFilePresent(std::string_view name) override;
    std::unique_ptr<OutsideLibrary> loadLibrary(std::string_view windowsName) override;
    BuildIdentity linkBuildIdentity() override {
        ++identityReads;
        return linkBuild;
    }
    bool libraryOnlyInWorkingDirectory(std::string_view windowsName) override {
        return workingDirectoryOnly.count(std::string(windowsName)) != 0;
    }
};

// A link library file's identity naming `build` (none: a block without PrivateBuild).
BuildIdentity identityNaming(const char* build);

class ConsoleRig {
  public:
    // `attached` false leaves port 1 without a camera.
    explicit ConsoleRig(camsim::Profile profile = camsim::defaultProfile(), bool attached = true);
    ~ConsoleRig();

    camsim::Camera camera;
    // Diagnostic programs leave their result texts and words; loads become firmware.
    camsim::CatalogueModel model{camera};
    qorlink::test::VirtualPlatform platform;
    DirectRunner runner;
    LinkCamera link{runner};
    VirtualConsoleClock clock;
    ScriptedOperator op;
    TestHost host;
    CalibrationApp app{link, clock, op, host};

    int run(const std::string& commandLine = "") { return app.run(commandLine); }
    MainDialog& dialog() { return *app.mainWindow(); }

    // Commands the camera took in a session, without the session and readiness traffic.
    std::vector<camsim::LogEntry> commands() const;
    // A point in the camera's log, to read the traffic after it.
    size_t mark() const { return camera.log().size(); }
    // The commands after `from`, as text: "set 32 = 5", "get 32", "exec 6 16", "send 31",
    // "fetch 31". A command repeated at once (the library trying again) is listed once.
    std::vector<std::string> traffic(size_t from = 0) const;
    // Records every status line text the main dialog shows from now on into `statuses`.
    void recordStatus();
    std::vector<std::string> statuses;
    // Whether the camera received (op, code), any fetch operation standing for op 4.
    bool received(int op, int code) const;
    // Values sent with the session command, in order.
    std::vector<int32_t> sessionValues() const;
    // The Test list as the operator sees it.
    std::vector<std::string> testItems() { return dialog().control(idc::kTest).items; }

  private:
    qorlink::test::ScopedPlatform installed_{platform};
};

// Runs the console, lets `act` work in the initialised main dialog and returns the camera
// traffic of the act. Throws when the console does not start.
std::vector<std::string> inMainDialog(ConsoleRig& rig, const std::function<void(MainDialog&)>& act);

// A profile serving the camera type `type` and the LCD type answer `lcdType` (-1: none).
camsim::Profile profileFor(const std::string& type, int32_t lcdType = -1);

// Little-endian words as a record.
std::vector<uint8_t> wordsRecord(const std::vector<int32_t>& words);

}  // namespace orvia::testing
