// The Linux backend's pure parts: finding removable disks and their generic nodes in a sysfs
// tree, and judging the outcome of an SG_IO request.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "posix/scsi_linux.h"
#include "scsi_sense.h"

namespace qorlink::test {
namespace {

namespace fs = std::filesystem;

class SysfsTree : public ::testing::Test {
  protected:
    void SetUp() override {
        root_ = fs::temp_directory_path() / ("orvia-sysfs-" + std::to_string(::getpid()));
        fs::remove_all(root_);
        Disk("sda", "0", "sg0");
        Disk("sdb", "1", "sg1");
        Disk("sdc", "1", "");
        Disk("loop0", "1", "");
        Disk("sdd", "", "sg3");  // no removable attribute
        Disk("sde1", "1", "");   // not a whole disk
    }
    void TearDown() override { fs::remove_all(root_); }

    void Disk(const std::string& name, const std::string& removable, const std::string& sg) {
        const fs::path dir = root_ / "block" / name;
        fs::create_directories(dir / "device");
        if (!removable.empty()) std::ofstream(dir / "removable") << removable << "\n";
        if (!sg.empty()) fs::create_directories(dir / "device" / "scsi_generic" / sg);
    }
    std::string Block() const { return (root_ / "block").string(); }

    fs::path root_;
};

TEST_F(SysfsTree, ListsRemovableSdDisksWithTheirGenericNodes) {
    const std::vector<std::string> disks = linuxscsi::removableDisks(Block(), "/dev");
    EXPECT_EQ(disks, (std::vector<std::string>{"/dev/sdb", "/dev/sdc"}));
    EXPECT_EQ(linuxscsi::genericNodeOf("/dev/sdb", Block(), "/dev"), "/dev/sg1");
    EXPECT_EQ(linuxscsi::genericNodeOf("/dev/sdc", Block(), "/dev"), "");
    EXPECT_EQ(linuxscsi::genericNodeOf("/dev/loop0", Block(), "/dev"), "");
    EXPECT_TRUE(linuxscsi::removableDisks((root_ / "missing").string(), "/dev").empty());
}

TEST(SgResult, SucceedsOnlyOnGoodStatusAndHarmlessSense) {
    const uint8_t noSense[] = {0x70, 0, 0x00, 0, 0, 0, 0, 10};
    const uint8_t illegalRequest[] = {0x70, 0, 0x05, 0, 0, 0, 0, 10};
    const uint8_t descriptorNotReady[] = {0x72, 0x02, 0x3A, 0};
    struct Case {
        uint8_t status;
        uint16_t host, driver;
        const uint8_t* sense;
        size_t senseLength;
        bool ok;
    };
    const Case cases[] = {
        {0, 0, 0, nullptr, 0, true},
        {0x02, 0, 0x08, illegalRequest, sizeof illegalRequest, false},  // CHECK CONDITION
        {0x08, 0, 0, nullptr, 0, false},                                // BUSY
        {0, 0x07, 0, nullptr, 0, false},                                // host error
        {0, 0x03, 0, nullptr, 0, false},                                // time-out
        {0, 0, 0x06, nullptr, 0, false},                                // driver time-out
        {0, 0, 0x08, noSense, sizeof noSense, true},
        {0, 0, 0x08, nullptr, 0, false},  // sense announced but none written
        {0, 0, 0, illegalRequest, sizeof illegalRequest, false},
        {0, 0, 0x08, descriptorNotReady, sizeof descriptorNotReady, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(linuxscsi::commandSucceeded(c.status, c.host, c.driver, c.sense, c.senseLength),
                  c.ok)
            << int(c.status) << " " << c.host << " " << c.driver << " " << c.senseLength;
    }
}

// A device that sends less than asked leaves the rest of the buffer holding an earlier answer;
// the rest is cleared by the residual count, which a driver may report out of range.
TEST(SgResult, ShortTransferClearsWhatTheDeviceDidNotSend) {
    struct Case {
        int residual;
        size_t kept;
    };
    const Case cases[] = {{0, 8}, {3, 5}, {8, 0}, {9, 0}, {-1, 8}};
    for (const Case& c : cases) {
        uint8_t buffer[8];
        std::fill(std::begin(buffer), std::end(buffer), 0xAA);
        ClearUndelivered(buffer, sizeof buffer,
                         linuxscsi::deliveredLength(sizeof buffer, c.residual));
        for (size_t i = 0; i < sizeof buffer; ++i)
            EXPECT_EQ(buffer[i], i < c.kept ? 0xAA : 0) << "residual " << c.residual << " at " << i;
    }
}

}  // namespace
}  // namespace qorlink::test
