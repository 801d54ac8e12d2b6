// The link protocol's exchanges. Every function here runs inside a command that has already
// ensured the session; failures come back as result codes and the caller records them.
#include "protocol.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <new>

#include "connection.h"
#include "frame.h"
#include "link_constants.h"
#include "secure_wipe.h"
#include "storage.h"
#include "transport.h"

namespace qorlink {
namespace {

constexpr size_t kSetValueFrame = 12;
constexpr size_t kExecuteFrame = 9;
constexpr size_t kRequestFrame = 8;  // get value / get data: operation and code only
constexpr int kSetValueHandshakeReads = 6;
constexpr int kSendDataHandshakeReads = 5;
constexpr uint32_t kPieceGapMs = 1;  // the tick must move on by more than this between pieces
constexpr int kBaudUnitScale = 9600;
constexpr int kBodyTimeoutSlackUnits = 100;
// After a handshake byte that may be a whole answer, how long the rest of an answer may take to
// begin before the byte is taken as all there is (100 ms: far beyond a byte time on any line).
constexpr int kLoneAnswerGapUnits = 10;
// Progress of a load is counted in 1/1600ths, then reported as whole percent.
constexpr int64_t kProgressScale = 1600;
constexpr int64_t kProgressPerPercent = 16;

bool ReplySumsVerified(const LinkConnection& c) {
    return !(IsUsb(c) && StorageSkipsReplySums(c));
}

// Waits until the tick count has moved more than one millisecond past `since`, sleeping rather
// than spinning so the gap costs no processor time, and waking as that tick begins: the gap is
// as short as the rule allows.
void WaitPieceGap(uint32_t since) {
    const uint32_t tick = since + kPieceGapMs + 1;
    while (static_cast<int32_t>(TickMs() - tick) < 0)
        SleepUntilTick(tick);
}

// The single bytes the camera answers with.
bool IsHandshakeByte(uint8_t b) {
    return b == kAck || b == kNak || b == kDc1 || b == kEnq || b == kCan || b == kSessionEnd;
}

// Protocol units (10 ms) left of a read of t units that began at tick `start`.
int UnitsLeft(uint32_t start, int t) {
    const int64_t elapsedMs = static_cast<uint32_t>(TickMs() - start);
    return static_cast<int>(std::max<int64_t>(0, t - (elapsedMs + 9) / 10));
}

// Reads an answer of n bytes (a frame header, a value reply) within t units on the serial line.
// A camera that refuses a request or ends the session answers with a single byte and sends
// nothing after it: when an answer begins with such a byte and nothing follows at once, the read
// ends there instead of waiting out its time-out for bytes that cannot come.
int ReadAnswer(LinkConnection& c, uint8_t* buf, size_t n, int t) {
    if (IsUsb(c) || n < 2) return ReadBytes(c, buf, n, t);
    const uint32_t start = TickMs();
    const int first = ReadBytes(c, buf, 1, t);
    if (first != 1) return first;
    size_t got = 1;
    if (buf[0] == kSessionEnd || buf[0] == kDc1 || buf[0] == kNak) {
        const int r = ReadBytes(c, buf + got, n - got, kLoneAnswerGapUnits);
        if (r <= 0) return static_cast<int>(got);
        got += static_cast<size_t>(r);
    }
    if (got < n) {
        const int r = ReadBytes(c, buf + got, n - got, UnitsLeft(start, t));
        if (r > 0) got += static_cast<size_t>(r);
    }
    return static_cast<int>(got);
}

// Writes a single handshake byte, setting ackSent on success.
int WriteHandshakeByte(LinkConnection& c, uint8_t byte) {
    const int w = WriteBytes(c, &byte, 1);
    if (w == 1) c.ackSent = 1;
    return w;
}

// Builds the two-byte request frame (get value or get data) for `code` into out.
size_t BuildRequest(uint8_t* out, uint8_t op, int code) {
    const uint8_t payload[2] = {op, CodeByte(code)};
    return BuildFrame(out, kFrameCommand, ClassForCode(code), payload, sizeof payload);
}

int SerialBodyTimeoutUnits(const LinkConnection& c, size_t bodyBytes) {
    const int index = (c.speedIndex >= 0 && c.speedIndex <= kMaxSpeedIndex) ? c.speedIndex : 0;
    const int baud = kSpeedTable[index];
    return static_cast<int>(bodyBytes / 10) * kBaudUnitScale / baud + kBodyTimeoutSlackUnits;
}

int ReportLoadProgress(LinkConnection& c, size_t remaining, size_t length) {
    if (c.progressCallback == nullptr) return QORLINK_OK;
    // An empty load is complete as soon as its command frame is acknowledged.
    const int64_t percent =
        length == 0 ? 100
                    : (kProgressScale - static_cast<int64_t>(remaining) * kProgressScale /
                                            static_cast<int64_t>(length)) /
                          kProgressPerPercent;
    return c.progressCallback(c.progressUser, 0, static_cast<int32_t>(percent)) == 0
               ? QORLINK_USER_BREAK
               : QORLINK_OK;
}

// Writes a frame until the camera acknowledges it, four tries at most. A data transfer also
// looks for the session-end byte before every try. Only failed writes count in the shared retry
// counter; an unexpected answer just moves on to the next try.
int SendAcknowledged(LinkConnection& c, const uint8_t* frame, size_t n, int handshakeReads,
                     bool checkSessionEachTry, bool* written = nullptr) {
    for (int attempt = 0; attempt < kFrameTries; ++attempt) {
        if (checkSessionEachTry && CheckSessionEnd(c)) return QORLINK_SESSION_CLOSE;
        const int w = SendFrame(c, frame, n);
        if (w == 1) {
            if (written != nullptr) *written = true;
            const int h = ReadHandshake(c, handshakeReads);
            if (h == kAck) return QORLINK_OK;
            if (h == -2) return QORLINK_USB_NOT_RESPONDING;
            if (h == kSessionEnd) {
                c.state = LinkState::SessionLost;
                return QORLINK_SESSION_CLOSE;
            }
            continue;  // any other answer: the next try
        }
        if (w == -2) return QORLINK_USB_NOT_RESPONDING;
        ++c.retryCount;
        c.lastResult = QORLINK_WRITE_ERROR;
    }
    return QORLINK_WRITE_ERROR;
}

// Sends one frame of a data transfer and waits for its acknowledgement.
int SendDataFrame(LinkConnection& c, const uint8_t* frame, size_t n, bool* written) {
    PreSendDelay(c);
    return SendAcknowledged(c, frame, n, kSendDataHandshakeReads, true, written);
}

int OutOfMemory(LinkConnection& c) {
    return FailWith(c, QORLINK_OTHER_ERROR);
}

}  // namespace

uint8_t ClassForCode(int code) {
    return code >= 256 ? kClassHigh : kClassLow;
}

int SendFrame(LinkConnection& c, const uint8_t* frame, size_t n) {
    if (IsUsb(c) || n <= kFrameHeader) return WriteBytes(c, frame, n);
    // The camera's serial receiver needs the type byte and the rest of the header to arrive as
    // separate pieces.
    int w = WriteBytes(c, frame, 1);
    if (w != 1) return w;
    WaitPieceGap(TickMs());
    w = WriteBytes(c, frame + 1, 3);
    if (w != 1) return w;
    WaitPieceGap(TickMs());
    return WriteBytes(c, frame + kFrameHeader, n - kFrameHeader);
}

int ReadHandshake(LinkConnection& c, int attempts) {
    for (int i = 0; i < attempts; ++i) {
        uint8_t byte = 0;
        const int r = ReadBytes(c, &byte, 1, kHandshakeUnits);
        c.ackSent = 0;
        if (r >= 1) return byte;
        if (r == -1) return kDc1;  // a failed read counts as a refusal
        if (r == -2 || r == -3) return r;
    }
    return -1;
}

int SendHandshake(LinkConnection& c, uint8_t byte) {
    if (CheckSessionEnd(c)) return QORLINK_SESSION_CLOSE;
    const int w = WriteHandshakeByte(c, byte);
    if (w == 1) return QORLINK_OK;
    return w == -2 ? QORLINK_USB_NOT_RESPONDING : QORLINK_SESSION_CLOSE;
}

bool CheckSessionEnd(LinkConnection& c) {
    if (IsUsb(c)) return false;
    uint8_t first = 0;
    if (ReadBytes(c, &first, 1, kSessionEndUnits) != 1) return false;
    // What waits is dropped. A camera that refused a frame may have answered it byte by byte and
    // then ended the session: after a run of handshake bytes the session-end byte is the last.
    // Taken for stale bytes, it would leave the library talking at the session speed to a camera
    // that listens at the probing speed only.
    bool handshakesOnly = IsHandshakeByte(first);
    uint8_t last = first;
    uint8_t byte = 0;
    while (ReadBytes(c, &byte, 1, kDrainUnits) == 1) {
        handshakesOnly = handshakesOnly && IsHandshakeByte(byte);
        last = byte;
    }
    if (first != kSessionEnd && !(handshakesOnly && last == kSessionEnd)) return false;
    c.state = LinkState::SessionLost;
    return true;
}

void PreSendDelay(LinkConnection& c) {
    if (!c.ackSent) return;
    c.ackSent = 0;
    SleepMs(IsUsb(c) ? kUsbPreSendDelayMs : kSerialPreSendDelayMs);
}

int ReceiveFrame(LinkConnection& c, uint8_t* buf, size_t capacity, size_t expected, int t,
                 size_t* got) {
    *got = 0;
    if (IsUsb(c)) {
        const size_t want = std::min(expected + kFrameOverhead, capacity);
        const int r = ReadBytes(c, buf, want, t);
        if (r > static_cast<int>(want)) return -2;  // more than the frame buffer could take
        if (r > 0) *got = static_cast<size_t>(r);
        return r;
    }
    const int h = ReadAnswer(c, buf, kFrameHeader, t);
    if (h > 0) *got = static_cast<size_t>(h);
    if (h != static_cast<int>(kFrameHeader)) return h > 0 ? kShortFrame : h;
    const size_t n = ReadLe16(buf + 2);
    // A length the buffer cannot hold is refused like an oversized frame; the rest of it is
    // drained by the caller.
    if (n > kSmallFrame || n + kFrameOverhead > capacity) return kOversizedFrame;
    const size_t body = n + 2;
    const int r = ReadBytes(c, buf + kFrameHeader, body, SerialBodyTimeoutUnits(c, body));
    if (r > 0) *got += static_cast<size_t>(r);
    if (r == static_cast<int>(body)) return static_cast<int>(n + kFrameOverhead);
    return r < 0 ? r : kShortFrame;
}

int CheckFrame(const LinkConnection& c, const uint8_t* frame, size_t length, bool verifySum) {
    if (length < kFrameOverhead) return QORLINK_BAD_CHECKSUM;
    const uint8_t type = frame[0];
    if (type != kFrameMore && type != kFrameLast && type != kFrameCommand)
        return QORLINK_BAD_CHECKSUM;
    const size_t n = ReadLe16(frame + 2);
    if (n + kFrameOverhead != length) return QORLINK_BAD_CHECKSUM;
    if (verifySum && PayloadSum(frame + kFrameHeader, n) != ReadLe16(frame + kFrameHeader + n))
        return QORLINK_BAD_CHECKSUM;
    if (type != kFrameCommand && frame[1] != c.rxSequence) return QORLINK_BAD_RESPONSE;
    return QORLINK_OK;
}

int SetValue(LinkConnection& c, uint8_t cls, int code, int32_t value) {
    if (cls != kClassSession) cls = ClassForCode(code);
    c.txSequence = 0;
    uint8_t payload[6] = {kOpSetValue, CodeByte(code)};
    WriteLe32(payload + 2, static_cast<uint32_t>(value));
    uint8_t frame[kSetValueFrame];
    BuildFrame(frame, kFrameCommand, cls, payload, sizeof payload);

    PreSendDelay(c);
    if (CheckSessionEnd(c)) return QORLINK_SESSION_CLOSE;
    int result = QORLINK_WRITE_ERROR;
    for (int attempt = 0; attempt < kFrameTries && result != QORLINK_SESSION_CLOSE; ++attempt) {
        const int w = SendFrame(c, frame, sizeof frame);
        if (w != 1) {
            if (w == -2) return QORLINK_USB_NOT_RESPONDING;
            result = QORLINK_WRITE_ERROR;
            continue;
        }
        const int h = ReadHandshake(c, kSetValueHandshakeReads);
        switch (h) {
            case kAck:
                return QORLINK_OK;
            case kDc1:
                result = QORLINK_DC1_RESPONSE;
                break;
            case kNak:
                result = QORLINK_NAK1_RESPONSE;
                break;
            case kSessionEnd:
                c.state = LinkState::SessionLost;
                result = QORLINK_SESSION_CLOSE;
                break;
            case -1:
                result = QORLINK_NOT_RESPONDING;
                break;
            case -2:
                return QORLINK_USB_NOT_RESPONDING;
            default:
                // An answer to the session command that is none of the camera's bytes may be its
                // acknowledgement, altered on the line: the camera then listens at the new speed
                // only, and a repeat at this one could never be answered. The caller settles it.
                if (cls == kClassSession) return QORLINK_BAD_RESPONSE;
                result = QORLINK_BAD_RESPONSE;
                break;
        }
    }
    return result;
}

int Execute(LinkConnection& c, int code, int parameter) {
    const uint8_t payload[3] = {kOpExecute, CodeByte(code), static_cast<uint8_t>(parameter)};
    uint8_t frame[kExecuteFrame];
    BuildFrame(frame, kFrameCommand, ClassForCode(code), payload, sizeof payload);
    c.txSequence = 0;
    PreSendDelay(c);
    if (CheckSessionEnd(c)) return QORLINK_SESSION_CLOSE;
    return SendAcknowledged(c, frame, sizeof frame, 1, false);
}

int GetValue(LinkConnection& c, int code, int32_t* value) {
    *value = -1;
    c.txSequence = 0;
    uint8_t request[kRequestFrame];
    BuildRequest(request, kOpGetValue, code);
    const bool verify = ReplySumsVerified(c);
    PreSendDelay(c);

    uint8_t reply[kValueReplyLength] = {};
    int triesLeft = kFrameTries;
    bool resend = true;
    int r = 0;
    while (triesLeft > 0) {
        if (resend) {
            if (CheckSessionEnd(c)) return QORLINK_SESSION_CLOSE;
            const int w = SendFrame(c, request, sizeof request);
            if (w != 1) {
                if (w == -2) return QORLINK_USB_NOT_RESPONDING;
                ++c.retryCount;
                c.lastResult = QORLINK_WRITE_ERROR;
                --triesLeft;
                continue;
            }
            r = ReadAnswer(c, reply, sizeof reply, kHandshakeUnits);
        }
        resend = true;
        if (r < static_cast<int>(kValueReplyLength)) {
            if (r > 0 && reply[0] == kSessionEnd) {
                c.state = LinkState::SessionLost;
                return QORLINK_SESSION_CLOSE;
            }
            if ((r > 0 && IsUsb(c)) || r == -2) return QORLINK_USB_NOT_RESPONDING;
            ++c.retryCount;
            c.lastResult = QORLINK_READ_ERROR;
            --triesLeft;
            continue;
        }
        c.rxSequence = 0;
        if (CheckFrame(c, reply, sizeof reply, verify) == QORLINK_OK && reply[0] == kFrameLast) {
            if (WriteHandshakeByte(c, kAck) == -2) return QORLINK_USB_NOT_RESPONDING;
            *value = static_cast<int32_t>(ReadLe32(reply + kFrameHeader));
            return QORLINK_OK;
        }
        if (IsUsb(c)) return QORLINK_USB_NOT_RESPONDING;
        if (reply[0] == kDc1 || reply[0] == kNak) {  // the camera refused the request: resend
            --triesLeft;
            continue;
        }
        ++c.retryCount;
        c.lastResult = QORLINK_READ_ERROR;
        if (--triesLeft == 0) {
            // Give up on this reply; the value stays -1.
            if (CheckSessionEnd(c)) return QORLINK_SESSION_CLOSE;
            const int w = WriteHandshakeByte(c, kCan);
            return (w == 1 || w == -2) ? QORLINK_OK : QORLINK_SESSION_CLOSE;
        }
        if (CheckSessionEnd(c)) return QORLINK_SESSION_CLOSE;
        if (WriteHandshakeByte(c, kNak) == -1) return QORLINK_SESSION_CLOSE;
        r = ReadAnswer(c, reply, sizeof reply, kHandshakeUnits);
        resend = false;
    }
    return QORLINK_READ_ERROR;
}

int SendData(LinkConnection& c, const uint8_t* data, size_t length, int code, uint8_t cls,
             bool* delivered) {
    const bool large = c.bigBlocks == 1 && code == kCodeLoadData;
    const size_t block = large ? kLargeBlock : kSmallBlock;
    const uint8_t op = large ? kOpSendDataLarge : kOpSendData;
    auto payload = AllocateWiped(block);
    auto frame = AllocateWiped(block + kFrameOverhead);
    if (!payload || !frame) return OutOfMemory(c);
    c.txSequence = 0;

    // The first frame is the command frame: operation, code, then as much data as fits.
    size_t remaining = length;
    size_t chunk = std::min(remaining, block - 2);
    payload[0] = op;
    payload[1] = CodeByte(code);
    if (chunk > 0) std::memcpy(payload.get() + 2, data, chunk);
    size_t n = BuildFrame(frame.get(), kFrameCommand, cls, payload.get(), chunk + 2, !large);
    const uint8_t* next = data + chunk;
    for (;;) {
        const int r = SendDataFrame(c, frame.get(), n, delivered);
        if (r != QORLINK_OK) return r;
        remaining -= chunk;
        if (ReportLoadProgress(c, remaining, length) != QORLINK_OK) return QORLINK_USER_BREAK;
        if (remaining == 0) return QORLINK_OK;
        chunk = std::min(remaining, block);
        const uint8_t type = chunk == remaining ? kFrameLast : kFrameMore;
        n = BuildFrame(frame.get(), type, c.txSequence++, next, chunk, !large);
        next += chunk;
    }
}

int ReceiveData(LinkConnection& c, bool first, int code, uint8_t op, size_t expected, uint8_t* out,
                size_t capacity, size_t* length, bool* more, size_t* payloadLength) {
    const size_t frameSize = op == kOpGetDataLarge ? kLargeFrame : kSmallFrame;
    const bool verify = op != kOpGetDataLarge && ReplySumsVerified(c);
    auto frame = AllocateWiped(frameSize);
    if (!frame) return OutOfMemory(c);
    uint8_t request[kRequestFrame];
    BuildRequest(request, op, code);
    *length = 0;
    *more = false;

    // One try is a request (or a read of the next frame) and the camera's answer to it: every
    // failed write, missing answer, rejected frame or command frame in reply uses one up.
    int triesLeft = kFrameTries;
    bool sendRequest = first;
    if (first) {
        c.txSequence = 0;
        c.rxSequence = 0;
    } else if (WriteHandshakeByte(c, kAck) == -2) {  // acknowledge the previous frame
        return QORLINK_USB_NOT_RESPONDING;
    }
    for (;;) {
        if (sendRequest) {
            sendRequest = false;
            if (triesLeft <= 0) return QORLINK_READ_ERROR;
            PreSendDelay(c);
            if (CheckSessionEnd(c)) return QORLINK_SESSION_CLOSE;
            const int w = SendFrame(c, request, sizeof request);
            if (w != 1) {
                if (w == -2) return QORLINK_USB_NOT_RESPONDING;
                ++c.retryCount;
                c.lastResult = QORLINK_READ_ERROR;
                --triesLeft;
                sendRequest = true;
                continue;
            }
        }
        size_t got = 0;
        const int r = ReceiveFrame(c, frame.get(), frameSize, expected, kHandshakeUnits, &got);
        if (r > 0) {
            if (CheckFrame(c, frame.get(), static_cast<size_t>(r), verify) == QORLINK_OK) {
                const uint8_t type = frame[0];
                if (type == kFrameCommand) {
                    // The camera did not take the request as one: ask again.
                    --triesLeft;
                    sendRequest = true;
                    continue;
                }
                const size_t n = static_cast<size_t>(r) - kFrameOverhead;
                const size_t stored = std::min(n, capacity);
                if (stored > 0) std::memcpy(out, frame.get() + kFrameHeader, stored);
                *length = stored;
                *more = type == kFrameMore;
                if (payloadLength != nullptr) *payloadLength = n;
                if (type == kFrameLast && WriteHandshakeByte(c, kAck) == -2)
                    return QORLINK_USB_NOT_RESPONDING;
                ++c.rxSequence;
                return QORLINK_OK;
            }
            if (IsUsb(c)) return QORLINK_USB_NOT_RESPONDING;
        } else if (r != 0 && got > 0 && frame[0] == kSessionEnd) {
            c.state = LinkState::SessionLost;
            return QORLINK_SESSION_CLOSE;
        } else if (r == -2) {
            return QORLINK_USB_NOT_RESPONDING;
        } else {
            ++c.retryCount;
            c.lastResult = QORLINK_READ_ERROR;
            if (r == 0 && c.rxSequence == 0) {  // no answer to the request: send it again
                Drain(c);
                --triesLeft;
                sendRequest = true;
                continue;
            }
        }
        // A rejected or missing frame uses up a try: ask for it again, or give up on it.
        Drain(c);
        if (--triesLeft <= 0) {
            const int h = SendHandshake(c, kCan);
            if (h != QORLINK_OK) return h;
            sendRequest = true;  // no try is left, so this ends the exchange with 10
            continue;
        }
        const int h = SendHandshake(c, kNak);
        if (h != QORLINK_OK) return h;
    }
}

int ReceiveOne(LinkConnection& c, int code, size_t expected, uint8_t* out, size_t capacity,
               size_t* length) {
    bool more = false;
    size_t payload = 0;
    const int r =
        ReceiveData(c, true, code, kOpGetData, expected, out, capacity, length, &more, &payload);
    if (r == QORLINK_OK && more && payload == 0) return QORLINK_DC1_RESPONSE;
    return r;
}

}  // namespace qorlink
