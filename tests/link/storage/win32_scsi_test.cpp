// The NT camera drive backend on scripted drives: which drives are listed and how they are
// opened, the pass-through request each command becomes and how its outcome is judged, whole
// sessions through the library over it, and the choice of backend by system version.
#include <gtest/gtest.h>

// The pass-through structure needs the Windows types first.
#include "win32/windows_api.h"

#include <ntddscsi.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "camsim/camera.h"
#include "connection.h"
#include "link_constants.h"
#include "qorlink.h"
#include "storage/device_table.h"
#include "usb_platform.h"
#include "win32/drive_io_win32.h"
#include "win32/drives_win32.h"
#include "win32/storage_choice_win32.h"

namespace qorlink::test {
namespace {

using win32::DriveIo;

constexpr uint16_t kR10 = 0x010B;
constexpr UCHAR kCheckCondition = 0x02;
constexpr UCHAR kBusy = 0x08;
constexpr UINT kStartMode = SEM_NOOPENFILEERRORBOX;
const std::vector<uint8_t> kIllegalRequest = {0x70, 0, 0x05, 0, 0, 0, 0, 10, 0, 0, 0, 0, 0x24};

// Drives answering through the system's drive calls. Each pass-through request is checked field
// by field (a departure counts as a violation and fails the call) and its command handed to the
// drive's virtual camera; a queued fault changes what the call answers.
class ScriptedDrives final : public DriveIo {
  public:
    struct Fault {
        bool controlFails = false;
        std::optional<UCHAR> status;
        std::vector<uint8_t> sense;        // written to the request's sense space
        std::optional<UCHAR> senseLength;  // reported back; the sense's size by default
        std::optional<ULONG> delivered;    // data-in bytes that reach the caller's buffer
        std::optional<ULONG> reported;     // transfer length reported back
    };
    struct Open {
        std::string path;
        DWORD access, sharing;
    };
    struct Control {
        DWORD code;
        std::vector<uint8_t> input;
        DWORD outLength;
        SCSI_PASS_THROUGH_DIRECT request;  // as the backend filled it, for pass-through
    };

    void add(const std::string& root, UINT type, VirtualScsiCamera* camera = nullptr) {
        drives_[root] = {type, camera};
    }
    void faultNext(const Fault& f) { fault_ = f; }
    void setSetupFails(bool fails) { setupFails_ = fails; }

    const std::vector<Open>& opens() const { return opens_; }
    const std::vector<Control>& controls() const { return controls_; }
    const std::vector<std::string>& typesAsked() const { return typesAsked_; }
    const std::vector<UINT>& modesSeen() const { return modesSeen_; }
    UINT errorMode() const { return mode_; }
    size_t openHandles() const { return handles_.size(); }
    int violations() const { return violations_; }

    UINT setErrorMode(UINT mode) override { return std::exchange(mode_, mode); }
    DWORD logicalDriveStrings(DWORD length, char* buffer) override {
        modesSeen_.push_back(mode_);
        std::string strings;
        for (const auto& [root, drive] : drives_)
            strings += root + '\0';
        if (strings.size() + 1 > length) return static_cast<DWORD>(strings.size() + 1);
        std::memcpy(buffer, strings.c_str(), strings.size() + 1);
        return static_cast<DWORD>(strings.size());
    }
    UINT driveType(const char* root) override {
        modesSeen_.push_back(mode_);
        typesAsked_.push_back(root);
        const auto it = drives_.find(root);
        return it == drives_.end() ? DRIVE_NO_ROOT_DIR : it->second.type;
    }
    HANDLE openDevice(const char* path, DWORD access, DWORD sharing) override {
        opens_.push_back({path, access, sharing});
        for (const auto& [root, drive] : drives_) {
            if ("\\\\.\\" + root.substr(0, 2) != path || drive.camera == nullptr) continue;
            const HANDLE h = reinterpret_cast<HANDLE>(++lastHandle_);
            handles_[h] = drive.camera->open();
            return h;
        }
        return INVALID_HANDLE_VALUE;
    }
    bool deviceControl(HANDLE device, DWORD code, void* in, DWORD inLength, void* out,
                       DWORD outLength, DWORD*) override {
        Control c{code, {}, outLength, {}};
        const auto* bytes = static_cast<const uint8_t*>(in);
        if (bytes != nullptr) c.input.assign(bytes, bytes + inLength);
        if (code == IOCTL_SCSI_PASS_THROUGH_DIRECT && inLength >= sizeof c.request)
            std::memcpy(&c.request, in, sizeof c.request);
        controls_.push_back(c);
        const auto it = handles_.find(device);
        if (it == handles_.end()) return Violation();
        if (code != IOCTL_SCSI_PASS_THROUGH_DIRECT) return !setupFails_;
        return PassThrough(*it->second, in, inLength, out, outLength);
    }
    void closeDevice(HANDLE device) override { handles_.erase(device); }

