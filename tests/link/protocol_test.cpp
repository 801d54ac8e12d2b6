// Link protocol exchanges against a scripted camera on a virtual serial line.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "connection.h"
#include "link_constants.h"
#include "protocol.h"
#include "qorlink.h"
#include "scripted_session.h"

namespace qorlink::test {
namespace {

class ProtocolTest : public ScriptedSessionTest {
  protected:
    void SetUp() override {
        ScriptedSessionTest::SetUp();
        baseline_ = line_.written().size();
    }
    LinkConnection& conn() { return *currentConnection; }
    // Units written since the session opened.
    std::vector<Bytes> sent() const {
        std::vector<Bytes> out;
        for (size_t i = baseline_; i < line_.written().size(); ++i)
            out.push_back(line_.written()[i].bytes);
        return out;
    }

    size_t baseline_ = 0;
};

TEST_F(ProtocolTest, CommandFramesHaveTheirExactBytes) {
    struct Case {
        const char* what;
        std::function<void(LinkConnection&)> run;
        const char* frame;
    };
    int32_t v = 0;
    const Case cases[] = {
        {"set value", [](LinkConnection& c) { SetValue(c, kClassLow, 32, 0x12345678); },
         "1B 43 06 00 00 20 78 56 34 12 34 01"},
        {"session", [](LinkConnection& c) { SetValue(c, kClassSession, 17, 5); },
         "1B 53 06 00 00 11 05 00 00 00 16 00"},
        {"readiness query", [&](LinkConnection& c) { GetValue(c, 18, &v); },
         "1B 43 02 00 01 12 13 00"},
        {"high code query", [&](LinkConnection& c) { GetValue(c, 260, &v); },
         "1B 44 02 00 01 04 05 00"},
        {"code 300 class", [](LinkConnection& c) { SetValue(c, kClassLow, 300, 0); },
         "1B 44 06 00 00 2C 00 00 00 00 2C 00"},
        {"execute", [](LinkConnection& c) { Execute(c, 6, 16); }, "1B 43 03 00 02 06 10 18 00"},
    };
    for (const Case& k : cases) {
        const size_t before = line_.written().size();
        k.run(conn());
        ASSERT_GT(line_.written().size(), before) << k.what;
        EXPECT_EQ(Hex(line_.written()[before].bytes), k.frame) << k.what;
    }
}

TEST_F(ProtocolTest, SerialFramesAreWrittenInThreePiecesWithGaps) {
    SetValue(conn(), kClassLow, 32, 1);
    const auto& calls = line_.writeCalls();
    ASSERT_GE(calls.size(), 3u);
    const size_t n = calls.size();
    // The set-value frame is the last three write calls (no handshake written after an ACK).
    EXPECT_EQ(calls[n - 3].bytes.size(), 1u);
    EXPECT_EQ(calls[n - 2].bytes.size(), 3u);
    EXPECT_EQ(calls[n - 1].bytes.size(), 8u);
    EXPECT_GE(calls[n - 2].atMs - calls[n - 3].atMs, 2u);
    EXPECT_GE(calls[n - 1].atMs - calls[n - 2].atMs, 2u);
}

TEST_F(ProtocolTest, SetValueMapsHandshakesToResults) {
    struct Case {
        Bytes answer;
        int result;
    };
    const Case cases[] = {{{0x11}, 15}, {{0x15}, 14}, {{}, 12}, {{0x42}, 13}, {{0xFF}, 20}};
    for (const Case& k : cases) {
        int frames = 0;
        line_.setHandler([&](const Bytes& u) {
            if (u[0] == 0x1B) ++frames;
            return k.answer;
        });
        conn().state = LinkState::Busy;
        EXPECT_EQ(SetValue(conn(), kClassLow, 40, 1), k.result) << Hex(k.answer);
        // The session end stops the tries at once; every other failure uses all four.
        EXPECT_EQ(frames, k.result == 20 ? 1 : 4) << Hex(k.answer);
    }
}

TEST_F(ProtocolTest, GetValueGivesUpWithCanAfterFourBadReplies) {
    Bytes bad = ValueReply(7);
    bad[4] ^= 0x01;  // sum no longer matches
    line_.setHandler([&](const Bytes& u) { return u.size() == 1 && u[0] != 0x15 ? Bytes{} : bad; });
    int32_t value = 0;
    EXPECT_EQ(GetValue(conn(), 34, &value), 0);
    EXPECT_EQ(value, -1);
    const auto units = sent();
    ASSERT_EQ(units.size(), 5u);  // request, three NAKs, CAN
    EXPECT_EQ(units[0][0], 0x1B);
    for (int i = 1; i <= 3; ++i)
        EXPECT_EQ(Hex(units[i]), "15");
    EXPECT_EQ(Hex(units[4]), "18");
}

TEST_F(ProtocolTest, GetValueWithoutReplyReturnsReadErrorAfterFourRequests) {
    line_.setHandler([](const Bytes&) { return Bytes{}; });
    int32_t value = 0;
    EXPECT_EQ(GetValue(conn(), 34, &value), 10);
    EXPECT_EQ(value, -1);
    EXPECT_EQ(sent().size(), 4u);
}

TEST_F(ProtocolTest, GetValueAcceptsReplyAndAcknowledges) {
    line_.setHandler([](const Bytes& u) { return u[0] == 0x1B ? ValueReply(-5) : Bytes{}; });
    int32_t value = 0;
    EXPECT_EQ(GetValue(conn(), 34, &value), 0);
    EXPECT_EQ(value, -5);
    EXPECT_EQ(Hex(sent().back()), "06");
}

TEST_F(ProtocolTest, NextFrameWaitsFiftyMillisecondsAfterAnAcknowledgement) {
    int32_t value = 0;
    ASSERT_EQ(GetValue(conn(), 34, &value), 0);  // ends by writing ACK
    const uint64_t ackAt = line_.written().back().atMs;
    SetValue(conn(), kClassLow, 32, 1);
    EXPECT_GE(line_.written().back().atMs - ackAt, 50u);
}

TEST_F(ProtocolTest, SendDataSplitsAtTheFirstFrameBoundary) {
    struct Case {
        size_t length;
        std::vector<size_t> frameSizes;
    };
    const Case cases[] = {{0, {2 + 6}},
                          {2046, {2048 + 6}},
                          {2047, {2048 + 6, 1 + 6}},
                          {2046 + 2048 + 1, {2054, 2054, 7}}};
    for (const Case& k : cases) {
        const size_t before = line_.written().size();
        Bytes data(k.length, 0xA5);
        EXPECT_EQ(SendData(conn(), data.data(), data.size(), 31, kClassLow), 0);
        std::vector<size_t> sizes;
        for (size_t i = before; i < line_.written().size(); ++i)
            sizes.push_back(line_.written()[i].bytes.size());
        EXPECT_EQ(sizes, k.frameSizes) << k.length;
        if (k.frameSizes.size() > 1) {
            const Bytes& last = line_.written().back().bytes;
            EXPECT_EQ(last[0], 3) << "last data frame has type 3";
            EXPECT_EQ(last[1], k.frameSizes.size() - 2) << "sequence counts from 0";
        }
    }
}

TEST_F(ProtocolTest, LargeBlocksAreUnsummed) {
    conn().bigBlocks = 1;
    Bytes data(40000, 0x11);
    const size_t before = line_.written().size();
    EXPECT_EQ(SendData(conn(), data.data(), data.size(), 29, kClassLow), 0);
    ASSERT_EQ(line_.written().size() - before, 2u);
    for (size_t i = before; i < line_.written().size(); ++i) {
        const Bytes& f = line_.written()[i].bytes;
        EXPECT_EQ(f[f.size() - 2], 0xFF);
        EXPECT_EQ(f[f.size() - 1], 0xFF);
    }
    EXPECT_EQ(line_.written()[before].bytes[4], 5) << "large send operation";
}

TEST_F(ProtocolTest, ProgressStopsTheTransferWithUserBreak) {
    static int calls;
    static std::vector<int> seen;
    calls = 0;
    seen.clear();
    Cam_setup_callback(
        [](int32_t, int32_t, int32_t percent) -> int32_t {
            seen.push_back(percent);
            return ++calls < 2;
        },
        0);
    Bytes data(2046 + 2048 * 3, 1);
    EXPECT_EQ(SendData(conn(), data.data(), data.size(), 31, kClassLow), 19);
    EXPECT_EQ(seen, (std::vector<int>{25, 50}));
    Bytes empty;
    calls = -100;
    seen.clear();
    EXPECT_EQ(SendData(conn(), empty.data(), 0, 31, kClassLow), 0);
    EXPECT_EQ(seen, std::vector<int>{100}) << "an empty load reports completion, not a fault";
}

TEST_F(ProtocolTest, OversizedReplyHeaderIsRejected) {
    Bytes header{3, 0, 0x07, 0x08};  // 2055 bytes announced
    line_.setHandler([&](const Bytes& u) { return u[0] == 0x1B ? header : Bytes{}; });
    uint8_t out[16];
    size_t length = 99;
    EXPECT_EQ(ReceiveOne(conn(), 31, 16, out, sizeof out, &length), 10);
    EXPECT_EQ(length, 0u);
}

TEST_F(ProtocolTest, ReplyLongerThanTheCallersBufferIsNotCopiedPastIt) {
    const Bytes payload(100, 0x5A);
    line_.setHandler(
        [&](const Bytes& u) { return u[0] == 0x1B ? DataFrame(3, 0, payload) : Bytes{}; });
    uint8_t out[40];
    std::memset(out, 0xEE, sizeof out);
    size_t length = 0;
    EXPECT_EQ(ReceiveOne(conn(), 31, 16, out, 32, &length), 0);
    EXPECT_EQ(length, 32u);
    EXPECT_EQ(out[31], 0x5A);
    EXPECT_EQ(out[32], 0xEE) << "byte past the capacity untouched";
}

TEST_F(ProtocolTest, BadDataFrameIsNakedAndTheResentFrameAccepted) {
    Bytes good = DataFrame(3, 0, {1, 2, 3});
    Bytes bad = good;
    bad[5] ^= 0xFF;
    line_.setHandler([&](const Bytes& u) {
        if (u[0] == 0x1B) return bad;
        if (u.size() == 1 && u[0] == 0x15) return good;
        return Bytes{};
    });
    uint8_t out[8] = {};
    size_t length = 0;
    EXPECT_EQ(ReceiveOne(conn(), 31, 8, out, sizeof out, &length), 0);
    EXPECT_EQ(length, 3u);
    EXPECT_EQ(out[2], 3);
}

TEST_F(ProtocolTest, DataFetchTriesMatchTheValueQuery) {
    // A try is a request (or a reread after NAK) and the camera's answer: four bad frames are
    // read before CAN, and a silent camera gets four requests.
    Bytes bad = DataFrame(3, 0, {1, 2, 3});
    bad[5] ^= 0xFF;
    struct Case {
        const char* what;
        Bytes reply;  // to every request and every NAK
        std::vector<std::string> units;
    };
    const std::string request = "1B 43 02 00 04 1F 23 00";
    const Case cases[] = {
        {"bad frames", bad, {request, "15", "15", "15", "18"}},
        {"silence", {}, {request, request, request, request}},
        {"command frames in reply",
         DataFrame(0x1B, 0x43, {4, 31}),
         {request, request, request, request}},
    };
    for (const Case& k : cases) {
        line_.setHandler(
            [&](const Bytes& u) { return u[0] == 0x1B || u == Bytes{0x15} ? k.reply : Bytes{}; });
        const size_t before = line_.written().size();
        uint8_t out[8] = {};
        size_t length = 99;
        EXPECT_EQ(ReceiveOne(conn(), 31, 8, out, sizeof out, &length), 10) << k.what;
        EXPECT_EQ(length, 0u) << k.what;
        std::vector<std::string> units;
        for (size_t i = before; i < line_.written().size(); ++i)
            units.push_back(Hex(line_.written()[i].bytes));
        EXPECT_EQ(units, k.units) << k.what;
    }
}

TEST_F(ProtocolTest, CommandFrameInReplyResendsTheRequest) {
    int requests = 0;
    line_.setHandler([&](const Bytes& u) {
        if (u[0] != 0x1B) return Bytes{};
        return ++requests == 1 ? DataFrame(0x1B, 0x43, {4, 31}) : DataFrame(3, 0, {9, 8});
    });
    uint8_t out[8] = {};
    size_t length = 0;
    EXPECT_EQ(ReceiveOne(conn(), 31, 8, out, sizeof out, &length), 0);
    EXPECT_EQ(requests, 2);
    EXPECT_EQ(length, 2u);
    EXPECT_EQ(out[0], 9);
}

TEST_F(ProtocolTest, RetryCountCountsMissingRepliesButNotRefusedFrames) {
    // Refused or unacknowledged frames move on to the next try without counting; each missing
    // or bad reply counts once.
    struct Case {
        const char* what;
        Bytes answer;
        std::function<void(LinkConnection&)> run;
        int added;
    };
    int32_t v = 0;
    uint8_t out[8];
    size_t length = 0;
    const Bytes data(3000, 0x11);
    const Case cases[] = {
        {"set value, NAK", {0x15}, [](LinkConnection& c) { SetValue(c, kClassLow, 40, 1); }, 0},
        {"set value, DC1", {0x11}, [](LinkConnection& c) { SetValue(c, kClassLow, 40, 1); }, 0},
        {"set value, silence", {}, [](LinkConnection& c) { SetValue(c, kClassLow, 40, 1); }, 0},
        {"execute, NAK", {0x15}, [](LinkConnection& c) { Execute(c, 6, 1); }, 0},
        {"send data, NAK",
         {0x15},
         [&](LinkConnection& c) { SendData(c, data.data(), data.size(), 31, kClassLow); },
         0},
        {"get value, silence", {}, [&](LinkConnection& c) { GetValue(c, 34, &v); }, 4},
        {"fetch, silence",
         {},
         [&](LinkConnection& c) { ReceiveOne(c, 31, 8, out, sizeof out, &length); },
         4},
    };
    for (const Case& k : cases) {
        line_.setHandler([&](const Bytes& u) { return u[0] == 0x1B ? k.answer : Bytes{}; });
        conn().retryCount = 0;
        k.run(conn());
        EXPECT_EQ(conn().retryCount, k.added) << k.what;
    }
}

TEST_F(ProtocolTest, EmptyContinuationFrameCountsAsRefusal) {
    line_.setHandler([](const Bytes& u) { return u[0] == 0x1B ? DataFrame(2, 0, {}) : Bytes{}; });
    uint8_t out[8];
    size_t length = 0;
    EXPECT_EQ(ReceiveOne(conn(), 31, 8, out, sizeof out, &length), 15);
    // A caller that has no room for data still gets success when data did come.
    line_.setHandler([](const Bytes& u) { return u[0] == 0x1B ? DataFrame(2, 0, {9}) : Bytes{}; });
    EXPECT_EQ(ReceiveOne(conn(), 31, 8, out, 0, &length), 0);
    EXPECT_EQ(length, 0u);
}

TEST_F(ProtocolTest, SessionEndByteDuringAReplyEndsTheExchange) {
    line_.setHandler([](const Bytes& u) { return u[0] == 0x1B ? Bytes{0xFF} : Bytes{}; });
    uint8_t out[8];
    size_t length = 0;
    EXPECT_EQ(ReceiveOne(conn(), 31, 8, out, sizeof out, &length), 20);
    EXPECT_EQ(conn().state, LinkState::SessionLost);
}

// The session-end byte comes alone and nothing follows it: a reply awaited for its full length
// ends as soon as it is clear that no more is coming, not after the 12-second time-out.
TEST_F(ProtocolTest, ASessionEndInPlaceOfAReplyIsSeenAtOnce) {
    line_.setHandler([](const Bytes& u) { return u[0] == 0x1B ? Bytes{0xFF} : Bytes{}; });
    uint8_t out[8];
    size_t length = 0;
    uint64_t start = line_.nowMs();
    EXPECT_EQ(ReceiveOne(conn(), 31, 8, out, sizeof out, &length), 20);
    EXPECT_LT(line_.nowMs() - start, 1000u);
    conn().state = LinkState::Busy;
    int32_t value = 0;
    start = line_.nowMs();
    EXPECT_EQ(GetValue(conn(), 34, &value), 20);
    EXPECT_LT(line_.nowMs() - start, 1000u);
}

// Before a frame goes out, what waits is dropped; a session end among it counts when it comes
// first, or last after nothing but handshake bytes (a camera that answered a refused frame byte
// by byte and then ended the session). Inside other bytes it is data.
TEST_F(ProtocolTest, ASessionEndWaitingBeforeAFrameIsFoundAfterHandshakes) {
    struct Case {
        Bytes waiting;
        int result;
    };
    const Case cases[] = {
        {{0xFF}, 20},      {{0x15, 0x15, 0x15, 0xFF}, 20}, {{0x11, 0x06, 0xFF}, 20},
        {{0x15, 0x15}, 0}, {{0x02, 0x00, 0x41, 0xFF}, 0},  {{0x15, 0xFF, 0x15}, 0},
    };
    for (const Case& k : cases) {
        line_.setHandler([](const Bytes& u) { return u[0] == 0x1B ? Bytes{0x06} : Bytes{}; });
        conn().state = LinkState::Busy;
        line_.push(k.waiting);
        const size_t before = sent().size();
        EXPECT_EQ(SetValue(conn(), kClassLow, 40, 1), k.result) << Hex(k.waiting);
        EXPECT_EQ(sent().size() - before, k.result == 0 ? 1u : 0u) << Hex(k.waiting);
    }
}

}  // namespace
}  // namespace qorlink::test
