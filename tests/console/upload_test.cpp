// The Upload group's Firmware and Data buttons on a simulated camera: what the camera received,
// what the operator saw, and how bad files end.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>

#include "console/main_dialog.h"
#include "console/upload.h"
#include "console_rig.h"
#include "dialogs/key_dialog.h"
#include "dialogs/lens_adjust_dialog.h"

namespace orvia::testing {
namespace {

using Strings = std::vector<std::string>;

// The load selectors as the camera receives them.
constexpr char kFirmwareTraffic[] = "set 32 = 267239102";  // 0x0FEDBEBE
constexpr char kImageTraffic[] = "set 32 = 267124750";     // 0x0FEC000E
constexpr char kFontTraffic[] = "set 32 = 267054299";      // 0x0FEAECDB
constexpr char kNandTraffic[] = "set 32 = 267046379";      // 0x0FEACDEB

// Files for the operator to choose, in a directory of their own that goes with the test.
class Files {
  public:
    Files() : dir_(makeTemporaryFolder("orvia_upload_")) {}
    ~Files() {
        std::error_code ec;
        std::filesystem::remove_all(dir_, ec);
    }
    const std::string& folder() const { return dir_; }
    std::string path(const std::string& name) const { return dir_ + "/" + name; }
    std::string write(const std::string& name, const std::string& bytes) const {
        std::ofstream(path(name), std::ios::binary) << bytes;
        return path(name);
    }
    // A file of `size` bytes that takes no room on disk.
    std::string sparse(const std::string& name, uint64_t size) const {
        write(name, "");
        std::filesystem::resize_file(path(name), size);
        return path(name);
    }