  private:
    struct Drive {
        UINT type = DRIVE_UNKNOWN;
        VirtualScsiCamera* camera = nullptr;
    };

    bool Violation() {
        ++violations_;
        return false;
    }

    static bool WellFormed(const SCSI_PASS_THROUGH_DIRECT& r, DWORD blockLength) {
        const bool none = r.DataTransferLength == 0;
        return r.Length == sizeof r && r.PathId == 0 && r.TargetId == 1 && r.Lun == 0 &&
               r.CdbLength >= 1 && r.CdbLength <= 16 && r.SenseInfoLength == 24 &&
               r.SenseInfoOffset >= sizeof r && r.SenseInfoOffset + 24 <= blockLength &&
               r.DataIn <= SCSI_IOCTL_DATA_UNSPECIFIED &&
               none == (r.DataIn == SCSI_IOCTL_DATA_UNSPECIFIED) &&
               none == (r.DataBuffer == nullptr) && r.TimeOutValue > 0;
    }

    bool PassThrough(ScsiDevice& drive, void* in, DWORD inLength, void* out, DWORD outLength) {
        if (in != out || inLength != outLength || inLength < sizeof(SCSI_PASS_THROUGH_DIRECT))
            return Violation();
        auto& r = *static_cast<SCSI_PASS_THROUGH_DIRECT*>(in);
        if (!WellFormed(r, inLength)) return Violation();
        Fault f = std::exchange(fault_, Fault{});
        if (f.controlFails) return false;

        const ScsiDirection direction = r.DataIn == SCSI_IOCTL_DATA_IN    ? ScsiDirection::In
                                        : r.DataIn == SCSI_IOCTL_DATA_OUT ? ScsiDirection::Out
                                                                          : ScsiDirection::None;
        auto* caller = static_cast<uint8_t*>(r.DataBuffer);
        const size_t length = r.DataTransferLength;
        std::vector<uint8_t> data(caller, caller + length);
        const bool ok =
            drive.command(r.Cdb, r.CdbLength, direction, data.data(), length, r.TimeOutValue);
        const size_t delivered = std::min<size_t>(f.delivered.value_or(length), length);
        if (direction == ScsiDirection::In) std::copy_n(data.begin(), delivered, caller);
        r.DataTransferLength = f.reported.value_or(static_cast<ULONG>(delivered));

        r.ScsiStatus = f.status.value_or(ok ? 0 : kCheckCondition);
        if (!ok && f.sense.empty()) f.sense = kIllegalRequest;
        uint8_t* sense = static_cast<uint8_t*>(in) + r.SenseInfoOffset;
        std::memcpy(sense, f.sense.data(), std::min<size_t>(f.sense.size(), 24));
        r.SenseInfoLength = f.senseLength.value_or(static_cast<UCHAR>(f.sense.size()));
        return true;
    }

