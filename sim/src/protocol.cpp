// Input of the software camera: single bytes, frame assembly, command dispatch and faults.
#include <algorithm>

#include "camera_impl.h"
#include "camsim/frame.h"

namespace camsim {

namespace {

int32_t valueAt(const std::vector<uint8_t>& p, size_t i) {
    return static_cast<int32_t>(static_cast<uint32_t>(p[i]) | static_cast<uint32_t>(p[i + 1]) << 8 |
                                static_cast<uint32_t>(p[i + 2]) << 16 |
                                static_cast<uint32_t>(p[i + 3]) << 24);
}

size_t frameLength(const std::vector<uint8_t>& f) {
    return static_cast<size_t>(f[2]) | static_cast<size_t>(f[3]) << 8;
}

}  // namespace

void Camera::Impl::onByte(uint8_t b, uint64_t atUs) {
    if (!frame.empty() && atUs - lastFrameByteUs > profile.frameGapUs) {
        frame.clear();
        ++stats.abandonedFrames;
    }
    lastFrameByteUs = atUs;
    bool dataType = b == kFrameMore || b == kFrameLast;
    bool startsFrame =
        b == kFrameCommand ||
        (dataType && (mode == Mode::Receiving || (closedSend && closedSend->commandFrame.empty())));
    if (!frame.empty() || startsFrame)
        onFrameByte(b);
    else
        onSingleByte(b);
}

void Camera::Impl::onFrameByte(uint8_t b) {
    frame.push_back(b);
    if (frame.size() < kFrameHeader) return;
    size_t n = frameLength(frame);
    if (n > kLargeBlock) {
        frame.clear();
        rejectFrame();
        return;
    }
    if (frame.size() == n + kFrameOverhead) {
        onFrame();
        frame.clear();
    }
}

void Camera::Impl::onFrame() {
    size_t n = frameLength(frame);
    std::vector<uint8_t> payload(frame.begin() + kFrameHeader, frame.begin() + kFrameHeader + n);
    uint16_t sum = static_cast<uint16_t>(frame[4 + n] | frame[5 + n] << 8);
    bool summed = sum == payloadSum(payload.data(), n);
    if (frame[0] == kFrameCommand) {
        bool large = n > 0 && payload[0] == kOpSendDataLarge;
        onCommandFrame(payload, summed || (large && sum == kNoSum));
        return;
    }
    if (mode != Mode::Receiving) {
        bool large = closedSend && closedSend->op == kOpSendDataLarge;
        onClosedSendFrame(frame[0], frame[1], payload, summed || (large && sum == kNoSum));
        return;
    }
    bool large = exOp == kOpSendDataLarge;
    onDataFrame(frame[0], frame[1], payload, summed || (large && sum == kNoSum));
}

void Camera::Impl::rejectFrame() {
    ++stats.badFrames;
    out.send({kNak}, now + profile.turnaroundUs, baud);
}

void Camera::Impl::onCommandFrame(const std::vector<uint8_t>& payload, bool sumOk) {
    if (!sumOk) {
        rejectFrame();
        return;
    }
    // The host sends a command frame again when it missed the acknowledgement: a send that
    // was whole in that frame is acknowledged again, not taken twice.
    bool repeat =
        closedSend && !closedSend->commandFrame.empty() && closedSend->commandFrame == frame;
    // A send whose full command frame was followed by no data frame held exactly what that
    // frame carried: another command completes it. The same command frame again starts it
    // afresh instead.
    if (mode == Mode::Receiving && !anyDataFrame && frame != receiveCommandFrame)
        receiveComplete = true;
    endExchange();
    if (!repeat) closedSend.reset();
    uint8_t cls = frame[1];
    bool inSession = session || !profile.requireSession || cls == kClassSession;
    if (payload.size() < 2) {
        if (inSession) out.send({kDc1}, now + profile.turnaroundUs, baud);
        return;
    }
    LogEntry e;
    e.atUs = now;
    e.cls = cls;
    e.op = payload[0];
    e.code = payload[1] + (cls == kClassHigh ? 256 : 0);
    e.payload.assign(payload.begin() + 2, payload.end());
    if (payload.size() >= 6 && e.op == kOpSetValue) e.value = valueAt(payload, 2);
    if (payload.size() >= 3 && e.op == kOpExecute) e.value = payload[2];
    e.inSession = inSession;
    log.push_back(e);
    if (!inSession) return;
    if (repeat) {
        unit(Unit::Command, e.op, e.code, true, [&] { answer = {kAck}; });
        return;
    }
    unit(Unit::Command, e.op, e.code, true, [&] { command(cls, e.op, e.code, payload); });
}

void Camera::Impl::command(uint8_t cls, int op, int code, const std::vector<uint8_t>& payload) {
    size_t n = payload.size();
    if (cls == kClassSession) {
        int32_t v = n == 6 ? valueAt(payload, 2) : -1;
        if (op != kOpSetValue || code != kCodeSession || v < 0 || v > kMaxSpeedIndex) {
            answer = {kDc1};
            return;
        }
        answer = {kAck};
        session = v != 0;
        baudAfter = kSpeedTable[v];
        return;
    }
    if (cls != kClassLow && cls != kClassHigh) {
        answer = {kDc1};
        return;
    }
    bool sizeOk = (op == kOpSetValue && n == 6) || (op == kOpExecute && n == 3) ||
                  ((op == kOpGetValue || op == kOpGetData || op == kOpGetDataLarge) && n == 2) ||
                  (op == kOpSendData && n <= kSmallBlock) ||
                  (op == kOpSendDataLarge && n <= kLargeBlock);
    if (!sizeOk) {
        answer = {kDc1};
        return;
    }
    switch (op) {
        case kOpSetValue:
            profile.values[code] = valueAt(payload, 2);
            answer = {kAck};
            if (hooks.onValueSet) hooks.onValueSet(code, valueAt(payload, 2));
            return;
        case kOpGetValue:
            replyValue(code);
            return;
        case kOpExecute:
            startExecute(code, payload[2]);
            return;
        case kOpSendData:
        case kOpSendDataLarge:
            startReceive(op, code, payload);
            return;
        default:
            startServe(op, code);
            return;
    }
}

void Camera::Impl::onSingleByte(uint8_t b) {
    switch (b) {
        case kProbe:
            ++stats.probes;
            endExchange();
            unit(Unit::Probe, -1, -1, true, [&] { answer = {kNak}; });
            return;
        case kAck:
            ++stats.acks;
            break;
        case kNak:
            ++stats.naks;
            break;
        case kCan:
            ++stats.cans;
            break;
        default:
            ++stats.strayBytes;
            return;
    }
    if (mode != Mode::AwaitAck && mode != Mode::Serving) {
        ++stats.strayBytes;
        return;
    }
    onHandshake(b);
}

void Camera::Impl::onHandshake(uint8_t b) {
    bool serving = mode == Mode::Serving;
    // The acknowledgement of the last frame served gets no answer, so no fault may give it one.
    bool answerable = serving ? b == kNak || (b == kAck && !serveLast) : b == kNak;
    unit(Unit::Handshake, exOp, exCode, answerable, [&] {
        if (b == kNak) {
            answer = pending;
        } else if (b == kCan || !serving) {
            endExchange();
        } else {
            onServeAck();
        }
    });
}

void Camera::Impl::unit(Unit kind, int op, int code, bool answerable,
                        const std::function<void()>& act) {
    FaultDecision d = faults.decide(kind, op, code, answerable);
    answer.clear();
    baudAfter.reset();
    switch (d.fault) {
        case Fault::Nak:
            answer = {kNak};
            break;
        case Fault::Dc1:
            answer = {kDc1};
            break;
        case Fault::EndSession:
            endExchange();
            closedSend.reset();
            answer = {kSessionEnd};
            session = false;
            baudAfter = kIdleBaud;
            break;
        default:
            act();
    }
    shapeAnswer(d);
    uint64_t at = now + profile.turnaroundUs + (d.fault == Fault::Delay ? d.delayUs : 0);
    if (!answer.empty()) out.send(answer, at, baud);
    if (baudAfter) baud = *baudAfter;
}

void Camera::Impl::shapeAnswer(const FaultDecision& d) {
    if (d.fault == Fault::Drop) answer.clear();
    if (d.fault == Fault::Stray) answer.insert(answer.begin(), d.strayByte);
    if (d.fault == Fault::Corrupt && !answer.empty()) {
        size_t i = d.corruptIndex >= 0 ? static_cast<size_t>(d.corruptIndex)
                                       : static_cast<size_t>(faults.next() % answer.size());
        answer[std::min(i, answer.size() - 1)] ^= 0x55;
    }
}

void Camera::Impl::endExchange() {
    if (mode == Mode::Receiving) finishReceive();
    mode = Mode::Idle;
    exOp = exCode = -1;
    pending.clear();
}

}  // namespace camsim
