// A careless caller against the software camera: speeds outside the table, calls from inside the
// progress callback and from a second thread during a transfer, and a sized read shorter than
// what the camera offers. Each call must end with a documented result and leave the connection
// usable.
#include <gtest/gtest.h>

#include <functional>
#include <thread>
#include <vector>

#include "call_guard.h"
#include "camsim_fixture.h"
#include "connection.h"

namespace qorlink::test {
namespace {

constexpr int32_t kBusyResult = 24;

// What the progress callback of the running test does at each report.
std::function<void(int32_t percent)> g_onProgress;
std::vector<int32_t> g_progress;

int32_t QORLINK_CALL Progress(int32_t, int32_t, int32_t percent) {
    g_progress.push_back(percent);
    if (g_onProgress) g_onProgress(percent);
    return 1;
}

class MisuseTest : public CamsimSessionTest {
  protected:
    void SetUp() override {
        CamsimSessionTest::SetUp();
        g_onProgress = nullptr;
        g_progress.clear();
        ASSERT_EQ(Cam_setup_callback(Progress, 0), 0);
    }
    void TearDown() override {
        g_onProgress = nullptr;
        CamsimSessionTest::TearDown();
    }
};

TEST_F(MisuseTest, SpeedOutsideTheTableOpensTheSessionAtTheDefaultSpeed) {
    for (int32_t bad : {7, 0, -1}) {
        ASSERT_EQ(Cam_session_enabled(0), 0);
        EXPECT_EQ(Cam_set_speed(bad), 2);
        ASSERT_EQ(Cam_set_port(1), 1);
        ASSERT_EQ(Cam_session_enabled(1), 0) << bad;
        EXPECT_TRUE(camera_.sessionOpen()) << "the session command must not carry index 0";
        EXPECT_EQ(camera_.baud(), 19200);
        EXPECT_EQ(Cam_get_lcd_type(), camera_.profile().lcdType);
    }
    // A valid speed afterwards is taken at the next open.
    ASSERT_EQ(Cam_session_enabled(0), 0);
    ASSERT_EQ(Cam_set_speed(6), 0);
    ASSERT_EQ(Cam_set_port(1), 1);
    ASSERT_EQ(Cam_session_enabled(1), 0);
    EXPECT_EQ(camera_.baud(), 230400);
    EXPECT_EQ(Cam_get_lcd_type(), camera_.profile().lcdType);
}

TEST_F(MisuseTest, CallsFromTheProgressCallbackAreRefusedAsBusy) {
    std::vector<int32_t> inner;
    g_onProgress = [&](int32_t) {
        inner.push_back(Cam_get_lcd());
        inner.push_back(Cam_set_diag_long(5));
        uint8_t small[16];
        inner.push_back(Cam_get_diag_buffer_val(small, sizeof small));
        inner.push_back(Cam_ready());
        inner.push_back(Cam_set_speed(1));
        uint8_t key[1024];
        inner.push_back(Cam_get_rsa_key(".", "CAM-0001", key));
        inner.push_back(Cam_get_rsa_key2(".", key));
    };
    const std::vector<uint8_t> image = Pattern(7000);
    const uint64_t start = nowMs();
    ASSERT_EQ(Cam_load_picture_data(image.data(), int32_t(image.size())), 0);
    EXPECT_LT(nowMs() - start, 5000u) << "nothing waited on the running transfer";
    EXPECT_EQ(model_.loadedData(), image);
    ASSERT_EQ(g_progress.size(), 4u);
    std::vector<int32_t> refused;
    for (size_t i = 0; i < g_progress.size(); ++i)
        refused.insert(refused.end(),
                       {-1, kBusyResult, kBusyResult, 0, kBusyResult, kBusyResult, kBusyResult});
    EXPECT_EQ(inner, refused) << "query -1, commands and key sets busy, readiness 0";

    // A sized read whose callback starts another sized read.
    std::vector<uint8_t> record = Pattern(5000, 7);
    camera_.profile().records[31] = record;
    std::vector<uint8_t> buf(record.size());
    inner.clear();
    g_onProgress = [&](int32_t) {
        uint8_t nested[8];
        inner.push_back(Cam_get_diag_buffer_val(nested, sizeof nested));
    };
    ASSERT_EQ(Cam_get_diag_buffer_val(buf.data(), int32_t(buf.size())), 0);
    EXPECT_EQ(buf, record);
    EXPECT_EQ(inner, std::vector<int32_t>(inner.size(), kBusyResult));
    EXPECT_FALSE(inner.empty());
}

TEST_F(MisuseTest, ReleaseFromTheProgressCallbackWaitsForTheTransferToEnd) {
    const std::vector<uint8_t> image = Pattern(7000);
    std::vector<int32_t> inner;
    g_onProgress = [&](int32_t percent) {
        if (percent < 100) {
            inner.push_back(Cam_session_enabled(0));
            inner.push_back(Cam_reset_dll());
        }
    };
    ASSERT_EQ(Cam_load_picture_data(image.data(), int32_t(image.size())), 0);
    EXPECT_EQ(model_.loadedData(), image) << "the transfer ran to its end";
    EXPECT_EQ(inner, (std::vector<int32_t>{kBusyResult, 0, kBusyResult, 0, kBusyResult, 0}));
    EXPECT_EQ(currentConnection, nullptr) << "released once the transfer ended";
    EXPECT_EQ(connectionCount(), 0);
    EXPECT_EQ(Cam_get_lcd(), 22);

    // The library starts over as after any release (the camera's session was left open).
    camera_.endSession(0);
    ASSERT_EQ(Cam_set_speed(5), 0);
    ASSERT_EQ(Cam_set_port(1), 1);
    ASSERT_EQ(Cam_session_enabled(1), 0);
    EXPECT_EQ(Cam_get_lcd_type(), camera_.profile().lcdType);
}

// A second thread that calls while a transfer runs waits for it to end, then gets its own
// answers; its release comes after the transfer too.
TEST_F(MisuseTest, SecondThreadDuringATransferWaitsItsTurn) {
    const std::vector<uint8_t> image = Pattern(9000);
    const int32_t lcd = Cam_get_lcd();
    ASSERT_GE(lcd, 0);
    std::vector<int32_t> other;
    std::thread second;
    std::vector<uint8_t> loadedWhenSecondRan;
    g_onProgress = [&](int32_t) {
        if (second.joinable()) return;
        second = std::thread([&] {
            other.push_back(Cam_get_lcd());
            loadedWhenSecondRan = model_.loadedData();
            other.push_back(Cam_set_lcd_disp_language(3));
            other.push_back(Cam_reset_dll());
        });
        // The transfer goes on only once the second thread is waiting for it.
        while (CallsWaiting() == 0)
            std::this_thread::yield();
        EXPECT_TRUE(other.empty());
    };
    ASSERT_EQ(Cam_load_picture_data(image.data(), int32_t(image.size())), 0);
    ASSERT_TRUE(second.joinable());
    second.join();
    EXPECT_EQ(model_.loadedData(), image);
    EXPECT_EQ(loadedWhenSecondRan, image) << "the second thread ran after the transfer";
    EXPECT_EQ(other, (std::vector<int32_t>{lcd, 0, 0}));
    EXPECT_EQ(currentConnection, nullptr);
    EXPECT_EQ(Cam_ready(), 0);
}

TEST_F(MisuseTest, SizedReadEndsWithTheCallersBuffer) {
    // The camera has far more than the caller asks for.
    const std::vector<uint8_t> record = Pattern(1 << 20, 3);
    camera_.profile().records[31] = record;
    std::vector<uint8_t> buf(3000 + 1, 0xEE);
    const int acksBefore = camera_.stats().acks;
    ASSERT_EQ(Cam_get_diag_buffer_val(buf.data(), 3000), 0);
    EXPECT_TRUE(std::equal(buf.begin(), buf.end() - 1, record.begin()));
    EXPECT_EQ(buf.back(), 0xEE);
    EXPECT_LE(camera_.stats().acks - acksBefore, 2) << "only the frames the buffer holds";
    EXPECT_EQ(camera_.stats().cans, 1) << "the rest is refused";
    EXPECT_EQ(g_progress.back(), 100);
    EXPECT_EQ(Cam_get_lcd_type(), camera_.profile().lcdType) << "the link goes on";
}

}  // namespace
}  // namespace qorlink::test
