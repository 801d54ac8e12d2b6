#include "storage/messages.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <vector>

#include "secure_wipe.h"
#include "storage/scsi_layout.h"
#include "storage/vendor_table.h"

namespace qorlink {
namespace {

// A message holds a frame, which may carry a key record.
using WipedBytes = std::vector<uint8_t, WipingAllocator<uint8_t>>;

int Code(CommandOutcome o) {
    return o == CommandOutcome::DeviceError ? -3 : -2;
}

void Prepare(MessageChannel& ch, const OpcodeSet& ops, OpcodeRole role, size_t length) {
    uint8_t* cdb = ch.cdb();
    cdb[kCdbOpcode] = ops.op[role];
    PutBe32(cdb + kCdbTransferLength, static_cast<uint32_t>(length));
}

CommandOutcome Out(MessageChannel& ch, const OpcodeSet& ops, OpcodeRole role, const uint8_t* data,
                   size_t n) {
    Prepare(ch, ops, role, n);
    return ch.out(data, n);
}

CommandOutcome In(MessageChannel& ch, const OpcodeSet& ops, OpcodeRole role, uint8_t* data,
                  size_t n) {
    Prepare(ch, ops, role, n);
    return ch.in(data, n);
}

}  // namespace

int WriteMessage(MessageChannel& ch, const OpcodeSet& ops, const uint8_t* bytes, size_t n,
                 uint32_t timeoutSeconds) {
    // The protocol never writes more than one frame; anything longer is a caller's mistake.
    if (n > kLargeFrame) return -2;
    ch.setTimeout(timeoutSeconds);

    CommandOutcome o = Out(ch, ops, kOpAnnounce, kAnnounceBlock, kAnnounceLength);
    if (o != CommandOutcome::Ok) return Code(o);

    WipedBytes message;
    try {
        message.assign(kMessageHeader + n, 0);
    } catch (const std::bad_alloc&) {
        return -2;
    }
    PutLe32(message.data(), static_cast<uint32_t>(message.size()));
    message[4] = kMessageKindWrite;
    if (n > 0) std::memcpy(message.data() + kMessageHeader, bytes, n);
    o = Out(ch, ops, kOpWriteMessage, message.data(), message.size());
    if (o != CommandOutcome::Ok) return Code(o);

    uint8_t status[kStatusLength] = {};  // the camera's status is not examined
    o = In(ch, ops, kOpStatus, status, sizeof status);
    if (o != CommandOutcome::Ok) return Code(o);
    return 1;
}

int ReadMessage(MessageChannel& ch, const OpcodeSet& ops, uint8_t* buf, size_t n,
                uint32_t timeoutSeconds) {
    ch.setTimeout(timeoutSeconds);

    CommandOutcome o = Out(ch, ops, kOpAnnounce, kAnnounceBlock, kAnnounceLength);
    if (o != CommandOutcome::Ok) return Code(o);

    uint8_t reply[kLengthReplyLength] = {};
    o = In(ch, ops, kOpQueryLength, reply, sizeof reply);
    if (o != CommandOutcome::Ok) return Code(o);

    // The length comes from the device: bound it before it sizes anything. One byte short of
    // the header still reads as a message without protocol bytes (-1); shorter is a fault.
    const size_t length = GetLe32(reply + kLengthReplyOffset);
    if (length + 1 < kMessageHeader) return -3;
    if (length > kMaxMessage) return -2;
    const int available = static_cast<int>(length) - static_cast<int>(kMessageHeader);

    WipedBytes message;
    try {
        message.assign(length, 0);
    } catch (const std::bad_alloc&) {
        return -2;
    }
    o = In(ch, ops, kOpReadMessage, message.data(), message.size());
    if (o != CommandOutcome::Ok) return Code(o);
    const size_t count = available > 0 ? std::min(n, static_cast<size_t>(available)) : 0;
    if (count > 0) std::memcpy(buf, message.data() + kMessageHeader, count);

    uint8_t status[kStatusLength] = {};
    o = In(ch, ops, kOpStatus, status, sizeof status);
    if (o != CommandOutcome::Ok) return Code(o);
    // The device's own length, so that a caller sees a message longer than it asked for.
    return available;
}

}  // namespace qorlink