  private:
    std::string dir_;
};

// A firmware image as camsim reads it: the version line, then the image.
std::string firmwareImage(const std::string& version, size_t bytes) {
    std::string image = "VERSION=" + version + "\r\n";
    for (size_t i = 0; image.size() < bytes; ++i)
        image += static_cast<char>('A' + i % 26);
    return image;
}

// What one press showed and sent.
struct Press {
    Strings traffic;
    Strings statuses;
    std::vector<uint32_t> statusAtMs;  // when each status showed, from the press
    std::vector<int> progress;         // progress bar positions, in order
    uint32_t tookMs = 0;
    std::optional<Outcome> outcome;  // what the button's procedure came to
};

// Runs the console, presses `button` once and records; `after` runs in the dialog after that.
Press press(ConsoleRig& rig, int button, const std::function<void(MainDialog&)>& after = {}) {
    Press p;
    rig.op.modalScripts[kMainTemplate] = [&](DialogModel& d) {
        MainDialog& main = rig.dialog();
        const uint32_t start = rig.clock.tickMs();
        main.setObserver([&](int id) {
            if (id == idc::kStatus) {
                p.statuses.push_back(main.control(id).text);
                p.statusAtMs.push_back(rig.clock.tickMs() - start);
            }
            if (id == idc::kProgress) {
                const int at = main.control(id).position;
                if (p.progress.empty() || p.progress.back() != at) p.progress.push_back(at);
            }
        });
        const size_t from = rig.mark();
        d.command(button);
        p.tookMs = rig.clock.tickMs() - start;
        p.traffic = rig.traffic(from);
        p.outcome = main.lastOutcome();
        main.setObserver({});
        if (after) after(main);
    };
    EXPECT_EQ(rig.run(), 0);
    return p;
}

TEST(Firmware, SendsTheFileCommitsItWaitsForTheRestartAndShowsTheNewVersion) {
    ConsoleRig rig;
    Files files;
    const std::string image = firmwareImage("1.03.0020", 100'000);
    const std::string path = files.write("ZR510_103.BIN", image);
    rig.op.files = {path};
    rig.op.answers = {true};
    const Press p = press(rig, idc::kFirmware);

    EXPECT_EQ(rig.op.fileFilters(), Strings{"Firmware(*.BIN)|*.BIN|"});
    EXPECT_EQ(rig.op.defaultExtensions, Strings{"BIN"});
    EXPECT_EQ(rig.op.questions(), Strings{"Update Firmware(" + path + "). Yes or No?"});
    EXPECT_EQ(p.traffic,
              (Strings{"fetch 26", kFirmwareTraffic, "send 29", "exec 11 0", "fetch 26"}));
    EXPECT_EQ(p.statuses,
              (Strings{"  Wait!!  Uploading File.", " Status: Wait!!  Writing Firmware.",
                       " Firmware Version: 1.03.0020"}));
    EXPECT_EQ(rig.op.messages(), Strings{"Update Firmware: Completed. New Version is 1.03.0020."});
    EXPECT_EQ(rig.model.committedData(camsim::kSelectorFirmware),
              std::vector<uint8_t>(image.begin(), image.end()));
    // The bar follows the transfer to 100, then the restart wait, and ends at 0.
    ASSERT_GE(p.progress.size(), 4u);
    EXPECT_NE(std::find(p.progress.begin(), p.progress.end(), 100), p.progress.end());
    EXPECT_EQ(p.progress.back(), 0);
    // From " Status: Wait!!  Writing Firmware." to the new version: the 60-second restart wait.
    ASSERT_EQ(p.statusAtMs.size(), 3u);
    EXPECT_GE(p.statusAtMs[2] - p.statusAtMs[1], 60'000u);
    EXPECT_LT(p.statusAtMs[2] - p.statusAtMs[1], 61'500u);
    EXPECT_EQ(rig.app.state().firmwareUpdated, 0);
    EXPECT_EQ(rig.op.waitDepth, 0);
}

// The version shown after the upload is one the camera reported after its restart, never the
// one read before: the quick-restart models are not asked (the box says so), and a camera that
// does not answer after the restart is a failure.
TEST(Firmware, TheRestartWaitAndTheVersionShownFollowTheModel) {
    struct Case {
        const char* type;
        bool uploadMode;
        bool versionReadable;  // after the restart
        uint32_t atLeastMs, belowMs;
        const char* box;
        const char* shown;  // on the status line
        Ending ending;
        const char* before;  // the version read before the upload; null: none
        const char* after;   // the version read after; null: none
        int32_t firmwareUpdated;
    };
    const char* kNotAsked =
        "Update Firmware: Completed. The new version is read at the next start.";
    const char* kNoAnswer =
        "Update Firmware: The camera did not answer after its restart. Its version could not be "
        "read.";
    const Case cases[] = {
        // Quick restart: 20 s, no version read afterwards, marked for the exit.
        {"YQS21", false, true, 20'000, 22'000, kNotAsked, "(not read)", Ending::Completed,
         "1.02.0017", nullptr, 1},
        // Slow restart: 60 s and 70 s more.
        {"YSR10", false, true, 130'000, 135'000,
         "Update Firmware: Completed. New Version is 2.00.0001.", "2.00.0001", Ending::Completed,
         "1.02.0017", "2.00.0001", 0},
        // Three tries, 2 s after each failure (each failed read takes the link library's time
        // too), then the failure.
        {"ZR510", false, false, 66'000, 230'000, kNoAnswer, "(not read)", Ending::Failed,
         "1.02.0017", nullptr, 0},
        // In the upload start mode no version was read before.
        {"ZR510", true, false, 66'000, 230'000, kNoAnswer, "(not read)", Ending::Failed, nullptr,
         nullptr, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.type) + (c.uploadMode ? " upload mode" : ""));
        ConsoleRig rig(profileFor(c.type));
        if (c.uploadMode) rig.host.markers = {"Upmode.txt"};
        if (!c.versionReadable) {
            rig.camera.faults().add({.fault = camsim::Fault::Dc1,
                                     .op = camsim::kOpGetData,
                                     .code = camsim::kCodeFirmwareVersion,
                                     // after the reads of start-up and before the upload
                                     .nth = c.uploadMode ? 1 : 3,
                                     .times = 0});
        }
        Files files;
        rig.op.files = {files.write("fw.bin", firmwareImage("2.00.0001", 5000))};
        rig.op.answers = {true};
        const Press p = press(rig, idc::kFirmware);
        EXPECT_GE(p.tookMs, c.atLeastMs);
        EXPECT_LT(p.tookMs, c.belowMs);
        EXPECT_EQ(rig.op.messages(), Strings{c.box});
        EXPECT_EQ(p.statuses.back(), std::string(" Firmware Version: ") + c.shown);
        EXPECT_EQ(rig.app.state().firmwareUpdated, c.firmwareUpdated);
        EXPECT_EQ(rig.camera.profile().firmwareVersion, "2.00.0001") << "the camera took it";
        ASSERT_TRUE(p.outcome);
        EXPECT_EQ(p.outcome->ending, c.ending);
        const Measurement* before = p.outcome->value("firmware_before");
        const Measurement* after = p.outcome->value("firmware_after");
        ASSERT_EQ(before != nullptr, c.before != nullptr);
        if (before != nullptr) {
            EXPECT_EQ(before->text, c.before);
        }
        ASSERT_EQ(after != nullptr, c.after != nullptr);
        if (after != nullptr) {
            EXPECT_EQ(after->text, c.after);
        }
        ASSERT_NE(p.outcome->value("file_sha256"), nullptr);
        EXPECT_EQ(p.outcome->value("file_sha256")->text.size(), 64u);
    }
}

// A commit the camera refuses leaves the old firmware in place: the error box, no restart wait,
// and a failure with the link result, for firmware and images alike.
TEST(Upload, ACommitTheCameraRefusesIsAFailure) {
    const std::pair<int, const char*> cases[] = {{idc::kFirmware, "fw.bin"},
                                                 {idc::kData, "PIC.JPG"}};
    for (const auto& [button, name] : cases) {
        SCOPED_TRACE(name);
        ConsoleRig rig;
        rig.camera.faults().add({.fault = camsim::Fault::Dc1,
                                 .op = camsim::kOpExecute,
                                 .code = camsim::kCodeCommitLoad,
                                 .times = 0});
        Files files;
        rig.op.files = {files.write(name, button == idc::kFirmware
                                              ? firmwareImage("2.00.0001", 5000)
                                              : std::string(3000, 'j'))};
        rig.op.answers = {true};
        const Press p = press(rig, button);
        EXPECT_EQ(rig.op.messages(), Strings{"Error Write error"});
        EXPECT_LT(p.tookMs, 10'000u) << "no restart or write wait";
        ASSERT_TRUE(p.outcome);
        EXPECT_EQ(p.outcome->ending, Ending::Failed);
        EXPECT_EQ(p.outcome->linkResult, QORLINK_WRITE_ERROR);
        EXPECT_EQ(rig.op.messageKinds(), std::vector<MessageKind>{MessageKind::Error});
    }
}

TEST(Upload, CancelOrNoSendsNothing) {
    struct Case {
        int button;
        std::optional<std::string> file;
        Strings traffic;
    };
    Files files;
    const std::string firmware = files.write("fw.BIN", firmwareImage("9.9", 100));
    const std::string picture = files.write("p.JPG", "\xFF\xD8 picture");
    const Case cases[] = {
        {idc::kFirmware, std::nullopt, {}},
        {idc::kFirmware, firmware, {"fetch 26"}},  // the version is read before the question
        {idc::kData, std::nullopt, {}},
        {idc::kData, picture, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file.value_or("cancelled"));
        ConsoleRig rig;
        rig.op.files = {c.file};
        rig.op.answers = {false};
        const Press p = press(rig, c.button);
        EXPECT_EQ(p.traffic, c.traffic);
        EXPECT_EQ(rig.op.questions().size(), c.file ? 1u : 0u);
        EXPECT_TRUE(p.statuses.empty());
        EXPECT_TRUE(rig.op.messages().empty());
        EXPECT_EQ(rig.op.waitDepth, 0);
    }
}

// On these models the button opens the lens adjustment or the key dialog: no file is asked for
// and nothing is uploaded.
TEST(Data, OpensTheLensAdjustmentAndKeyDialogsOnTheirModels) {
    for (auto [type, dialog] :
         {std::pair{"YQR11", lens::kTemplateA}, std::pair{"YQR20", lens::kTemplateB},
          std::pair{"YRK10", keys::kTemplate}}) {
        SCOPED_TRACE(type);
        ConsoleRig rig(profileFor(type));
        Files files;
        rig.op.files = {files.write("nand.bin", "NAND")};
        rig.op.answers = {true};
        const Press p = press(rig, idc::kData);
        EXPECT_TRUE(p.traffic.empty());
        EXPECT_TRUE(p.statuses.empty());
        EXPECT_TRUE(rig.op.fileFilters().empty());
        ASSERT_EQ(rig.op.dialogs().size(), 2u);
        EXPECT_EQ(rig.op.dialogs()[1]->templateId, dialog);
    }
}

TEST(Data, TellsTheKindOfFileByItsNameAndItsFirst112Bytes) {
    Files files;
    const std::string marker = "FONT_VERSION";
    struct Case {
        std::string name;
        std::string bytes;
        std::optional<DataKind> kind;
    };
    const Case cases[] = {
        {"a.JPG", "x", DataKind::Image},
        {"a.jpg", "x", DataKind::Image},
        {"font.BIN", marker + " 2.1", DataKind::FontData},
        {"font.bin", std::string(100, ' ') + marker, DataKind::FontData},  // ends at byte 112
        {"font.Bin", std::string("\0\0", 2) + marker, DataKind::FontData},
        {"nand.BIN", std::string(101, ' ') + marker, DataKind::NandData},  // crosses byte 112
        {"nand.bin", "NAND", DataKind::NandData},
        {"empty.BIN", "", DataKind::NandData},
        {"missing.BIN", "", DataKind::NandData},  // not written: cannot be read
        {"a.txt", "x", std::nullopt},
        {"a.JPEG", "x", std::nullopt},
        {"noextension", "x", std::nullopt},
        {"dir.BIN/file", "x", std::nullopt},
    };
    std::filesystem::create_directory(files.path("dir.BIN"));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.name != "missing.BIN") files.write(c.name, c.bytes);
        EXPECT_EQ(dataKindOf(files.path(c.name)), c.kind);
    }

    // What the operator is asked for each kind, or told.
    const std::pair<std::string, std::string> asked[] = {
        {"a.jpg", "Upload Image file (%s). Yes or No?"},
        {"font.bin", "Upload Font Data file (%s). Yes or No?"},
        {"nand.BIN", "Upload NAND Data file (%s). Yes or No?"},
        {"a.txt", ""},
    };
    for (const auto& [name, question] : asked) {
        SCOPED_TRACE(name);
        ConsoleRig rig;
        rig.op.files = {files.path(name)};
        const Press p = press(rig, idc::kData);
        EXPECT_EQ(
            rig.op.fileFilters(),
            Strings{"Orvia Files (*.JPG;*.BIN)|*.JPG; *.BIN|JPEG(*.JPG)|*.JPG|All Files|*.*|"});
        EXPECT_EQ(rig.op.defaultExtensions, Strings{""});
        if (question.empty()) {
            EXPECT_EQ(rig.op.messages(), Strings{"File format error!"});
            EXPECT_TRUE(rig.op.questions().empty());
        } else {
            const size_t at = question.find("%s");
            EXPECT_EQ(rig.op.questions(),
                      Strings{question.substr(0, at) + files.path(name) + question.substr(at + 2)});
        }
        EXPECT_TRUE(p.traffic.empty());
    }
}

TEST(Data, SendsEachKindWithItsSelectorAndCommitsIt) {
    struct Case {
        std::string name;
        std::string bytes;
        int32_t selector;
        Strings traffic;
        Strings statuses;
    };
    const std::string font = "FONT_VERSION 3\r\n" + std::string(5000, 'f');  // sent whole
    const Case cases[] = {
        {"shot.jpg",
         "\xFF\xD8\xFF\xE0 a picture",
         0x0FEC000E,
         {kImageTraffic, "send 29", "exec 11 0"},
         {"  Wait!!  Uploading File.", " Status: "}},
        {"font.BIN",
         font,
         0x0FEAECDB,
         {kFontTraffic, "send 29", "exec 11 0"},
         {" Status: Wait!! Writing Font Data.", " Status: Upload was completed!"}},
        {"nand.bin",
         std::string(7000, 'n'),
         0x0FEACDEB,
         {kNandTraffic, "send 29", "exec 11 0"},
         {" Status: Wait!! Writing NAND Data.", " Status: Upload was completed!"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ConsoleRig rig;
        Files files;
        rig.op.files = {files.write(c.name, c.bytes)};
        rig.op.answers = {true};
        const Press p = press(rig, idc::kData);
        EXPECT_EQ(p.traffic, c.traffic);
        EXPECT_EQ(p.statuses, c.statuses);
        EXPECT_TRUE(rig.op.messages().empty());
        EXPECT_EQ(rig.model.committedData(c.selector),
                  std::vector<uint8_t>(c.bytes.begin(), c.bytes.end()));
        EXPECT_EQ(rig.camera.profile().firmwareVersion, "1.02.0017") << "data is not firmware";
        EXPECT_EQ(p.progress.back(), 0);
        EXPECT_EQ(rig.op.waitDepth, 0);
    }
}

TEST(Upload, ACallTheCameraRefusesEndsWithTheErrorBox) {
    struct Case {
        int button;
        std::string name;
        int op, code;
        Strings traffic;
        Strings statuses;
    };
    const Case cases[] = {
        {idc::kFirmware,
         "fw.BIN",
         camsim::kOpSendData,
         camsim::kCodeLoadData,
         {"fetch 26", kFirmwareTraffic, "send 29"},
         {"  Wait!!  Uploading File.", " Status: "}},
        {idc::kData,
         "shot.JPG",
         camsim::kOpSendData,
         camsim::kCodeLoadData,
         {kImageTraffic, "send 29"},
         {"  Wait!!  Uploading File.", " Status: "}},
        {idc::kData,
         "font.BIN",
         camsim::kOpSendData,
         camsim::kCodeLoadData,
         {kFontTraffic, "send 29"},
         {" Status: "}},
        {idc::kData,
         "font.BIN",
         camsim::kOpExecute,
         camsim::kCodeCommitLoad,
         {kFontTraffic, "send 29", "exec 11 0"},
         {" Status: Wait!! Writing Font Data.", " Status: "}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name + " " + std::to_string(c.code));
        ConsoleRig rig;
        rig.camera.faults().add(
            {.fault = camsim::Fault::Dc1, .op = c.op, .code = c.code, .times = 0});
        Files files;
        rig.op.files = {files.write(c.name, "FONT_VERSION " + std::string(3000, 'x'))};
        rig.op.answers = {true};
        const Press p = press(rig, c.button);
        EXPECT_EQ(p.traffic, c.traffic);
        EXPECT_EQ(p.statuses, c.statuses);
        ASSERT_EQ(rig.op.messages().size(), 1u);
        EXPECT_TRUE(rig.op.messages()[0].starts_with("Error ")) << rig.op.messages()[0];
        EXPECT_EQ(rig.camera.profile().firmwareVersion, "1.02.0017");
        EXPECT_EQ(rig.op.waitDepth, 0);
    }
}

// Missing, unreadable, empty, huge and vanishing files end with a box before anything is sent,
// and the next upload goes through.
TEST(Upload, BadFilesEndWithABoxAndLeaveTheCameraUsable) {
    Files files;
    std::filesystem::create_directory(files.path("folder.BIN"));
    const std::string notOnDisk = makeNonDiskFile(files.folder(), ".BIN");
    const std::string tooLargeLoad = "File too large (more than 67108864 bytes). '%s'";
    struct Case {
        int button;
        std::string path;
        std::string box;  // "%s" stands for the path
        bool vanishes = false;
    };
    const Case cases[] = {
        {idc::kFirmware, files.path("missing.BIN"), "Cannot open file '%s' "},
        {idc::kFirmware, files.path("folder.BIN"), "Cannot open file '%s' "},
        {idc::kFirmware, files.write("empty.BIN", ""), "Zero bytes read."},
        {idc::kFirmware, files.sparse("huge.BIN", 0x4000001), tooLargeLoad},
        {idc::kData, files.path("missing.JPG"), "File open failed. '%s'"},
        {idc::kData, notOnDisk, "File open failed. '%s'"},
        {idc::kData, files.write("empty.JPG", ""), "Zero bytes read."},
        {idc::kData, files.write("empty.bin", ""), "Zero bytes read."},
        {idc::kData, files.sparse("huge.JPG", 0xA00001),
         "File too large (more than 10485760 bytes). '%s'"},
        {idc::kData, files.sparse("huge.bin", 0x4000001), tooLargeLoad},
        {idc::kData, files.write("gone.BIN", "FONT_VERSION"), "File open failed. '%s'", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        ConsoleRig rig;
        const std::string good = files.write("good.bin", "NAND data");
        rig.op.files = {c.path, good};
        rig.op.answers = {true, true};
        if (c.vanishes) {
            rig.op.onQuestion = [&](std::string_view) { std::remove(c.path.c_str()); };
        }
        Strings next;
        const Press p = press(rig, c.button, [&](MainDialog& d) {
            rig.op.onQuestion = {};
            const size_t from = rig.mark();
            d.command(idc::kData);
            next = rig.traffic(from);
        });
        std::string box = c.box;
        if (const size_t at = box.find("%s"); at != std::string::npos) box.replace(at, 2, c.path);
        EXPECT_EQ(rig.op.messages(), Strings{box});
        EXPECT_EQ(rig.op.questions().size(), 2u);
        EXPECT_EQ(p.traffic, c.button == idc::kFirmware ? Strings{"fetch 26"} : Strings{});
        EXPECT_EQ(rig.op.waitDepth, 0);
        EXPECT_EQ(next, (Strings{kNandTraffic, "send 29", "exec 11 0"}));
        EXPECT_EQ(rig.model.committedData(0x0FEACDEB).size(), 9u);
    }
}

}  // namespace
}  // namespace orvia::testing