    std::map<std::string, Drive> drives_;
    std::map<HANDLE, std::unique_ptr<ScsiDevice>> handles_;
    std::vector<Open> opens_;
    std::vector<Control> controls_;
    std::vector<std::string> typesAsked_;
    std::vector<UINT> modesSeen_;
    UINT mode_ = kStartMode;
    uintptr_t lastHandle_ = 0x100;
    Fault fault_;
    bool setupFails_ = false;
    int violations_ = 0;
};

using Fault = ScriptedDrives::Fault;

Fault ControlFails() {
    Fault f;
    f.controlFails = true;
    return f;
}

Fault Answer(UCHAR status, const std::vector<uint8_t>& sense = {},
             std::optional<UCHAR> senseLength = std::nullopt) {
    Fault f;
    f.status = status;
    f.sense = sense;
    f.senseLength = senseLength;
    return f;
}

Fault Transfer(std::optional<ULONG> delivered, std::optional<ULONG> reported) {
    Fault f;
    f.delivered = delivered;
    f.reported = reported;
    return f;
}

// A virtual platform whose camera drives are reached through the NT backend.
class PassThroughPlatform final : public UsbPlatform {
  public:
    using UsbPlatform::UsbPlatform;
    ScriptedDrives& drives() { return drives_; }
    std::vector<std::string> listRemovableScsi() override {
        return win32::listRemovableDrives(drives_);
    }
    std::unique_ptr<ScsiDevice> openScsi(const std::string& name) override {
        return win32::openDrive(drives_, name);
    }

  private:
    ScriptedDrives drives_;
};

std::vector<uint8_t> Inquiry() {
    return {0x12, 0, 0, 0, 0x24, 0, 0, 0, 0, 0, 0, 0};
}

class Win32DriveTest : public ::testing::Test {
  protected:
    Win32DriveTest() {
        drives_.add("a:\\", DRIVE_REMOVABLE, &camera_);
        drives_.add("C:\\", DRIVE_FIXED);
        drives_.add("D:\\", DRIVE_CDROM, &camera_);
        drives_.add("E:\\", DRIVE_REMOVABLE, &camera_);
        drives_.add("F:\\", DRIVE_REMOVABLE);
    }
    std::unique_ptr<ScsiDevice> OpenCamera() { return win32::openDrive(drives_, "E:\\"); }
    bool Command(ScsiDevice& d, std::vector<uint8_t>& data) {
        const std::vector<uint8_t> cdb = Inquiry();
        return d.command(cdb.data(), cdb.size(), ScsiDirection::In, data.data(), 36, 90);
    }

