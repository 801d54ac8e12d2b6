// The ASPI backend against the stand-in layer (wnaspi32.dll beside the tests), whose bus answers
// from virtual camera drives: discovery over adapters and targets, the execute requests commands
// become and how their outcome is judged, time-outs in virtual time, and a whole session.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "aspi_stand_in.h"
#include "camsim/camera.h"
#include "connection.h"
#include "link_constants.h"
#include "qorlink.h"
#include "storage/device_table.h"
#include "usb_platform.h"
#include "win32/aspi_device_win32.h"
#include "win32/aspi_discovery_win32.h"
#include "win32/aspi_layer_win32.h"
#include "win32/library_win32.h"
#include "win32/storage_choice_win32.h"
#include "win32/storage_win32.h"

namespace qorlink::test {
namespace {

namespace sb = aspi_stand_in;

constexpr uint16_t kR10 = 0x010B;
constexpr uint32_t kHoldSeconds = 30;  // how long a drive holds a command for the camera
constexpr uint8_t kCheckCondition = 0x02;
constexpr uint8_t kBusy = 0x08;
constexpr uint8_t kIllegalRequest[] = {0x70, 0, 0x05, 0, 0, 0, 0, 6, 0, 0, 0, 0, 0x24, 0};
constexpr uint8_t kInquiryCdb[] = {0x12, 0, 0, 0, 0x24, 0};

// Waits in virtual time: an event not yet signalled makes the clock jump by the whole wait.
class VirtualWaiter final : public win32::EventWaiter {
  public:
    explicit VirtualWaiter(ScriptedLine& clock) : clock_(clock) {}
    DWORD wait(HANDLE event, DWORD ms) override {
        waits_.push_back(ms);
        if (WaitForSingleObject(event, 0) == WAIT_OBJECT_0) return WAIT_OBJECT_0;
        clock_.sleepMs(ms);
        return WAIT_TIMEOUT;
    }
    const std::vector<DWORD>& waits() const { return waits_; }

  private:
    ScriptedLine& clock_;
    std::vector<DWORD> waits_;
};

// What the layer handed the bus for one execute request.
struct Seen {
    uint8_t adapter, target, flags, senseLength;
    std::vector<uint8_t> cdb;
    uint32_t length;
    std::vector<uint8_t> dataOut;
};

// The stand-in layer's bus, played by virtual camera drives. A queued answer replaces what the
// next drive command gives (after the drive has run it, unless the answer holds the request).
class ScriptedBus {
  public:
    struct Answer {
        sb::Answer answer;
        sb::Result result;
    };

    ScriptedBus() : library_(win32::loadDll("wnaspi32.dll")) {
        if (library_) {
            install_ = reinterpret_cast<sb::InstallFn>(library_->symbol(sb::kInstallEntry));
            aborts_ = reinterpret_cast<sb::AbortCountFn>(library_->symbol(sb::kAbortCountEntry));
        }
    }
    ~ScriptedBus() {
        if (install_ != nullptr) install_(nullptr);
    }
    bool loaded() const { return install_ != nullptr && aborts_ != nullptr; }

    void add(uint8_t adapter, uint8_t target, VirtualScsiCamera& drive, bool removable = true) {
        devices_[{adapter, target}] = {drive.open(), removable};
        bus_.adapters = std::max<uint8_t>(bus_.adapters, adapter + 1);
        bus_.targets[adapter] |= static_cast<uint8_t>(1u << target);
        install();
    }
    void setReady(bool ready) {
        bus_.supportStatus = ready ? 1 : 0;
        install();
    }
    void setKeepAborted(bool keep) {
        bus_.keepAborted = keep;
        install();
    }
    void answerNext(const Answer& a) { next_ = a; }
    void holdNext() { next_ = Answer{sb::kHold, {}}; }
    const std::vector<Seen>& seen() const { return seen_; }
    int aborts() const { return aborts_(); }

  private:
    struct Device {
        std::unique_ptr<ScsiDevice> handle;
        bool removable = true;
    };

    void install() {
        bus_.execute = &ScriptedBus::Execute;
        bus_.user = this;
        install_(&bus_);
    }

    static sb::Answer Execute(void* user, const sb::Command& c, sb::Result* r) {
        return static_cast<ScriptedBus*>(user)->execute(c, r);
    }

