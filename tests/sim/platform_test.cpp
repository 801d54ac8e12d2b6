// The virtual platform's clock and lines, and the platform's library name rule.
#include <gtest/gtest.h>

#include "host_line.h"
#include "library_name.h"
#include "platform.h"

namespace camsim::test {
namespace {

using qorlink::test::VirtualPlatform;

TEST(VirtualPlatformTest, TimePassesOnlyWhenTheHostWaits) {
    Camera camera;
    VirtualPlatform p;
    p.attach(1, camera);
    auto port = p.openSerial(1);
    ASSERT_TRUE(port);
    ASSERT_TRUE(port->setLine(19200));

    p.sleepMs(250);
    EXPECT_EQ(p.clock().nowUs(), 250'000u);

    uint8_t buf[4];
    EXPECT_EQ(port->read(buf, 4, 12000), 0);  // a 12-second time-out, spent at once
    EXPECT_EQ(p.clock().nowUs(), 12'250'000u);

    uint8_t probe = kProbe;
    ASSERT_TRUE(port->write(&probe, 1));
    EXPECT_EQ(p.clock().nowUs(), 12'250'000u + lineTimeUs(1, 19200));
    EXPECT_EQ(port->read(buf, 4, 100), 1);  // only one byte comes: the read ends at its deadline
    EXPECT_EQ(buf[0], kNak);
    EXPECT_EQ(p.clock().nowUs(), 12'250'000u + lineTimeUs(1, 19200) + 100'000u);

    uint32_t start = p.tickMs();
    while (p.tickMs() - start < 2) {
    }  // a busy-wait on the tick count ends
}

TEST(VirtualPlatformTest, PortsOpenOnlyWhenWiredAndFree) {
    Camera camera;
    VirtualPlatform p;
    p.attach(2, camera);
    p.line(2).openFailures = 1;
    EXPECT_EQ(p.openSerial(1), nullptr);
    EXPECT_EQ(p.openSerial(2), nullptr);  // the planned failure
    auto port = p.openSerial(2);
    ASSERT_TRUE(port);
    EXPECT_EQ(p.openSerial(2), nullptr);  // in use
    EXPECT_TRUE(p.line(2).isOpen);
    EXPECT_FALSE(port->setBaud(12345));
    port.reset();
    EXPECT_FALSE(p.line(2).isOpen);
    EXPECT_EQ(p.line(2).opens, 1);
}

TEST(VirtualPlatformTest, ScsiDevicesAreListedByName) {
    VirtualPlatform p;
    int opened = 0;
    p.addScsiDevice("sdb", [&] {
        ++opened;
        return std::unique_ptr<qorlink::ScsiDevice>();
    });
    p.addScsiDevice("sdc", {});
    EXPECT_EQ(p.listRemovableScsi(), (std::vector<std::string>{"sdb", "sdc"}));
    p.openScsi("sdb");
    EXPECT_EQ(opened, 1);
    p.removeScsiDevice("sdc");
    EXPECT_EQ(p.listRemovableScsi(), (std::vector<std::string>{"sdb"}));
    EXPECT_EQ(p.openScsi("sdc"), nullptr);
}

TEST(LibraryNameTest, WindowsLibraryNamesMapToThisHostsFileNames) {
    struct Case {
        const char* windows;
        const char* posix;
        const char* win32;
    } cases[] = {
        {"Ravik.dll", "libravik.so", "Ravik.dll"},
        {"Ulmora.dll", "libulmora.so", "Ulmora.dll"},
        {".\\Judvane.dll", "libjudvane.so", "Judvane.dll"},
        {"./Judvane.dll", "libjudvane.so", "Judvane.dll"},
        {"C:\\Tools\\Cifrel.DLL", "libcifrel.so", "Cifrel.DLL"},
        {"C:Cifrel.dll", "libcifrel.so", "Cifrel.dll"},
        {"wnaspi32.dll", "libwnaspi32.so", "wnaspi32.dll"},
        {"qorlink", "libqorlink.so", "qorlink.dll"},
        {"QorLink", "libqorlink.so", "QorLink.dll"},
        {"MiXeD.DlL", "libmixed.so", "MiXeD.DlL"},
        {"Two.Dots.dll", "libtwo.dots.so", "Two.Dots.dll"},
    };
    for (const Case& c : cases) {
#if defined(_WIN32)
        EXPECT_EQ(qorlink::nativeLibraryName(c.windows), c.win32) << c.windows;
#else
        EXPECT_EQ(qorlink::nativeLibraryName(c.windows), c.posix) << c.windows;
#endif
    }
}

TEST(HostPlatformTest, AMissingLibraryDoesNotLoad) {
    EXPECT_EQ(qorlink::hostPlatform().loadLibrary("NoSuchLibrary.dll"), nullptr);
}

}  // namespace
}  // namespace camsim::test