    ScriptedDrives drives_;
    VirtualScsiCamera camera_{"Pelorin", kR10, nullptr, nullptr};
};

TEST_F(Win32DriveTest, ListsRemovableRootsButNeverTheFloppyWithErrorBoxesOff) {
    EXPECT_EQ(win32::listRemovableDrives(drives_), (std::vector<std::string>{"E:\\", "F:\\"}));
    EXPECT_EQ(std::count(drives_.typesAsked().begin(), drives_.typesAsked().end(), "a:\\"), 0);
    EXPECT_TRUE(drives_.opens().empty());
    ASSERT_FALSE(drives_.modesSeen().empty());
    for (UINT mode : drives_.modesSeen())
        EXPECT_EQ(mode, static_cast<UINT>(SEM_FAILCRITICALERRORS));
    EXPECT_EQ(drives_.errorMode(), kStartMode);
}

TEST_F(Win32DriveTest, OpensTheDeviceSharedAndSendsTheSetupControl) {
    for (bool setupFails : {false, true}) {
        drives_.setSetupFails(setupFails);
        const size_t controlsBefore = drives_.controls().size();
        std::unique_ptr<ScsiDevice> device = OpenCamera();
        ASSERT_NE(device, nullptr) << setupFails;
        const ScriptedDrives::Open& open = drives_.opens().back();
        EXPECT_EQ(open.path, "\\\\.\\E:");
        EXPECT_EQ(open.access, static_cast<DWORD>(GENERIC_READ | GENERIC_WRITE));
        EXPECT_EQ(open.sharing,
                  static_cast<DWORD>(FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE));
        ASSERT_EQ(drives_.controls().size(), controlsBefore + 1);
        const ScriptedDrives::Control& setup = drives_.controls().back();
        EXPECT_EQ(setup.code, 0x8000202Cu);
        EXPECT_EQ(setup.input, (std::vector<uint8_t>{180, 0, 0, 0, 180, 0, 0, 0, 0, 0, 0, 0}));
        EXPECT_EQ(setup.outLength, 0u);
        EXPECT_EQ(drives_.openHandles(), 1u);
        device.reset();
        EXPECT_EQ(drives_.openHandles(), 0u);
    }
}

TEST_F(Win32DriveTest, OnlyDriveRootsOtherThanTheFloppyOpen) {
    for (const char* name : {"A:\\", "a:\\", "E:", "E:\\x", "", "/dev/sdb", "1:\\", "aspi:0:1:0"})
        EXPECT_EQ(win32::openDrive(drives_, name), nullptr) << name;
    EXPECT_TRUE(drives_.opens().empty());
    EXPECT_EQ(win32::openDrive(drives_, "F:\\"), nullptr);  // the system refuses the open
    EXPECT_TRUE(drives_.controls().empty());
}

TEST_F(Win32DriveTest, RequestCarriesTheCommandTheCallerGave) {
    std::unique_ptr<ScsiDevice> device = OpenCamera();
    ASSERT_NE(device, nullptr);
    struct Case {
        ScsiDirection direction;
        size_t length;
        uint32_t timeout;
        UCHAR dataIn;
        ULONG timeoutSent;
    };
    const Case cases[] = {
        {ScsiDirection::In, 36, 90, SCSI_IOCTL_DATA_IN, 90},
        {ScsiDirection::Out, 16, 2, SCSI_IOCTL_DATA_OUT, 2},
        {ScsiDirection::None, 0, 0, SCSI_IOCTL_DATA_UNSPECIFIED, 1},  // never the default
        {ScsiDirection::None, 8, 12, SCSI_IOCTL_DATA_UNSPECIFIED, 12},
    };
    for (const Case& c : cases) {
        std::vector<uint8_t> data(std::max<size_t>(c.length, 1), 0x5A);
        const uint8_t cdb[16] = {0xE8, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15};
        device->command(cdb, sizeof cdb, c.direction, data.data(), c.length, c.timeout);
        const SCSI_PASS_THROUGH_DIRECT& r = drives_.controls().back().request;
        EXPECT_EQ(drives_.controls().back().code, 0x4D014u);
        EXPECT_EQ(r.DataIn, c.dataIn);
        const bool moves = c.direction != ScsiDirection::None;
        EXPECT_EQ(r.DataTransferLength, moves ? c.length : 0);
        EXPECT_EQ(r.DataBuffer, moves ? data.data() : nullptr);
        EXPECT_EQ(r.TimeOutValue, c.timeoutSent);
        EXPECT_EQ(r.CdbLength, 16);
        EXPECT_EQ(std::memcmp(r.Cdb, cdb, sizeof cdb), 0);
    }
    EXPECT_EQ(drives_.violations(), 0);

    std::vector<uint8_t> inquiry(36);
    EXPECT_TRUE(Command(*device, inquiry));
    EXPECT_EQ(std::string(inquiry.begin() + 8, inquiry.begin() + 15), "Pelorin");
    EXPECT_EQ(drives_.controls().back().request.CdbLength, 12);
}

TEST_F(Win32DriveTest, SucceedsOnlyOnGoodStatusAndHarmlessSense) {
    std::unique_ptr<ScsiDevice> device = OpenCamera();
    ASSERT_NE(device, nullptr);
    const std::vector<uint8_t> noSense = {0x70, 0, 0x00, 0, 0, 0, 0, 10};
    const std::vector<uint8_t> recovered = {0x70, 0, 0x01, 0, 0, 0, 0, 10};
    const std::vector<uint8_t> descriptorNotReady = {0x72, 0x02, 0x3A, 0};
    struct Case {
        const char* what;
        Fault fault;
        bool ok;
    };
    const Case cases[] = {
        {"plain", Fault{}, true},
        {"control fails", ControlFails(), false},
        {"check condition", Answer(kCheckCondition, kIllegalRequest), false},
        {"busy", Answer(kBusy), false},
        {"no sense", Answer(0, noSense), true},
        {"recovered error", Answer(0, recovered), false},
        {"descriptor", Answer(0, descriptorNotReady), false},
        {"sense not reported", Answer(0, kIllegalRequest, 0), true},
        {"empty sense space", Answer(0, std::vector<uint8_t>(24), 24), true},
        {"sense longer than its space", Answer(0, kIllegalRequest, 255), false},
    };
    for (const Case& c : cases) {
        drives_.faultNext(c.fault);
        std::vector<uint8_t> data(36);
        EXPECT_EQ(Command(*device, data), c.ok) << c.what;
    }
    EXPECT_EQ(drives_.violations(), 0);
}

TEST_F(Win32DriveTest, RefusesWhatTheRequestCannotCarry) {
    std::unique_ptr<ScsiDevice> device = OpenCamera();
    ASSERT_NE(device, nullptr);
    const size_t controls = drives_.controls().size();
    const uint8_t cdb[17] = {0x12};
    uint8_t data[36] = {};
    EXPECT_FALSE(device->command(cdb, 0, ScsiDirection::In, data, sizeof data, 90));
    EXPECT_FALSE(device->command(cdb, 17, ScsiDirection::In, data, sizeof data, 90));
    EXPECT_FALSE(device->command(cdb, 6, ScsiDirection::In, nullptr, sizeof data, 90));
    if constexpr (sizeof(size_t) > 4) {
        const size_t beyond = size_t{UINT32_MAX} + 1;
        EXPECT_FALSE(device->command(cdb, 6, ScsiDirection::Out, data, beyond, 90));
    }
    EXPECT_EQ(drives_.controls().size(), controls);
}

TEST_F(Win32DriveTest, ShortTransfersClearTheRestAndLongReportsStayInTheBuffer) {
    std::unique_ptr<ScsiDevice> device = OpenCamera();
    ASSERT_NE(device, nullptr);
    std::vector<uint8_t> full(36);
    ASSERT_TRUE(Command(*device, full));
    constexpr size_t kGuard = 8;
    struct Case {
        std::optional<ULONG> delivered, reported;
    };
    const Case cases[] = {
        {20, std::nullopt},         // a residual of 16 bytes
        {0, std::nullopt},          // nothing arrived
        {std::nullopt, 36 + 4096},  // the driver claims more than the buffer holds
        {std::nullopt, UINT32_MAX},
    };
    for (const Case& c : cases) {
        drives_.faultNext(Transfer(c.delivered, c.reported));
        std::vector<uint8_t> data(36 + kGuard, 0xAA);
        EXPECT_TRUE(Command(*device, data));
        const auto delivered = static_cast<std::ptrdiff_t>(c.delivered.value_or(36));
        EXPECT_TRUE(std::equal(data.begin(), data.begin() + delivered, full.begin()));
        EXPECT_TRUE(std::all_of(data.begin() + delivered, data.begin() + 36,
                                [](uint8_t b) { return b == 0; }));
        EXPECT_TRUE(
            std::all_of(data.end() - kGuard, data.end(), [](uint8_t b) { return b == 0xAA; }));
    }
}

// Whole sessions: the library's exports over the software camera on a scripted drive.
class Win32SessionTest : public ::testing::Test {
  protected:
    void SetUp() override {
        Cam_reset_dll();
        ResetDeviceTable();
        platform_.drives().add("A:\\", DRIVE_REMOVABLE, &floppy_);
        platform_.drives().add("C:\\", DRIVE_FIXED);
        platform_.drives().add("E:\\", DRIVE_REMOVABLE, &drive_);
    }
    void TearDown() override {
        Cam_reset_dll();
        ResetDeviceTable();
    }