    sb::Answer execute(const sb::Command& c, sb::Result* r) {
        const bool in = (c.flags & 0x08) != 0;
        Seen s{c.adapter, c.target, c.flags, c.senseLength, {c.cdb, c.cdb + c.cdbLength},
               c.length,  {}};
        if (!in && c.length > 0) s.dataOut.assign(c.data, c.data + c.length);
        seen_.push_back(std::move(s));
        const std::optional<Answer> next = std::exchange(next_, std::nullopt);
        if (next && next->answer == sb::kHold) return sb::kHold;

        Device& d = devices_.at({c.adapter, c.target});
        const ScsiDirection direction = in             ? ScsiDirection::In
                                        : c.length > 0 ? ScsiDirection::Out
                                                       : ScsiDirection::None;
        const bool ok =
            d.handle->command(c.cdb, c.cdbLength, direction, c.data, c.length, kHoldSeconds);
        if (ok && c.cdb[0] == 0x12 && c.length > 1 && !d.removable) c.data[1] &= 0x7F;
        if (next) {
            *r = next->result;
            return next->answer;
        }
        *r = sb::Result{0, ok ? uint8_t{0} : kCheckCondition, {}};
        if (!ok) std::memcpy(r->sense, kIllegalRequest, sizeof kIllegalRequest);
        return ok ? sb::kComplete : sb::kError;
    }

    std::unique_ptr<LoadedLibrary> library_;
    sb::InstallFn install_ = nullptr;
    sb::AbortCountFn aborts_ = nullptr;
    sb::Bus bus_{1, 0, {}, false, nullptr, nullptr};
    std::map<std::pair<uint8_t, uint8_t>, Device> devices_;
    std::optional<Answer> next_;
    std::vector<Seen> seen_;
};

class AspiTest : public ::testing::Test {
  protected:
    void SetUp() override {
        // Under Wine the stand-in needs WINEDLLOVERRIDES=wnaspi32=n (the tests' environment).
        ASSERT_TRUE(bus_.loaded()) << "the stand-in wnaspi32.dll did not load";
        layer_ = win32::AspiLayer::load(waiter_);
        ASSERT_NE(layer_, nullptr);
        bus_.add(0, 1, camera_);
    }
    VirtualScsiCamera& AddDrive(uint8_t adapter, uint8_t target, const char* vendor,
                                bool removable = true) {
        drives_.push_back(std::make_unique<VirtualScsiCamera>(vendor, 0, nullptr, nullptr));
        bus_.add(adapter, target, *drives_.back(), removable);
        return *drives_.back();
    }
    std::unique_ptr<ScsiDevice> Open(uint8_t adapter, uint8_t target) {
        return win32::openAspiDevice(layer_, {adapter, target, 0});
    }
    bool Inquiry(ScsiDevice& device, uint8_t* data, uint32_t timeout = 90) {
        return device.command(kInquiryCdb, sizeof kInquiryCdb, ScsiDirection::In, data, 36,
                              timeout);
    }

