// Byte layouts of the USB storage transport: the vendor CDB, the announce block, the message
// headers, and the 80-byte pass-through block that records what each command hands the device.
#pragma once

#include <cstddef>
#include <cstdint>

#include "link_constants.h"

namespace qorlink {

inline constexpr size_t kCdbLength = 16;
inline constexpr size_t kAnnounceLength = 16;
inline constexpr size_t kMessageHeader = 64;     // in front of the protocol bytes of a message
inline constexpr uint8_t kMessageKindWrite = 2;  // byte 4 of a written message's header
inline constexpr size_t kStatusLength = 14;
inline constexpr size_t kLengthReplyLength = 16;
inline constexpr size_t kLengthReplyOffset = 12;  // little-endian 32-bit message length
// The longest message a camera may announce: a header and the largest frame. Anything longer is
// a broken or hostile device and is refused before a byte is allocated.
inline constexpr size_t kMaxMessage = kMessageHeader + kLargeFrame;

// Sent with the announce opcode before every message.
inline constexpr uint8_t kAnnounceBlock[kAnnounceLength] = {
    0x10, 0x00, 0x00, 0x00, 0x01, 0x00, 0xFF, 0x9F, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00};

// Vendor CDB fields.
inline constexpr size_t kCdbOpcode = 0;
inline constexpr size_t kCdbLun = 4;
inline constexpr size_t kCdbTransferLength = 6;  // bytes 6-9, big-endian
inline constexpr size_t kCdbVendorFlag = 12;

// INQUIRY as sent during discovery.
inline constexpr uint8_t kInquiryOpcode = 0x12;
inline constexpr size_t kInquiryLength = 36;
inline constexpr size_t kInquiryCdbLength = 12;
inline constexpr uint32_t kInquiryTimeoutSeconds = 90;
inline constexpr size_t kInquiryVendorOffset = 8;  // bytes 8-15: vendor identification
inline constexpr size_t kInquiryVendorLength = 8;

// Time-outs of the pass-through mechanism, seconds.
inline constexpr uint32_t kOpenTimeoutSeconds = 12;
inline constexpr uint32_t kWriteTimeoutSeconds = 2;

// The pass-through block: the fields of a direct SCSI pass-through request followed by sense
// space. Offsets of the fields inside the 80 bytes.
namespace passthrough {
inline constexpr size_t kLength = 0;  // 16-bit, always 44
inline constexpr size_t kScsiStatus = 2;
inline constexpr size_t kPathId = 3;
inline constexpr size_t kTargetId = 4;
inline constexpr size_t kLun = 5;
inline constexpr size_t kCdbLengthField = 6;
inline constexpr size_t kSenseLength = 7;
inline constexpr size_t kDataIn = 8;           // 1 data in, 0 data out
inline constexpr size_t kTransferLength = 12;  // 32-bit
inline constexpr size_t kTimeout = 16;         // 32-bit, seconds
inline constexpr size_t kDataBuffer = 20;      // handed to the device directly, kept 0 here
inline constexpr size_t kSenseOffset = 24;     // 32-bit, always 48
inline constexpr size_t kCdb = 28;             // 16 bytes
inline constexpr size_t kSense = 48;

inline constexpr uint16_t kRequestLength = 44;
inline constexpr uint8_t kTarget = 1;
inline constexpr uint8_t kSenseBytes = 24;
}  // namespace passthrough

inline void PutLe32(uint8_t* p, uint32_t v) {
    p[0] = static_cast<uint8_t>(v);
    p[1] = static_cast<uint8_t>(v >> 8);
    p[2] = static_cast<uint8_t>(v >> 16);
    p[3] = static_cast<uint8_t>(v >> 24);
}
inline uint32_t GetLe32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
           static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
}
inline void PutBe32(uint8_t* p, uint32_t v) {
    p[0] = static_cast<uint8_t>(v >> 24);
    p[1] = static_cast<uint8_t>(v >> 16);
    p[2] = static_cast<uint8_t>(v >> 8);
    p[3] = static_cast<uint8_t>(v);
}
inline uint32_t GetBe32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) << 24 | static_cast<uint32_t>(p[1]) << 16 |
           static_cast<uint32_t>(p[2]) << 8 | static_cast<uint32_t>(p[3]);
}

}  // namespace qorlink
