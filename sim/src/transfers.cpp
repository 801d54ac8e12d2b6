// The camera's exchanges beyond a single handshake: value replies, execution, data in and out.
#include <algorithm>

#include "camera_impl.h"
#include "camsim/frame.h"

namespace camsim {

void Camera::Impl::replyValue(int code) {
    std::optional<int32_t> hooked = hooks.valueFor ? hooks.valueFor(code) : std::nullopt;
    int32_t v = 0;
    if (hooked) {
        v = *hooked;
    } else if (code == kCodeReadiness) {
        v = executing ? 0 : 1;
    } else if (auto it = profile.values.find(code); it != profile.values.end()) {
        v = it->second;
    }
    auto u = static_cast<uint32_t>(v);
    std::vector<uint8_t> payload{static_cast<uint8_t>(u), static_cast<uint8_t>(u >> 8),
                                 static_cast<uint8_t>(u >> 16), static_cast<uint8_t>(u >> 24)};
    pending = buildFrame(kFrameLast, 0, payload);
    answer = pending;
    mode = Mode::AwaitAck;
    exOp = kOpGetValue;
    exCode = code;
}

void Camera::Impl::startExecute(int code, int parameter) {
    answer = {kAck};
    executing = true;
    ++executionId;
    uint64_t done = now + profile.turnaroundUs + profile.executeDuration(code, parameter);
    events.insert({done, {Event::ExecuteDone, code, parameter, executionId}});
    if (hooks.onExecute) hooks.onExecute(code, parameter);
}

void Camera::Impl::startReceive(int op, int code, const std::vector<uint8_t>& payload) {
    answer = {kAck};
    blockSize = op == kOpSendDataLarge ? kLargeBlock : kSmallBlock;
    received.assign(payload.begin() + 2, payload.end());
    logIndex = log.size() - 1;
    expectSeq = 0;
    anyDataFrame = false;
    receiveComplete = false;
    receiveCommandFrame = frame;
    exOp = op;
    exCode = code;
    mode = Mode::Receiving;
    // A first frame that is not full carries all the data; a full one may be followed by more.
    if (payload.size() < blockSize) {
        receiveComplete = true;
        endExchange();
        // The same command frame again, before anything else, repeats this send.
        closedSend = ClosedSend{op, code, 0, frame, {}};
    }
}

void Camera::Impl::onDataFrame(uint8_t type, uint8_t seq, const std::vector<uint8_t>& payload,
                               bool sumOk) {
    if (!sumOk || payload.size() > blockSize) {
        rejectFrame();
        return;
    }
    unit(Unit::Data, exOp, exCode, true, [&] {
        // A repeat is the previous frame as it was: a frame that only carries the previous
        // sequence number (an altered header) is refused, not taken for it.
        bool repeat = anyDataFrame && seq == static_cast<uint8_t>(expectSeq - 1) &&
                      type == lastFrameType && payload == lastFramePayload;
        if (seq != expectSeq && !repeat) {
            ++stats.badFrames;
            answer = {kNak};
            return;
        }
        answer = {kAck};
        if (repeat) return;
        received.insert(received.end(), payload.begin(), payload.end());
        lastFrameType = type;
        lastFramePayload = payload;
        if (logIndex < log.size())
            log[logIndex].payload.insert(log[logIndex].payload.end(), payload.begin(),
                                         payload.end());
        anyDataFrame = true;
        ++expectSeq;
        if (type == kFrameLast) {
            receiveComplete = true;
            const int op = exOp, code = exCode;
            endExchange();
            // The host may not have seen the acknowledgement: the same last frame again is
            // acknowledged again until the next command.
            closedSend = ClosedSend{op, code, seq, {}, payload};
        }
    });
}

void Camera::Impl::onClosedSendFrame(uint8_t type, uint8_t seq, const std::vector<uint8_t>& payload,
                                     bool sumOk) {
    if (!sumOk) {
        rejectFrame();
        return;
    }
    const ClosedSend closed = *closedSend;
    unit(Unit::Data, closed.op, closed.code, true, [&] {
        if (type == kFrameLast && seq == closed.seq && closed.commandFrame.empty() &&
            payload == closed.lastPayload) {
            answer = {kAck};
        } else {
            ++stats.badFrames;
            answer = {kNak};
        }
    });
}

void Camera::Impl::finishReceive() {
    mode = Mode::Idle;
    // A send cut short (by a new command or the end of the session) is dropped whole: the next
    // send of the code starts afresh.
    if (!receiveComplete) return;
    profile.records[exCode] = received;
    if (hooks.onDataReceived) hooks.onDataReceived(exCode, received);
}

void Camera::Impl::startServe(int op, int code) {
    auto it = profile.records.find(code);
    serveData = it != profile.records.end() ? it->second : std::vector<uint8_t>{};
    serveChunk = op == kOpGetDataLarge ? kLargeBlock : kSmallBlock;
    serveOffset = 0;
    serveSeq = 0;
    exOp = op;
    exCode = code;
    mode = Mode::Serving;
    sendServeFrame();
}

void Camera::Impl::sendServeFrame() {
    size_t n = std::min(serveChunk, serveData.size() - serveOffset);
    serveLast = serveOffset + n >= serveData.size();
    auto first = serveData.begin() + static_cast<std::ptrdiff_t>(serveOffset);
    std::vector<uint8_t> payload(first, first + static_cast<std::ptrdiff_t>(n));
    pending =
        buildFrame(serveLast ? kFrameLast : kFrameMore, serveSeq, payload, exOp != kOpGetDataLarge);
    answer = pending;
}

void Camera::Impl::onServeAck() {
    if (serveLast) {
        endExchange();
        return;
    }
    serveOffset += serveChunk;
    ++serveSeq;
    sendServeFrame();
}

}  // namespace camsim
