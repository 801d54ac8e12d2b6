// Loads against a camera whose answers go wrong: an altered acknowledgement makes the library send
// a frame again, and the camera ends the session in the middle. A load reported as 0 must have
// left exactly the caller's data in the camera.
#include <gtest/gtest.h>

#include <vector>

#include "camsim_fixture.h"

namespace qorlink::test {
namespace {

constexpr int kOpSendData = 3;
constexpr int kCodeLoadData = 29;

std::vector<int32_t> g_progress;
int32_t QORLINK_CALL Progress(int32_t, int32_t, int32_t percent) {
    g_progress.push_back(percent);
    return 1;
}

class LoadFaultsTest : public CamsimSessionTest {
  protected:
    void SetUp() override {
        CamsimSessionTest::SetUp();
        g_progress.clear();
        ASSERT_EQ(Cam_setup_callback(Progress, 0), 0);
    }

    void failOn(camsim::Fault fault, camsim::Unit unit, int nth) {
        camsim::FaultRule rule;
        rule.fault = fault;
        rule.unit = unit;
        rule.op = kOpSendData;
        rule.code = kCodeLoadData;
        rule.nth = nth;
        camera_.faults().add(rule);
    }

    // 7000 bytes: the command frame carries 2046, then frames of 2048, 2048 and 858.
    const std::vector<uint8_t> image_ = Pattern(7000);
    int32_t load() { return Cam_load_picture_data(image_.data(), int32_t(image_.size())); }
};

TEST_F(LoadFaultsTest, AlteredAcknowledgementOfTheCommandFrameLoadsTheDataOnce) {
    failOn(camsim::Fault::Corrupt, camsim::Unit::Command, 1);
    ASSERT_EQ(load(), 0);
    EXPECT_EQ(model_.loadedData(), image_) << "the repeated command frame starts the load afresh";
}

TEST_F(LoadFaultsTest, AlteredAcknowledgementOfTheLastFrameEndsTheLoadAtOnce) {
    failOn(camsim::Fault::Corrupt, camsim::Unit::Data, 3);
    const uint64_t start = nowMs();
    ASSERT_EQ(load(), 0);
    EXPECT_LT(nowMs() - start, 2000u) << "the repeated last frame is acknowledged again";
    EXPECT_EQ(model_.loadedData(), image_);
}

TEST_F(LoadFaultsTest, SessionEndInTheMiddleIsNotReportedAsSuccess) {
    failOn(camsim::Fault::EndSession, camsim::Unit::Data, 2);
    EXPECT_EQ(load(), 20);
    EXPECT_TRUE(model_.loadedData().empty()) << "the camera dropped the cut load";
    EXPECT_EQ(g_progress, (std::vector<int32_t>{29, 58})) << "progress never runs backwards";

    g_progress.clear();
    ASSERT_EQ(load(), 0) << "the next load reopens the session and runs whole";
    EXPECT_EQ(model_.loadedData(), image_);
    EXPECT_EQ(g_progress.back(), 100);
}

TEST_F(LoadFaultsTest, SessionEndAnsweringTheCommandFrameIsNotSentAgain) {
    // The command frame went out whole, so the camera may hold its data: not repeated.
    failOn(camsim::Fault::EndSession, camsim::Unit::Command, 1);
    EXPECT_EQ(load(), 20);
    EXPECT_TRUE(g_progress.empty());
    ASSERT_EQ(load(), 0);
    EXPECT_EQ(model_.loadedData(), image_);
}

}  // namespace
}  // namespace qorlink::test
