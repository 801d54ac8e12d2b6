// Bulk transfer and memory access against a scripted camera on a virtual serial line.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <vector>

#include "connection.h"
#include "open_file.h"
#include "qorlink.h"
#include "record_camera.h"
#include "scripted_session.h"

namespace qorlink::test {
namespace {

constexpr uint8_t kGuard = 0xAA;

Bytes Pattern(size_t n) {
    Bytes b(n);
    for (size_t i = 0; i < n; ++i)
        b[i] = static_cast<uint8_t>(i * 13 + i / 251);
    return b;
}

// Progress reports of the running test; the callback stops the transfer at call `stopAt`.
std::vector<int32_t> g_progress;
size_t g_stopAt = 0;
int32_t QORLINK_CALL RecordProgress(int32_t user, int32_t zero, int32_t percent) {
    EXPECT_EQ(user, 42);
    EXPECT_EQ(zero, 0);
    g_progress.push_back(percent);
    return g_progress.size() == g_stopAt ? 0 : 1;
}

class BulkTest : public ScriptedSessionTest {
  protected:
    void SetUp() override {
        ScriptedSessionTest::SetUp();
        cam_.commands.clear();
        g_progress.clear();
        g_stopAt = 0;
    }

    RecordCamera cam_{line_};
};

TEST_F(BulkTest, PictureLimitIsTenMebibytes) {
    const Bytes image = Pattern(0xA00001);
    ASSERT_EQ(Cam_load_picture_data(image.data(), 0xA00000), 0);
    EXPECT_EQ(cam_.values[32], 0x0FEC000E);
    EXPECT_EQ(cam_.received[29].size(), 0xA00000u);
    EXPECT_EQ(cam_.received[29], Bytes(image.begin(), image.end() - 1));

    cam_.commands.clear();
    EXPECT_EQ(Cam_load_picture_data(image.data(), 0xA00001), 1);
    EXPECT_EQ(Cam_load_vradjcontrol_data(image.data(), 0xA00001), 1);
    EXPECT_TRUE(cam_.commands.empty()) << "nothing is sent for an oversized image";
}

TEST_F(BulkTest, FileLoadSendsTheWholeFileWithProgress) {
    const Bytes content = Pattern(5000);
    const OpenFile file(content);
    ASSERT_TRUE(file.ok());
    ASSERT_EQ(Cam_setup_callback(RecordProgress, 42), 0);
    ASSERT_EQ(Cam_load_file_data(file.handle(), 0x12345678), 0);
    EXPECT_EQ(cam_.values[32], 0x12345678);
    EXPECT_EQ(cam_.received[29], content);
    ASSERT_FALSE(g_progress.empty());
    EXPECT_EQ(g_progress.back(), 100);
    EXPECT_TRUE(std::is_sorted(g_progress.begin(), g_progress.end()));
}

TEST_F(BulkTest, ZeroByteLoadSendsOneCommandFrame) {
    const OpenFile empty(Bytes{});
    ASSERT_TRUE(empty.ok());
    ASSERT_EQ(Cam_load_file_data(empty.handle(), 1), 0);
    const auto loads = cam_.withCode(29);
    ASSERT_EQ(loads.size(), 1u);
    EXPECT_EQ(Hex(loads[0].frame), "1B 43 02 00 03 1D 20 00");
    EXPECT_EQ(cam_.dataFrames, 0u);
}

TEST_F(BulkTest, FileErrorsAreReportedBeforeAnyData) {
    const OpenPipe pipe;
    ASSERT_TRUE(pipe.ok());
    struct Case {
        const char* what;
        intptr_t file;
        int32_t result;
    };
    const Case cases[] = {{"no such file", -1, 1}, {"cannot seek", pipe.handle(), 255}};
    for (const Case& k : cases) {
        cam_.received.erase(29);
        EXPECT_EQ(Cam_load_file_data(k.file, 1), k.result) << k.what;
        EXPECT_TRUE(cam_.withCode(29).empty()) << k.what;
    }
}

TEST_F(BulkTest, SaveStabiliserDataIsBoundedByTheCallerLength) {
    cam_.records[138] = Pattern(300);
    Bytes buf(164, kGuard);
    ASSERT_EQ(Cam_save_vradjcontrol_data(buf.data(), 100), 0);
    EXPECT_EQ(cam_.values[32], 0x0FEAEEAA);
    EXPECT_EQ(Bytes(buf.begin(), buf.begin() + 100), Bytes(Pattern(100)));
    EXPECT_EQ(Bytes(buf.begin() + 100, buf.end()), Bytes(64, kGuard));
    EXPECT_EQ(Cam_save_vradjcontrol_data(buf.data(), 0xA00001), 1);
}

TEST_F(BulkTest, CommitWaitsHalfASecondThenExecutes) {
    const uint64_t start = line_.nowMs();
    ASSERT_EQ(Cam_write_loaded_data(), 0);
    ASSERT_EQ(cam_.commands.size(), 1u);
    EXPECT_EQ(Hex(cam_.commands[0].frame), "1B 43 03 00 02 0B 00 0D 00");
    EXPECT_GE(line_.written().back().atMs, start + 500);
    EXPECT_EQ(currentConnection->state, LinkState::Executing);
}

TEST_F(BulkTest, SizedReadFillsTheBufferFrameByFrameWithProgress) {
    struct Case {
        size_t cameraSends;
        int32_t len;
        std::vector<int32_t> progress;
    };
    const Case cases[] = {
        {5000, 5000, {0, 40, 81, 100}},
        {6000, 5000, {0, 40, 81, 100}},  // the camera sends more than asked: nothing overruns
    };
    ASSERT_EQ(Cam_setup_callback(RecordProgress, 42), 0);
    for (const Case& k : cases) {
        g_progress.clear();
        cam_.records[31] = Pattern(k.cameraSends);
        Bytes buf(static_cast<size_t>(k.len) + 64, kGuard);
        ASSERT_EQ(Cam_get_diag_buffer_val(buf.data(), k.len), 0);
        EXPECT_EQ(Bytes(buf.begin(), buf.begin() + k.len), Bytes(Pattern(size_t(k.len))));
        EXPECT_EQ(Bytes(buf.begin() + k.len, buf.end()), Bytes(64, kGuard));
        EXPECT_EQ(g_progress, k.progress);
        EXPECT_EQ(currentConnection->bulkBusy, 0);
    }
}

TEST_F(BulkTest, UserBreakEndsTheSizedReadAndLeavesNoBulkWait) {
    cam_.records[31] = Pattern(5000);
    Bytes buf(5000);
    ASSERT_EQ(Cam_setup_callback(RecordProgress, 42), 0);
    g_stopAt = 2;
    EXPECT_EQ(Cam_get_diag_buffer_val(buf.data(), 5000), 19);
    ASSERT_EQ(currentConnection->bulkBusy, 0);

    // The next read does not wait for the stopped one. The break left the connection failed,
    // so that read reopens the session and is cut short with -2; the one after completes.
    g_progress.clear();
    g_stopAt = 0;
    EXPECT_EQ(Cam_get_diag_buffer_val(buf.data(), 5000), -2);
    EXPECT_EQ(Cam_get_diag_buffer_val(buf.data(), 5000), 0);
    EXPECT_EQ(g_progress.back(), 100);
    EXPECT_EQ(buf, Pattern(5000));
}

TEST_F(BulkTest, SizedReadCutShortByASessionReopenReturnsMinusTwo) {
    cam_.records[31] = Pattern(100);
    cam_.endSessionOnce.insert(31);
    Bytes buf(100);
    EXPECT_EQ(Cam_get_diag_buffer_val(buf.data(), 100), -2);
    EXPECT_EQ(currentConnection->bulkBusy, 0);
    EXPECT_EQ(Cam_get_diag_buffer_val(buf.data(), 100), 0);
    EXPECT_EQ(Cam_get_diag_buffer_val(buf.data(), 0), 1);
}

TEST_F(BulkTest, MemoryReadsSendTheRequestThenReplaceTheRecord) {
    struct Case {
        std::function<int32_t(void*)> read;
        int code;
    };
    const Case cases[] = {{Cam_get_mcumem, 223}, {Cam_get_flmem, 222}, {Cam_get_eeprom, 170}};
    for (const Case& k : cases) {
        cam_.records[k.code] = Pattern(100);  // more than the record asks for
        Bytes record(16 + 32, kGuard);
        const int32_t header[3] = {0x1000, 8, 0x55};
        std::memcpy(record.data(), header, sizeof header);
        ASSERT_EQ(k.read(record.data()), 0) << k.code;
        EXPECT_EQ(cam_.received[31], (Bytes{0x00, 0x10, 0, 0, 8, 0, 0, 0, 0x55, 0, 0, 0}))
            << k.code;
        EXPECT_EQ(Bytes(record.begin(), record.begin() + 16), Bytes(Pattern(16))) << k.code;
        EXPECT_EQ(Bytes(record.begin() + 16, record.end()), Bytes(32, kGuard)) << k.code;
    }
}

TEST_F(BulkTest, MemoryWritesSendHeaderAndData) {
    struct Case {
        std::function<int32_t(const void*)> write;
        int code;
    };
    const Case cases[] = {{Cam_set_mcumem, 223}, {Cam_set_flmem, 222}, {Cam_set_eeprom, 170}};
    for (const Case& k : cases) {
        Bytes record = Pattern(12);
        const int32_t header[2] = {0x2000, 4};
        std::memcpy(record.data(), header, sizeof header);
        ASSERT_EQ(k.write(record.data()), 0) << k.code;
        EXPECT_EQ(cam_.received[k.code], record) << k.code;

        const int32_t negative[2] = {0, -1};
        EXPECT_EQ(k.write(negative), 1) << k.code;
    }
}

}  // namespace
}  // namespace qorlink::test
