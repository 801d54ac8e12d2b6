// The software camera's answers to the host, on the virtual line.
#include <gtest/gtest.h>

#include <numeric>

#include "host_line.h"

namespace camsim::test {
namespace {

Bytes pattern(size_t n) {
    Bytes b(n);
    for (size_t i = 0; i < n; ++i)
        b[i] = static_cast<uint8_t>(i * 7 + i / 256);
    return b;
}

Bytes dataFrame(uint8_t type, uint8_t seq, const Bytes& data, bool summed = true) {
    return buildFrame(type, seq, data, summed);
}

Bytes sendCommand(int op, int code, const Bytes& first) {
    Bytes payload{static_cast<uint8_t>(op), static_cast<uint8_t>(code & 0xFF)};
    payload.insert(payload.end(), first.begin(), first.end());
    return buildFrame(kFrameCommand, classForCode(code), payload, op != kOpSendDataLarge);
}

class CameraTest : public ::testing::Test {
  protected:
    Camera camera;
    HostLine host{camera};
};

TEST_F(CameraTest, ProbeIsAnsweredWithNakInAndOutOfSession) {
    host.send(kProbe);
    EXPECT_EQ(host.readByte(), kNak);
    host.openSession(5);
    host.send(kProbe);
    EXPECT_EQ(host.readByte(), kNak);
    EXPECT_EQ(camera.stats().probes, 2);
}

TEST_F(CameraTest, SessionCommandMovesTheLineAndCloseReturnsToIdleSpeed) {
    host.send(sessionFrame(5));
    EXPECT_EQ(host.readByte(), kAck);  // at the old speed
    EXPECT_TRUE(camera.sessionOpen());
    EXPECT_EQ(camera.baud(), 115200);

    // A host still at 19200 is not understood, and does not understand.
    host.send(getValueFrame(kCodeReadiness));
    EXPECT_EQ(host.read(10).size(), 0u);
    EXPECT_GT(camera.stats().garbledBytes, 0);

    host.setBaud(115200);
    EXPECT_EQ(host.query(kCodeReadiness), 1);

    host.send(sessionFrame(0));
    EXPECT_EQ(host.readByte(), kAck);
    EXPECT_FALSE(camera.sessionOpen());
    EXPECT_EQ(camera.baud(), kIdleBaud);
}

TEST_F(CameraTest, BadSessionSpeedIsRefused) {
    host.send(sessionFrame(7));
    EXPECT_EQ(host.readByte(), kDc1);
    EXPECT_FALSE(camera.sessionOpen());
}

TEST_F(CameraTest, CommandsOutsideASessionAreLoggedButNotAnswered) {
    host.send(setValueFrame(32, 5));
    EXPECT_EQ(host.read(1).size(), 0u);
    ASSERT_EQ(camera.log().size(), 1u);
    EXPECT_FALSE(camera.log()[0].inSession);
    EXPECT_EQ(camera.profile().values.count(32), 0u);
}

TEST_F(CameraTest, ValueSetThenQueryGivesTheExactReply) {
    host.openSession(2);
    Bytes set = setValueFrame(32, 0x12345678);
    EXPECT_EQ(set, (Bytes{0x1B, 0x43, 6, 0, 0, 0x20, 0x78, 0x56, 0x34, 0x12, 0x34, 0x01}));
    host.send(set);
    EXPECT_EQ(host.readByte(), kAck);

    host.send(getValueFrame(32));
    Bytes reply{3, 0, 4, 0, 0x78, 0x56, 0x34, 0x12, 0x14, 0x01};
    EXPECT_EQ(host.read(10), reply);
    host.send(kNak);
    EXPECT_EQ(host.read(10), reply);  // sent again
    host.send(kAck);
    EXPECT_EQ(host.read(1).size(), 0u);

    const LogEntry& e = camera.log().at(1);
    EXPECT_EQ(e.op, kOpSetValue);
    EXPECT_EQ(e.code, 32);
    EXPECT_EQ(e.value, 0x12345678);
}

TEST_F(CameraTest, HighCodesTravelWithClassDAndCodeLessTwoFiftySix) {
    host.openSession(2);
    Bytes q = getValueFrame(kCodeConnectionState);
    EXPECT_EQ(q, (Bytes{0x1B, 0x44, 2, 0, 1, 4, 5, 0}));
    EXPECT_EQ(host.query(kCodeConnectionState), 1);
    EXPECT_EQ(camera.log().back().code, 260);
    EXPECT_EQ(camera.log().back().cls, kClassHigh);
}

TEST_F(CameraTest, CanEndsAValueReplyWithoutResend) {
    host.openSession(2);
    host.send(getValueFrame(18));
    EXPECT_EQ(host.read(10).size(), 10u);
    host.send(kCan);
    host.send(kNak);  // no exchange left to repeat
    EXPECT_EQ(host.read(10).size(), 0u);
}

TEST_F(CameraTest, MalformedFramesAreRejected) {
    host.openSession(2);
    struct Case {
        const char* what;
        Bytes frame;
        uint8_t answer;
    } cases[] = {
        {"bad sum", {0x1B, 0x43, 2, 0, 1, 18, 0, 0}, kNak},
        {"unknown operation", buildFrame(0x1B, 0x43, {9, 1}), kDc1},
        {"unknown class", buildFrame(0x1B, 0x41, {1, 1}), kDc1},
        {"short set value", buildFrame(0x1B, 0x43, {0, 1, 2}), kDc1},
    };
    for (const Case& c : cases) {
        host.send(c.frame);
        EXPECT_EQ(host.readByte(), c.answer) << c.what;
    }
}

TEST_F(CameraTest, AFrameCutShortIsAbandonedAfterAGap) {
    host.openSession(2);
    Bytes q = getValueFrame(18);
    host.send(Bytes(q.begin(), q.begin() + 5));
    host.sleepMs(1000);
    host.send(q);
    EXPECT_EQ(host.read(10).size(), 10u);
    EXPECT_EQ(camera.stats().abandonedFrames, 1);
}

TEST_F(CameraTest, ExecuteFinishesWithEnqOrDc1AfterItsTime) {
    camera.profile().executeUsByCode[6] = 5'000'000;
    camera.profile().failingPrograms.insert({6, 17});
    host.openSession(5);
    struct Case {
        uint8_t parameter;
        uint8_t done;
    } cases[] = {{16, kEnq}, {17, kDc1}};
    for (const Case& c : cases) {
        host.send(executeFrame(6, c.parameter));
        uint64_t started = host.nowUs();
        EXPECT_EQ(host.readByte(), kAck);
        EXPECT_EQ(host.query(kCodeReadiness), 0);
        EXPECT_EQ(host.read(1, 4000).size(), 0u);  // still running
        EXPECT_EQ(host.readByte(2000), c.done);
        uint64_t took = host.nowUs() - started;
        EXPECT_GE(took, 5'000'000u);
        EXPECT_LT(took, 5'010'000u);
        EXPECT_EQ(host.query(kCodeReadiness), 1);
        EXPECT_EQ(camera.log()[camera.log().size() - 3].value, c.parameter);
    }
}

TEST_F(CameraTest, ByteTimesFollowTheLineSpeed) {
    host.openSession(1);  // 9600 baud: about 1.04 ms a byte
    host.send(getValueFrame(18));
    uint64_t sent = host.nowUs();
    EXPECT_EQ(host.read(10).size(), 10u);
    uint64_t took = host.nowUs() - sent;
    EXPECT_GE(took, camera.profile().turnaroundUs + lineTimeUs(10, 9600));
    EXPECT_LE(took, camera.profile().turnaroundUs + lineTimeUs(10, 9600) + 1);
}

TEST_F(CameraTest, ReceivesDataFrameByFrameCheckingSumAndSequence) {
    host.openSession(5);
    Bytes data = pattern(2046 + 2048 + 10);
    host.send(sendCommand(kOpSendData, 40, Bytes(data.begin(), data.begin() + 2046)));
    EXPECT_EQ(host.readByte(), kAck);

    Bytes second(data.begin() + 2046, data.begin() + 4094);
    Bytes bad = dataFrame(kFrameMore, 0, second);
    bad[10] ^= 1;
    host.send(bad);
    EXPECT_EQ(host.readByte(), kNak);
    host.send(dataFrame(kFrameMore, 1, second));  // out of order
    EXPECT_EQ(host.readByte(), kNak);
    host.send(dataFrame(kFrameMore, 0, second));
    EXPECT_EQ(host.readByte(), kAck);
    host.send(dataFrame(kFrameMore, 0, second));  // our ACK was lost: acknowledged, kept once
    EXPECT_EQ(host.readByte(), kAck);
    host.send(dataFrame(kFrameLast, 1, Bytes(data.begin() + 4094, data.end())));
    EXPECT_EQ(host.readByte(), kAck);

    EXPECT_EQ(camera.profile().records[40], data);
    EXPECT_EQ(camera.log().back().payload, data);
    EXPECT_EQ(camera.stats().badFrames, 2);
}

TEST_F(CameraTest, DataThatFitsTheCommandFrameNeedsNoDataFrame) {
    host.openSession(5);
    for (size_t n : {size_t{0}, size_t{100}, size_t{2045}}) {
        host.send(sendCommand(kOpSendData, 41, pattern(n)));
        EXPECT_EQ(host.readByte(), kAck);
        EXPECT_EQ(camera.profile().records[41], pattern(n)) << n;
    }
}

TEST_F(CameraTest, SendsAreTakenOnceWhateverTheHostRepeats) {
    host.openSession(5);
    std::vector<Bytes> completed;
    camera.hooks().onDataReceived = [&](int, const Bytes& d) { completed.push_back(d); };
    const Bytes data = pattern(2046 + 100);
    const Bytes command = sendCommand(kOpSendData, 42, Bytes(data.begin(), data.begin() + 2046));
    const Bytes last = dataFrame(kFrameLast, 0, Bytes(data.begin() + 2046, data.end()));

    // The command frame again (its ACK was lost) starts the send afresh.
    host.send(command);
    EXPECT_EQ(host.readByte(), kAck);
    host.send(command);
    EXPECT_EQ(host.readByte(), kAck);
    // A frame that only carries the previous sequence number is no repeat.
    host.send(last);
    EXPECT_EQ(host.readByte(), kAck);
    host.send(dataFrame(kFrameLast, 0, pattern(100)));
    EXPECT_EQ(host.readByte(), kNak);
    // The last frame again after the send ended is acknowledged again.
    host.send(last);
    EXPECT_EQ(host.readByte(), kAck);
    EXPECT_EQ(completed, std::vector<Bytes>{data});

    // A send whole in its command frame, sent again, is not taken twice.
    completed.clear();
    const Bytes whole = sendCommand(kOpSendData, 42, pattern(300));
    host.send(whole);
    EXPECT_EQ(host.readByte(), kAck);
    host.send(whole);
    EXPECT_EQ(host.readByte(), kAck);
    EXPECT_EQ(completed, std::vector<Bytes>{pattern(300)});

    // A full command frame is the whole send once another command follows; a session end in
    // the middle of a send drops it.
    completed.clear();
    host.send(command);
    EXPECT_EQ(host.readByte(), kAck);
    EXPECT_EQ(host.query(18), 1);
    EXPECT_EQ(completed, std::vector<Bytes>{Bytes(data.begin(), data.begin() + 2046)});
    completed.clear();
    host.send(command);
    EXPECT_EQ(host.readByte(), kAck);
    camera.endSession(0);
    EXPECT_TRUE(completed.empty());
}

TEST_F(CameraTest, LargeBlocksTravelUnsummed) {
    host.openSession(5);
    Bytes data = pattern(32766 + 5);
    host.send(sendCommand(kOpSendDataLarge, 29, Bytes(data.begin(), data.begin() + 32766)));
    EXPECT_EQ(host.readByte(5000), kAck);
    host.send(dataFrame(kFrameLast, 0, Bytes(data.begin() + 32766, data.end()), false));
    EXPECT_EQ(host.readByte(), kAck);
    EXPECT_EQ(camera.profile().records[29], data);

    host.send(getDataFrame(29, kOpGetDataLarge));
    Bytes first = host.read(32768 + 6, 5000);
    ASSERT_EQ(first.size(), 32768u + 6);
    EXPECT_EQ(first[0], kFrameMore);
    EXPECT_EQ(first[32768 + 4], 0xFF);
    EXPECT_EQ(first[32768 + 5], 0xFF);
}

TEST_F(CameraTest, ServesRecordsAsNumberedFramesResendingOnNak) {
    Bytes record = pattern(5000);
    camera.profile().records[31] = record;
    host.openSession(5);
    host.send(getDataFrame(31));

    Bytes got;
    uint8_t expectSeq = 0;
    for (;;) {
        Bytes f = host.read(4);
        ASSERT_EQ(f.size(), 4u);
        size_t n = f[2] | f[3] << 8;
        Bytes rest = host.read(n + 2);
        f.insert(f.end(), rest.begin(), rest.end());
        EXPECT_EQ(f[1], expectSeq);
        if (expectSeq == 1 && camera.stats().naks == 0) {
            host.send(kNak);  // the same frame again
            continue;
        }
        got.insert(got.end(), f.begin() + 4, f.end() - 2);
        host.send(kAck);
        ++expectSeq;
        if (f[0] == kFrameLast) break;
        EXPECT_EQ(f[0], kFrameMore);
    }
    EXPECT_EQ(got, record);
    EXPECT_EQ(expectSeq, 3);
    EXPECT_EQ(host.read(1).size(), 0u);
}

TEST_F(CameraTest, ServingStopsOnCanOrANewCommand) {
    camera.profile().records[31] = pattern(5000);
    host.openSession(5);
    for (bool withCan : {true, false}) {
        host.send(getDataFrame(31));
        EXPECT_EQ(host.read(2054).size(), 2054u);
        if (withCan) {
            host.send(kCan);
            host.send(kAck);  // nothing left to continue
            EXPECT_EQ(host.read(1).size(), 0u);
        } else {
            EXPECT_EQ(host.query(18), 1);
            EXPECT_EQ(host.read(1).size(), 0u);
        }
    }
}

TEST_F(CameraTest, UnknownRecordIsOneEmptyLastFrame) {
    host.openSession(5);
    host.send(getDataFrame(99));
    EXPECT_EQ(host.read(7), (Bytes{3, 0, 0, 0, 0, 0}));
}

TEST_F(CameraTest, ProfileTextsAreServedAsRecords) {
    Profile p = defaultProfile();
    p.typeText = "AB123";
    Camera c(p);
    EXPECT_EQ(c.profile().records[kCodeTypeText], textRecord("AB123", 64));
    EXPECT_EQ(c.profile().values[kCodeLcdType], p.lcdType);
}

TEST_F(CameraTest, SessionEndByteEndsTheSession) {
    host.openSession(5);
    camera.endSession(host.nowUs() + 1000);
    EXPECT_EQ(host.readByte(), kSessionEnd);
    EXPECT_FALSE(camera.sessionOpen());
    host.setBaud(kIdleBaud);
    host.send(getValueFrame(18));
    EXPECT_EQ(host.read(10).size(), 0u);  // no session: no answer
    host.send(kProbe);
    EXPECT_EQ(host.readByte(), kNak);
}

TEST_F(CameraTest, PurgeDropsWhatHasArrived) {
    host.openSession(5);
    host.send(getValueFrame(18));
    host.sleepMs(100);
    host.purge();
    EXPECT_EQ(host.read(10).size(), 0u);
}

}  // namespace
}  // namespace camsim::test
