// The key dialog end to end: key data read through the stand-in key source and decipher
// libraries, compared with the camera's key records and written into the camera.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "camsim/setup_records.h"
#include "console/upload.h"
#include "dialog_session.h"
#include "dialogs/key_dialog.h"
#include "keydata.h"

namespace orvia::testing {
namespace {

namespace fs = std::filesystem;
using namespace keys;

constexpr char kKeyId[] = "CAM-0001";

std::vector<uint8_t> pattern(size_t n, uint8_t seed) {
    std::vector<uint8_t> r(n);
    for (size_t i = 0; i < n; ++i)
        r[i] = static_cast<uint8_t>(seed ^ (i * 13));
    return r;
}

// A key data folder holding key 1 under kKeyId and key 2, removed with the fixture.
class KeyDialogTest : public ::testing::Test {
  protected:
    void SetUp() override {
        folder_ = fs::path(::testing::TempDir()) /
                  ("orvia-keys-" + std::to_string(getpid()) + "-" +
                   ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(folder_);
        writeKeys(key1_, key2_);
    }
    void TearDown() override { fs::remove_all(folder_); }

    void writeKeys(const std::vector<uint8_t>& one, const std::vector<uint8_t>& two) {
        orvia::keys::KeyEntry e1, e2;
        ASSERT_TRUE(orvia::keys::MakeKeyEntry(kKeyId, one, &e1));
        ASSERT_TRUE(orvia::keys::MakeKeyEntry("RSA2", two, &e2));
        ASSERT_TRUE(orvia::keys::WriteKeyData(folder_.string(), {e1, e2}));
    }

    // The key provisioning camera, holding `one` and `two`.
    camsim::Profile camera(const std::vector<uint8_t>& one, const std::vector<uint8_t>& two) {
        camsim::Profile p = camsim::setupProfile(camsim::kKeyProvisioningType);
        p.records[camsim::kCodeKey1] = one;
        p.records[camsim::kCodeKey2] = two;
        return p;
    }

    // Opens the dialog with the Data button ("RsaKey"), fills the folder and the identifier,
    // presses `button` and returns the camera traffic of the press and the status texts shown;
    // `outcome`, when given, receives the press's outcome.
    Strings press(ConsoleRig& rig, int button, Strings* statuses,
                  const std::string& identifier = kKeyId, Outcome* outcome = nullptr) {
        Strings traffic;
        openDialog(
            rig, kTemplate, [&] { rig.dialog().command(idc::kData); },
            [&](DialogModel& d) {
                EXPECT_EQ(d.control(kFolder).text, "C:\\Tarnelqx-3W_W");
                type(d, kFolder, folder_.string());
                type(d, kIdentifier, identifier);
                recordTexts(d, kStatus, *statuses);
                traffic = trafficOf(rig, [&] { d.command(button); });
                d.setObserver(nullptr);
                if (outcome != nullptr && d.lastOutcome()) *outcome = *d.lastOutcome();
            });
        return traffic;
    }

    fs::path folder_;
    std::vector<uint8_t> key1_ = pattern(724, 0x5A);
    std::vector<uint8_t> key2_ = pattern(136, 0xC3);
};

TEST_F(KeyDialogTest, CompareReadsBothSetsAndTellsWhichDiffer) {
    struct Case {
        bool sameKey1, sameKey2;
        const char* key1Line;
        const char* key2Line;
        const char* summary;
    };
    const Case cases[] = {
        {true, true, " Status: Key1 data are the same as DSC",
         " Status: Key2 data are the same as DSC", " Status: Key1,2 data are the same as DSC"},
        {false, true, " Status: Key1 data are different from DSC",
         " Status: Key2 data are the same as DSC", " Status: Key1 data are different from DSC"},
        {true, false, " Status: Key1 data are the same as DSC",
         " Status: Key2 data are different from DSC", " Status: Key2 data are different from DSC"},
        {false, false, " Status: Key1 data are different from DSC",
         " Status: Key2 data are different from DSC",
         " Status: Key1 & Key2 data are different from DSC"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.summary);
        std::vector<uint8_t> one = key1_, two = key2_;
        if (!c.sameKey1) one[723] ^= 1;  // the last byte compared
        if (!c.sameKey2) two[0] ^= 1;
        ConsoleRig rig(camera(one, two));
        Strings statuses;
        EXPECT_EQ(press(rig, kCompare, &statuses), (Strings{"fetch 203", "fetch 204"}));
        Strings expected = {" Status: Get Rsa1 Key Info completed !", c.key1Line,
                            " Status: Get Rsa2 Key Info completed !", c.key2Line};
        // A summary that repeats the line before it leaves the status as it is.
        if (expected.back() != c.summary) expected.push_back(c.summary);
        EXPECT_EQ(statuses, expected);
        EXPECT_EQ(rig.op.waitDepth, 0);
    }
}

TEST_F(KeyDialogTest, WriteSendsBothSetsOfTheFolder) {
    ConsoleRig rig(camera(pattern(724, 1), pattern(136, 2)));
    Strings statuses;
    EXPECT_EQ(press(rig, kWrite, &statuses), (Strings{"send 203", "send 204"}));
    EXPECT_EQ(statuses, (Strings{" Status: Set Rsa Key Info completed !"}));
    EXPECT_EQ(rig.camera.profile().records[camsim::kCodeKey1], key1_);
    EXPECT_EQ(rig.camera.profile().records[camsim::kCodeKey2], key2_);
}

// The key source's failures -1 (a malformed data file), -2 (no such key) and -3 (no data file)
// each end the press with their text and nothing sent or read.
TEST_F(KeyDialogTest, KeyDataFailuresEndWithTheirTexts) {
    struct Case {
        const char* what;
        std::function<void(const fs::path&)> spoil;
        std::string identifier;
        const char* compare;
        const char* write;
    };
    const Case cases[] = {
        {"malformed data file",
         [](const fs::path& f) { std::ofstream(f / orvia::keys::kKeyDataFile) << "RKD1\x05"; },
         kKeyId, " Status: RsaKey Memory Alloction Error",
         " Status: RsaKey(1) Memory Alloction Error"},
        {"no such key", [](const fs::path&) {}, "CAM-9999", " Status: RsaKey KEYDATA not found",
         " Status: RsaKey(1) KEYDATA not found"},
        {"no data file", [](const fs::path& f) { fs::remove(f / orvia::keys::kKeyDataFile); },
         kKeyId, " Status: RsaKey DATAFILE  not found", " Status: RsaKey(1) DATAFILE  not found"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        writeKeys(key1_, key2_);
        c.spoil(folder_);
        for (auto [button, text] : {std::pair{kCompare, c.compare}, {kWrite, c.write}}) {
            ConsoleRig rig(camera(key1_, key2_));
            Strings statuses;
            EXPECT_TRUE(press(rig, button, &statuses, c.identifier).empty());
            EXPECT_EQ(statuses, Strings{text});
        }
    }
}

// Key set 2 has texts of its own; a failure there ends the press after key set 1.
TEST_F(KeyDialogTest, KeySet2FailuresNameKeySet2) {
    orvia::keys::KeyEntry e1;
    ASSERT_TRUE(orvia::keys::MakeKeyEntry(kKeyId, key1_, &e1));
    ASSERT_TRUE(orvia::keys::WriteKeyData(folder_.string(), {e1}));  // no key 2
    ConsoleRig rig(camera(key1_, key2_));
    Strings statuses;
    EXPECT_EQ(press(rig, kWrite, &statuses), Strings{"send 203"});
    EXPECT_EQ(statuses, (Strings{" Status: Set Rsa Key Info completed !",
                                 " Status: RsaKey(2) KEYDATA not found"}));
}

TEST_F(KeyDialogTest, ARefusedCameraCallShowsTheResultText) {
    ConsoleRig rig(camera(key1_, key2_));
    rig.camera.faults().add({.fault = camsim::Fault::Dc1,
                             .op = camsim::kOpGetData,
                             .code = camsim::kCodeKey2,
                             .times = 0});
    Strings statuses;
    press(rig, kCompare, &statuses);
    ASSERT_EQ(statuses.size(), 3u);
    EXPECT_EQ(statuses[1], " Status: Key1 data are the same as DSC");
    EXPECT_EQ(statuses[2].rfind(" Status: Error ", 0), 0u);
}

// A second press starts from an empty status, so an earlier outcome cannot stand for it.
TEST_F(KeyDialogTest, AnotherPressClearsTheEarlierStatus) {
    ConsoleRig rig(camera(key1_, key2_));
    Strings statuses;
    openDialog(
        rig, kTemplate, [&] { rig.dialog().command(idc::kData); },
        [&](DialogModel& d) {
            type(d, kFolder, folder_.string());
            type(d, kIdentifier, kKeyId);
            d.command(kCompare);
            EXPECT_EQ(d.control(kStatus).text, " Status: Key1,2 data are the same as DSC");
            fs::remove(folder_ / orvia::keys::kKeyDataFile);
            recordTexts(d, kStatus, statuses);
            d.command(kCompare);
            d.setObserver(nullptr);
        });
    EXPECT_EQ(statuses, (Strings{"", " Status: RsaKey DATAFILE  not found"}));
}

int32_t keySourceAnswering4(const char*, const char*, unsigned char*) {
    return -4;
}

// A key source with a failure of its own: the press ends with the status left empty.
TEST_F(KeyDialogTest, AKeySourceFailureWithoutATextEndsWithAnEmptyStatus) {
    struct KeySource final : qorlink::LoadedLibrary {
        void* symbol(const char* name) override {
            return std::string_view(name) == "RKA_GetKey"
                       ? reinterpret_cast<void*>(&keySourceAnswering4)
                       : nullptr;
        }
    };
    ConsoleRig rig(camera(key1_, key2_));
    rig.platform.setLibraryLoader([](const std::string& name) {
        return name == "Ravik.dll" ? std::make_unique<KeySource>() : nullptr;
    });
    Strings statuses;
    EXPECT_TRUE(press(rig, kCompare, &statuses).empty());
    EXPECT_TRUE(statuses.empty());
}

// Each press ends with its outcome: a comparison is judged pass only when both key sets are the
// camera's; a failure carries the result of the refused call, or of the key source.
TEST_F(KeyDialogTest, EachPressEndsWithItsOutcome) {
    struct Case {
        const char* what;
        int button;
        bool key1Differs;
        bool cameraRefuses;
        std::string identifier;
        Ending ending;
        Judgement judgement;
        std::string reason;
    };
    const Case cases[] = {
        {"same", kCompare, false, false, kKeyId, Ending::Completed, Judgement::Pass, ""},
        {"key 1 differs", kCompare, true, false, kKeyId, Ending::Completed, Judgement::Ng, ""},
        {"write", kWrite, false, false, kKeyId, Ending::Completed, Judgement::NotJudged, ""},
        {"camera refuses", kCompare, false, true, kKeyId, Ending::Failed, Judgement::NotJudged, ""},
        {"no such key", kWrite, false, false, "CAM-9999", Ending::Failed, Judgement::NotJudged,
         " Status: RsaKey(1) KEYDATA not found"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<uint8_t> one = key1_;
        if (c.key1Differs) one[0] ^= 1;
        ConsoleRig rig(camera(one, key2_));
        if (c.cameraRefuses) {
            rig.camera.faults().add({.fault = camsim::Fault::Dc1,
                                     .op = camsim::kOpGetData,
                                     .code = camsim::kCodeKey1,
                                     .times = 0});
        }
        Strings statuses;
        Outcome outcome;
        press(rig, c.button, &statuses, c.identifier, &outcome);
        EXPECT_EQ(outcome.ending, c.ending);
        EXPECT_EQ(outcome.judgement, c.judgement);
        if (c.cameraRefuses) {
            EXPECT_NE(outcome.linkResult, 0);
            EXPECT_EQ(outcome.reason, statuses.back());
        } else if (!c.reason.empty()) {
            EXPECT_EQ(outcome.linkResult, -2);  // the key source: key data not found
            EXPECT_EQ(outcome.reason, c.reason);
        } else {
            EXPECT_EQ(outcome.linkResult, 0);
        }
    }
}

}  // namespace
}  // namespace orvia::testing
