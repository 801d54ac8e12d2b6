// Fault injection: scripted rules act exactly where told, rates repeat with their seed.
#include <gtest/gtest.h>

#include "host_line.h"

namespace camsim::test {
namespace {

const Bytes kReadyReply{3, 0, 4, 0, 1, 0, 0, 0, 1, 0};

// What the host sees when it queries readiness once, the camera's answer being shaped by `rule`.
Bytes answerWith(const FaultRule& rule) {
    Camera camera;
    HostLine host(camera);
    host.openSession(5);
    camera.faults().add(rule);
    host.send(getValueFrame(kCodeReadiness));
    return host.read(11, 1000);
}

TEST(FaultTest, EachScriptedFaultShapesTheAnswer) {
    struct Case {
        Fault fault;
        Bytes seen;
    } cases[] = {
        {Fault::None, kReadyReply},
        {Fault::Drop, {}},
        {Fault::Nak, {kNak}},
        {Fault::Dc1, {kDc1}},
        {Fault::EndSession, {kSessionEnd}},
        {Fault::Delay, {}},  // comes after the host's second of waiting
    };
    for (const Case& c : cases) {
        FaultRule r;
        r.fault = c.fault;
        r.code = kCodeReadiness;
        EXPECT_EQ(answerWith(r), c.seen) << static_cast<int>(c.fault);
    }

    FaultRule stray{.fault = Fault::Stray, .strayByte = 0x42};
    Bytes withStray{0x42};
    withStray.insert(withStray.end(), kReadyReply.begin(), kReadyReply.end());
    EXPECT_EQ(answerWith(stray), withStray);

    FaultRule corrupt{.fault = Fault::Corrupt, .corruptIndex = 4};
    Bytes corrupted = kReadyReply;
    corrupted[4] ^= 0x55;
    EXPECT_EQ(answerWith(corrupt), corrupted);
}

TEST(FaultTest, DelayedAnswerArrivesAfterTheDelay) {
    Camera camera;
    HostLine host(camera);
    host.openSession(5);
    camera.faults().add({.fault = Fault::Delay, .delayUs = 13'000'000});
    host.send(getValueFrame(kCodeReadiness));
    uint64_t sent = host.nowUs();
    EXPECT_EQ(host.read(10, 12000).size(), 0u);
    EXPECT_EQ(host.read(10, 2000), kReadyReply);
    EXPECT_GT(host.nowUs() - sent, 13'000'000u);
}

TEST(FaultTest, RuleActsOnTheNthMatchingUnitOnly) {
    Camera camera;
    HostLine host(camera);
    host.openSession(5);
    camera.faults().add({.fault = Fault::Drop,
                         .unit = Unit::Command,
                         .op = kOpGetValue,
                         .code = kCodeReadiness,
                         .nth = 2,
                         .times = 2});
    std::vector<size_t> lengths;
    for (int i = 0; i < 5; ++i) {
        host.query(60);  // other codes are not counted
        host.send(getValueFrame(kCodeReadiness));
        lengths.push_back(host.read(10).size());
        host.send(kAck);
    }
    EXPECT_EQ(lengths, (std::vector<size_t>{10, 0, 0, 10, 10}));
    EXPECT_EQ(camera.faults().injected(), 2);
}

TEST(FaultTest, RuleOnAHandshakeCorruptsTheNextServedFrame) {
    Camera camera;
    HostLine host(camera);
    camera.profile().records[31] = Bytes(3000, 0x11);
    host.openSession(5);
    camera.faults().add(
        {.fault = Fault::Corrupt, .unit = Unit::Handshake, .code = 31, .corruptIndex = 10});
    host.send(getDataFrame(31));
    EXPECT_EQ(host.read(2054).size(), 2054u);
    host.send(kAck);
    Bytes second = host.read(958);
    ASSERT_EQ(second.size(), 958u);
    EXPECT_EQ(second[10], 0x11 ^ 0x55);
    host.send(kNak);  // the frame is sent again as it should be
    EXPECT_EQ(host.read(958)[10], 0x11);
}

// A busy exchange with every fault enabled by rate; the host just keeps asking.
Bytes noisyRun(uint64_t seed) {
    Camera camera;
    camera.profile().requireSession = false;
    camera.faults().reseed(seed);
    camera.faults().setRates({.drop = 0.1,
                              .corrupt = 0.1,
                              .nak = 0.1,
                              .dc1 = 0.1,
                              .stray = 0.1,
                              .delay = 0.05,
                              .delayUs = 50'000});
    HostLine host(camera);
    Bytes seen;
    for (int i = 0; i < 40; ++i) {
        host.send(getValueFrame(i % 3 == 0 ? kCodeReadiness : 32));
        Bytes r = host.read(10, 30);
        seen.insert(seen.end(), r.begin(), r.end());
        host.send(kAck);
    }
    return seen;
}

TEST(FaultTest, RatesRepeatExactlyWithTheSameSeed) {
    Bytes a = noisyRun(7);
    EXPECT_EQ(a, noisyRun(7));
    EXPECT_NE(a, noisyRun(8));
    Camera clean;
    EXPECT_EQ(clean.faults().injected(), 0);
}

}  // namespace
}  // namespace camsim::test