    // Drives outlive the bus, which holds a handle on each.
    UsbPlatform clock_;
    VirtualWaiter waiter_{clock_};
    VirtualScsiCamera camera_{"Pelorin", kR10, nullptr, nullptr};
    std::vector<std::unique_ptr<VirtualScsiCamera>> drives_;
    ScriptedBus bus_;
    std::shared_ptr<win32::AspiLayer> layer_;
};

TEST_F(AspiTest, ListsTheRemovableDevicesOnEveryAdapter) {
    AddDrive(0, 3, "FIXED", false);
    AddDrive(0, 5, "BROKEN").failNextCommands(100);
    AddDrive(1, 0, "SANDISK");

    EXPECT_EQ(win32::listAspiDevices(layer_),
              (std::vector<std::string>{"aspi:0:1:0", "aspi:1:0:0"}));
    ASSERT_EQ(bus_.seen().size(), 4u);  // one INQUIRY to each target present
    for (const Seen& s : bus_.seen()) {
        EXPECT_EQ(s.cdb, std::vector<uint8_t>(kInquiryCdb, kInquiryCdb + 6));
        EXPECT_EQ(s.flags, 0x48);
        EXPECT_EQ(s.senseLength, 14);
        EXPECT_EQ(s.length, 36u);
    }

    bus_.setReady(false);
    EXPECT_TRUE(win32::listAspiDevices(layer_).empty());
    EXPECT_EQ(bus_.seen().size(), 4u);
}

TEST_F(AspiTest, CommandsSucceedOnlyWhenCompleteWithGoodStatusAndHarmlessSense) {
    std::unique_ptr<ScsiDevice> device = Open(0, 1);
    ASSERT_NE(device, nullptr);
    const sb::Result good{0, 0, {}};
    sb::Result recovered = good;
    recovered.sense[0] = 0x70;
    recovered.sense[2] = 0x01;
    sb::Result noSense = good;
    noSense.sense[0] = 0x70;
    sb::Result checkCondition{0, kCheckCondition, {}};
    std::memcpy(checkCondition.sense, kIllegalRequest, sizeof kIllegalRequest);
    struct Case {
        const char* what;
        std::optional<ScriptedBus::Answer> answer;
        bool ok;
    };
    const Case cases[] = {
        {"plain", std::nullopt, true},
        {"error", ScriptedBus::Answer{sb::kError, checkCondition}, false},
        {"complete but busy", ScriptedBus::Answer{sb::kComplete, {0, kBusy, {}}}, false},
        {"adapter error", ScriptedBus::Answer{sb::kComplete, {0x11, 0, {}}}, false},
        {"recovered error", ScriptedBus::Answer{sb::kComplete, recovered}, false},
        {"no sense", ScriptedBus::Answer{sb::kComplete, noSense}, true},
    };
    for (const Case& c : cases) {
        if (c.answer) bus_.answerNext(*c.answer);
        uint8_t data[36] = {};
        EXPECT_EQ(Inquiry(*device, data), c.ok) << c.what;
        if (c.ok) {
            EXPECT_EQ(std::string(reinterpret_cast<char*>(data) + 8, 7), "Pelorin");
        }
    }
    EXPECT_EQ(waiter_.waits(), std::vector<DWORD>(std::size(cases), 90'000));
    EXPECT_EQ(bus_.aborts(), 0);
}

TEST_F(AspiTest, DataGoesOutThroughTheRequestWithTheOutFlag) {
    std::unique_ptr<ScsiDevice> device = Open(0, 1);
    ASSERT_NE(device, nullptr);
    const uint8_t cdb[16] = {0xE8, 0, 0, 0, 0, 0, 0, 0, 0, 4};
    uint8_t data[4] = {1, 2, 3, 4};
    bus_.answerNext({sb::kComplete, {0, 0, {}}});
    EXPECT_TRUE(device->command(cdb, sizeof cdb, ScsiDirection::Out, data, sizeof data, 2));
    bus_.answerNext({sb::kComplete, {0, 0, {}}});
    EXPECT_TRUE(device->command(cdb, sizeof cdb, ScsiDirection::None, nullptr, 0, 0));
    ASSERT_EQ(bus_.seen().size(), 2u);
    EXPECT_EQ(bus_.seen()[0].flags, 0x50);
    EXPECT_EQ(bus_.seen()[0].cdb, std::vector<uint8_t>(cdb, cdb + 16));
    EXPECT_EQ(bus_.seen()[0].dataOut, (std::vector<uint8_t>{1, 2, 3, 4}));
    EXPECT_EQ(bus_.seen()[1].flags, 0x50);
    EXPECT_EQ(bus_.seen()[1].length, 0u);
    EXPECT_EQ(waiter_.waits(), (std::vector<DWORD>{2'000, 1'000}));  // never the default
}

TEST_F(AspiTest, TimedOutRequestIsAbortedAndTheDeviceGoesOn) {
    std::unique_ptr<ScsiDevice> device = Open(0, 1);
    ASSERT_NE(device, nullptr);
    uint8_t data[36] = {};
    bus_.holdNext();
    const uint64_t start = clock_.nowMs();
    EXPECT_FALSE(Inquiry(*device, data, 7));
    EXPECT_EQ(clock_.nowMs() - start, 7'000u);
    EXPECT_EQ(bus_.aborts(), 1);
    EXPECT_TRUE(Inquiry(*device, data));
}

TEST_F(AspiTest, RequestTheAdapterKeepsRetiresTheDevice) {
    bus_.setKeepAborted(true);
    std::unique_ptr<ScsiDevice> device = Open(0, 1);
    ASSERT_NE(device, nullptr);
    uint8_t data[36] = {};
    bus_.holdNext();
    EXPECT_FALSE(Inquiry(*device, data, 7));
    EXPECT_EQ(bus_.aborts(), 1);
    const size_t seen = bus_.seen().size();
    EXPECT_FALSE(Inquiry(*device, data));
    EXPECT_EQ(bus_.seen().size(), seen);  // the kept request is never sent again

    std::unique_ptr<ScsiDevice> again = Open(0, 1);
    ASSERT_NE(again, nullptr);
    EXPECT_TRUE(Inquiry(*again, data));
}

TEST_F(AspiTest, OnlyAddressesOnTheBusAnswer) {
    struct Case {
        const char* name;
        bool valid;
    };
    const Case cases[] = {
        {"aspi:0:1:0", true},
        {"aspi:12:7:3", true},
        {"aspi:0:8:0", false},
        {"aspi:256:0:0", false},
        {"aspi:0:1", false},
        {"aspi:0:1:0:", false},
        {"aspi:a:1:0", false},
        {"aspi:-1:0:0", false},
        {"aspi: 0:1:0", false},
        {"E:\\", false},
        {"", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(win32::parseAspiName(c.name).has_value(), c.valid) << c.name;
    EXPECT_EQ(win32::aspiName({12, 7, 3}), "aspi:12:7:3");

    // A target without a device is refused by the layer at once, without a wait.
    std::unique_ptr<ScsiDevice> absent = Open(0, 6);
    ASSERT_NE(absent, nullptr);
    uint8_t data[36] = {};
    EXPECT_FALSE(Inquiry(*absent, data));
    EXPECT_TRUE(waiter_.waits().empty());
}

// The host's backend choice reaches the same layer.
TEST_F(AspiTest, HostBackendFollowsTheChoice) {
    win32::overrideStorageChoice(win32::StorageChoice::Aspi);
    EXPECT_EQ(win32::listCameraDrives(), std::vector<std::string>{"aspi:0:1:0"});
    EXPECT_EQ(win32::openCameraDrive("E:\\"), nullptr);
    std::unique_ptr<ScsiDevice> device = win32::openCameraDrive("aspi:0:1:0");
    ASSERT_NE(device, nullptr);
    uint8_t data[36] = {};
    EXPECT_TRUE(Inquiry(*device, data));

    win32::overrideStorageChoice(win32::StorageChoice::None);
    EXPECT_TRUE(win32::listCameraDrives().empty());
    EXPECT_EQ(win32::openCameraDrive("aspi:0:1:0"), nullptr);
    win32::overrideStorageChoice(std::nullopt);
}

// A virtual platform whose camera drives are reached through the ASPI backend.
class AspiPlatform final : public UsbPlatform {
  public:
    void setLayer(std::shared_ptr<win32::AspiLayer> layer) { layer_ = std::move(layer); }
    std::vector<std::string> listRemovableScsi() override { return win32::listAspiDevices(layer_); }
    std::unique_ptr<ScsiDevice> openScsi(const std::string& name) override {
        const std::optional<win32::AspiAddress> address = win32::parseAspiName(name);
        return address ? win32::openAspiDevice(layer_, *address) : nullptr;
    }

  private:
    std::shared_ptr<win32::AspiLayer> layer_;
};

class AspiSessionTest : public ::testing::Test {
  protected:
    void SetUp() override {
        // Under Wine the stand-in needs WINEDLLOVERRIDES=wnaspi32=n (the tests' environment).
        ASSERT_TRUE(bus_.loaded()) << "the stand-in wnaspi32.dll did not load";
        std::shared_ptr<win32::AspiLayer> layer = win32::AspiLayer::load(waiter_);
        ASSERT_NE(layer, nullptr);
        platform_.setLayer(std::move(layer));
        bus_.add(0, 2, drive_);
        Cam_reset_dll();
        ResetDeviceTable();
    }
    void TearDown() override {
        Cam_reset_dll();
        ResetDeviceTable();
    }

    AspiPlatform platform_;
    ScopedPlatform installed_{platform_};
    VirtualWaiter waiter_{platform_};
    camsim::Camera camera_;
    CamsimCameraSide side_{camera_};
    VirtualScsiCamera drive_{"Pelorin", kR10, &side_, &platform_};
    ScriptedBus bus_;
};

TEST_F(AspiSessionTest, MessagesRoundTripThroughTheLayer) {
    camera_.profile().values[166] = 0x4321;
    ASSERT_EQ(Cam_set_port(kUsbPort), kUsbPort);
    ASSERT_EQ(Cam_session_enabled(1), 0);
    EXPECT_EQ(currentConnection->vendorId, kR10);
    EXPECT_EQ(Cam_get_lcd_type(), 0x4321);
    ASSERT_FALSE(camera_.log().empty());
    EXPECT_EQ(camera_.log().back().code, 166);
    EXPECT_EQ(Cam_set_factory_code(3), 0);

    drive_.failNextCommands(1, 1);  // the write message of the next command
    EXPECT_EQ(Cam_set_factory_code(3), 21);
    EXPECT_EQ(Cam_set_factory_code(3), 0);

    EXPECT_EQ(Cam_session_enabled(0), 0);
    EXPECT_EQ(drive_.releases(), 2);  // at the reopen after the failure, and at the close
    EXPECT_EQ(drive_.protocolErrors(), 0);
    EXPECT_EQ(bus_.aborts(), 0);
}

}  // namespace
}  // namespace qorlink::test
