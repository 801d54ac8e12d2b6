// The connection object's life cycle and state machine on a virtual serial line.
#include <gtest/gtest.h>

#include <functional>

#include "builders.h"
#include "connection.h"
#include "link_constants.h"
#include "qorlink.h"
#include "scripted_line.h"

namespace qorlink::test {
namespace {

class ConnectionTest : public ::testing::Test {
  protected:
    void SetUp() override {
        installPlatform(&line_);
        Cam_reset_dll();
        line_.setHandler(IdleCamera);
    }
    void TearDown() override {
        Cam_reset_dll();
        installPlatform(nullptr);
    }
    void OpenAt(int speed) {
        ASSERT_EQ(Cam_set_speed(speed), 0);
        ASSERT_EQ(Cam_set_port(1), 1);
        ASSERT_EQ(Cam_session_enabled(1), 0);
    }
    size_t ProbesWritten() const {
        size_t n = 0;
        for (const Written& w : line_.written())
            n += w.bytes == Bytes{0x00};
        return n;
    }

    ScriptedLine line_;
};

TEST_F(ConnectionTest, EveryExportBeforeTheObjectExistsReturns22) {
    EXPECT_EQ(Cam_reset_dll(), 0) << "reset with no object";
    EXPECT_EQ(Cam_session_enabled(1), 22);
    EXPECT_EQ(Cam_ready(), 0) << "not ready: it answers 1 or 0 only";
    EXPECT_EQ(Cam_connection_state(), 22);
    EXPECT_EQ(Cam_setup_callback(nullptr, 0), 22);
    EXPECT_EQ(connectionCount(), 0);
}

TEST_F(ConnectionTest, PortSelectionRejectsValuesOutsideTheTable) {
    ASSERT_EQ(Cam_set_speed(5), 0);
    for (int32_t bad : {3, 9, -5, 159, 161, 0x5AFFFFFE}) {
        EXPECT_EQ(Cam_set_port(bad), 2) << bad;
        EXPECT_EQ(currentConnection->port, -1) << "port unchanged after " << bad;
        EXPECT_EQ(currentConnection->state, LinkState::Closed);
    }
    EXPECT_EQ(line_.openCount(), 0);
}

TEST_F(ConnectionTest, OemValueWithoutVendorRowTakesComOneWithoutProbing) {
    EXPECT_EQ(Cam_set_port(0x5B000010), 1);
    EXPECT_EQ(currentConnection->oemMode, 0x5B000010);
    EXPECT_EQ(ProbesWritten(), 0u);
    EXPECT_FALSE(line_.portOpen()) << "the port is closed again after selection";
}

TEST_F(ConnectionTest, FullSearchAfterAFailedOemSearchMatchesByName) {
    line_.setAvailablePorts({});
    EXPECT_EQ(Cam_set_port(0x5B00000A), -1);
    EXPECT_EQ(currentConnection->oemMode, 0x5B00000A);
    EXPECT_EQ(Cam_set_port(0), -1);
    EXPECT_EQ(currentConnection->oemMode, 0);
}

TEST_F(ConnectionTest, ScanProbesUntilTheCameraAnswersNak) {
    line_.setAvailablePorts({1, 2});
    int probes = 0;
    line_.setHandler([&](const Bytes& u) {
        // COM1 answers nothing; the camera sits on COM2 (second open).
        if (u == Bytes{0x00}) return ++probes > 4 ? Bytes{0x15} : Bytes{};
        return IdleCamera(u);
    });
    EXPECT_EQ(Cam_set_port(0), 2);
    EXPECT_EQ(probes, 5);
    EXPECT_EQ(currentConnection->state, LinkState::Ready);
}

TEST_F(ConnectionTest, NoCameraLeavesNoPortSelected) {
    line_.setHandler([](const Bytes&) { return Bytes{}; });
    EXPECT_EQ(Cam_set_port(0), -1);
    EXPECT_EQ(currentConnection->lastResult, 3);
    EXPECT_EQ(Cam_session_enabled(1), 3) << "nothing to open";
}

TEST_F(ConnectionTest, SessionOpenBeforeAnyPortReturns3) {
    ASSERT_EQ(Cam_set_speed(5), 0);
    EXPECT_EQ(Cam_session_enabled(1), 3);
}

TEST_F(ConnectionTest, SessionOpensAtTheChosenSpeed) {
    OpenAt(5);
    EXPECT_EQ(line_.baud(), 115200);
    EXPECT_EQ(currentConnection->readyChecked, 1);
    bool sawSession = false;
    for (const Written& w : line_.written())
        sawSession = sawSession || Hex(w.bytes) == "1B 53 06 00 00 11 05 00 00 00 16 00";
    EXPECT_TRUE(sawSession);
}

TEST_F(ConnectionTest, OutOfRangeSpeedFallsBackTo19200AtTheNextOpen) {
    EXPECT_EQ(Cam_set_speed(7), 2);
    EXPECT_EQ(currentConnection->speedIndex, 0);
    ASSERT_EQ(Cam_set_port(1), 1);
    ASSERT_EQ(Cam_session_enabled(1), 0);
    EXPECT_EQ(line_.baud(), 19200);
}

TEST_F(ConnectionTest, PortSelectionDuringASessionFails) {
    OpenAt(5);
    EXPECT_EQ(Cam_set_port(1), 255);
    EXPECT_EQ(currentConnection->state, LinkState::Failed);
}

TEST_F(ConnectionTest, ModeTwoDiscardsTheObjectWithoutClosingThePort) {
    OpenAt(5);
    const size_t before = line_.written().size();
    EXPECT_EQ(Cam_session_enabled(2), 0);
    EXPECT_EQ(currentConnection, nullptr);
    EXPECT_TRUE(line_.portOpen());
    bool sentClose = false;
    for (size_t i = before; i < line_.written().size(); ++i)
        sentClose =
            sentClose || Hex(line_.written()[i].bytes) == "1B 53 06 00 00 11 00 00 00 00 11 00";
    EXPECT_FALSE(sentClose);
    Cam_reset_dll();
    EXPECT_FALSE(line_.portOpen()) << "reset closes what mode 2 left open";
}

TEST_F(ConnectionTest, ModeZeroClosesTheSessionAndReleasesTheObject) {
    OpenAt(5);
    EXPECT_EQ(Cam_session_enabled(0), 0);
    EXPECT_EQ(currentConnection, nullptr);
    EXPECT_FALSE(line_.portOpen());
    EXPECT_EQ(Hex(line_.written().back().bytes), "1B 53 06 00 00 11 00 00 00 00 11 00");
    EXPECT_EQ(connectionCount(), 0);
}

TEST_F(ConnectionTest, InvalidSessionModeReturns2AndReleases) {
    OpenAt(5);
    EXPECT_EQ(Cam_session_enabled(3), 2);
    EXPECT_EQ(currentConnection, nullptr);
}

TEST_F(ConnectionTest, SessionEndIsHealedSilentlyByTheNextCommand) {
    OpenAt(5);
    const int opensBefore = line_.openCount();
    line_.push({0xFF});  // the camera ends the session on its own
    EXPECT_EQ(Cam_connection_state(), 1);
    EXPECT_EQ(line_.openCount(), opensBefore + 1) << "the port was reopened";
    EXPECT_EQ(currentConnection->state, LinkState::Ready);
}

TEST_F(ConnectionTest, ReadyPollsTheExecutionThenQueriesReadiness) {
    OpenAt(5);
    LinkConnection& c = *currentConnection;
    c.state = LinkState::Executing;
    c.executeDeadline = line_.tickMs() + 180000;
    EXPECT_EQ(Cam_ready(), 0) << "nothing arrived yet";
    line_.push({0x05});
    EXPECT_EQ(Cam_ready(), 1);
    EXPECT_EQ(c.state, LinkState::Ready);
}

TEST_F(ConnectionTest, RefusedExecutionFailsAndTheNextCommandReopens) {
    OpenAt(5);
    LinkConnection& c = *currentConnection;
    c.state = LinkState::Executing;
    c.executeDeadline = line_.tickMs() + 180000;
    const int opensBefore = line_.openCount();
    line_.push({0x11});
    EXPECT_EQ(Cam_ready(), 0) << "the refusal is seen at once";
    EXPECT_EQ(c.state, LinkState::Failed);
    EXPECT_EQ(c.lastResult, 15);
    EXPECT_EQ(Cam_ready(), 1) << "the next look reopens the session on an idle camera";
    EXPECT_GT(line_.openCount(), opensBefore);
}

TEST_F(ConnectionTest, CommandAfterAnUnreadyFinishRecordsTheFailure) {
    OpenAt(5);
    LinkConnection& c = *currentConnection;
    line_.setHandler([](const Bytes& u) {
        const bool readiness = u.size() == 8 && u[0] == 0x1B && u[4] == 1 && u[5] == 18;
        return readiness ? ValueReply(0) : IdleCamera(u);
    });
    struct Case {
        const char* what;
        std::function<int()> run;
        int result;
    };
    const Case cases[] = {
        {"set", [&] { return SetCommand(c, 40, 1); }, 12},
        {"query", [&] { return QueryCommand(c, 34, false); }, -1},
        {"execute", [&] { return ExecuteCommand(c, 6, 1, 1000); }, 12},
    };
    for (const Case& k : cases) {
        c.state = LinkState::Executing;
        c.executeDeadline = line_.tickMs() + 180000;
        line_.push({0x05});  // finished, but the camera then reports it is not ready
        EXPECT_EQ(k.run(), k.result) << k.what;
        EXPECT_EQ(c.lastResult, 12) << k.what;
        EXPECT_EQ(c.state, LinkState::Failed) << k.what << ": the next command reopens";
    }
}

TEST_F(ConnectionTest, ExecutionDeadlineAbandonsTheCommand) {
    OpenAt(5);
    LinkConnection& c = *currentConnection;
    c.state = LinkState::Executing;
    c.executeDeadline = line_.tickMs() + 30000;
    const int opensBefore = line_.openCount();
    int zeros = 0;
    while (Cam_ready() == 0 && zeros < 100)
        ++zeros;
    EXPECT_LT(zeros, 5) << "each poll waits 12 s, so the 30 s deadline passes on the third";
    EXPECT_GT(line_.openCount(), opensBefore) << "the session was reopened after the deadline";
}

TEST_F(ConnectionTest, SetLastResultFollowsTheStateRules) {
    struct Case {
        LinkState from;
        int code;
        LinkState to;
    };
    const Case cases[] = {
        {LinkState::Busy, 0, LinkState::Ready},
        {LinkState::Busy, 20, LinkState::SessionLost},
        {LinkState::Ready, 8, LinkState::Failed},
        {LinkState::Executing, 12, LinkState::Executing},
        {LinkState::Executing, 15, LinkState::Failed},
        {LinkState::Closed, 0, LinkState::Closed},
        {LinkState::SessionLost, 0, LinkState::SessionLost},
    };
    LinkConnection c;
    for (const Case& k : cases) {
        c.state = k.from;
        EXPECT_EQ(SetLastResult(c, k.code), k.code);
        EXPECT_EQ(c.state, k.to) << static_cast<int>(k.from) << " with " << k.code;
        EXPECT_EQ(c.lastResult, k.code);
    }
}

}  // namespace
}  // namespace qorlink::test