    PassThroughPlatform platform_;
    ScopedPlatform installed_{platform_};
    camsim::Camera camera_;
    CamsimCameraSide side_{camera_};
    VirtualScsiCamera drive_{"Pelorin", kR10, &side_, &platform_};
    VirtualScsiCamera floppy_{"Pelorin", kR10, nullptr, nullptr};
};

TEST_F(Win32SessionTest, ValueQueriesAndCloseGoThroughPassThroughRequests) {
    camera_.profile().values[166] = 0x1234;
    ASSERT_EQ(Cam_set_port(kUsbPort), kUsbPort);
    ASSERT_EQ(Cam_session_enabled(1), 0);
    EXPECT_EQ(currentConnection->vendorId, kR10);
    EXPECT_EQ(Cam_get_lcd_type(), 0x1234);
    EXPECT_EQ(Cam_set_factory_code(3), 0);

    drive_.failNextCommands(1, 1);  // the write message of the next command
    EXPECT_EQ(Cam_set_factory_code(3), 21);
    EXPECT_EQ(Cam_set_factory_code(3), 0);

    EXPECT_EQ(Cam_session_enabled(0), 0);
    EXPECT_EQ(drive_.releases(), 2);  // at the reopen after the failure, and at the close
    EXPECT_EQ(platform_.drives().openHandles(), 0u);
    EXPECT_TRUE(floppy_.log().empty());
    EXPECT_EQ(drive_.protocolErrors(), 0);
    EXPECT_EQ(platform_.drives().violations(), 0);
}

TEST(Win32StorageChoice, FollowsTheSystemVersion) {
    using win32::StorageChoice;
    struct Case {
        uint32_t platform, major, minor;
        StorageChoice choice;
    };
    const Case cases[] = {
        {VER_PLATFORM_WIN32_WINDOWS, 4, 10, StorageChoice::Aspi},
        {VER_PLATFORM_WIN32_WINDOWS, 4, 90, StorageChoice::Aspi},
        {VER_PLATFORM_WIN32_WINDOWS, 4, 0, StorageChoice::None},
        {VER_PLATFORM_WIN32_WINDOWS, 5, 1, StorageChoice::None},
        {VER_PLATFORM_WIN32_NT, 4, 0, StorageChoice::None},
        {VER_PLATFORM_WIN32_NT, 4, 10, StorageChoice::None},
        {VER_PLATFORM_WIN32_NT, 5, 0, StorageChoice::PassThrough},
        {VER_PLATFORM_WIN32_NT, 10, 0, StorageChoice::PassThrough},
        {VER_PLATFORM_WIN32s, 3, 11, StorageChoice::None},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(win32::chooseStorage(c.platform, c.major, c.minor), c.choice)
            << c.platform << " " << c.major << "." << c.minor;
    }
}

TEST(Win32StorageChoice, TheVariableNamesOneBackendExactly) {
    using win32::StorageChoice;
    EXPECT_EQ(win32::parseStorageChoice("passthrough"), StorageChoice::PassThrough);
    EXPECT_EQ(win32::parseStorageChoice("aspi"), StorageChoice::Aspi);
    EXPECT_EQ(win32::parseStorageChoice("none"), StorageChoice::None);
    for (const char* text :
         {static_cast<const char*>(nullptr), "", "ASPI", "pass-through", "aspi "})
        EXPECT_EQ(win32::parseStorageChoice(text), std::nullopt) << (text ? text : "null");
}

}  // namespace
}  // namespace qorlink::test
