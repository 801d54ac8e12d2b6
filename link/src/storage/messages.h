// The message sequences that carry protocol bytes inside vendor SCSI commands. They are the same
// for every storage mechanism; a mechanism supplies the channel that issues each command.
#pragma once

#include <cstddef>
#include <cstdint>

namespace qorlink {

struct OpcodeSet;

enum class CommandOutcome { Ok, Failed, DeviceError };

class MessageChannel {
  public:
    virtual ~MessageChannel() = default;
    // The 16 CDB bytes the next command sends; bytes other than the opcode and the transfer
    // length (the vendor flag in byte 12) are prepared when the device opens.
    virtual uint8_t* cdb() = 0;
    virtual void setTimeout(uint32_t seconds) = 0;
    virtual CommandOutcome in(uint8_t* buf, size_t n) = 0;
    virtual CommandOutcome out(const uint8_t* buf, size_t n) = 0;
};

// Announce, the written message (64-byte header, then the bytes), status. 1, -2 or -3.
int WriteMessage(MessageChannel& ch, const OpcodeSet& ops, const uint8_t* bytes, size_t n,
                 uint32_t timeoutSeconds);
// Announce, length query, the read message, status. Stores at most n protocol bytes in buf and
// returns their count; -2 on a failed command or an oversized message, -3 on a length shorter
// than a message header.
int ReadMessage(MessageChannel& ch, const OpcodeSet& ops, uint8_t* buf, size_t n,
                uint32_t timeoutSeconds);

}  // namespace qorlink
