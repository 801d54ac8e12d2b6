// The camera vendors known to the USB storage transport: each row fixes the SCSI opcode set the
// camera's storage firmware answers, the vendor flag carried in CDB byte 12, whether the device
// wants a release command at close, and whether its replies carry sums worth checking.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace qorlink {

// Roles of the six opcodes of a set, used as indexes into OpcodeSet::op.
enum OpcodeRole : size_t {
    kOpAnnounce = 0,      // 16-byte data-out before every message
    kOpWriteMessage = 1,  // data-out: 64-byte header then protocol bytes
    kOpReadMessage = 2,   // data-in: 64-byte header then protocol bytes
    kOpStatus = 3,        // 14-byte data-in after every message
    kOpQueryLength = 4,   // 16-byte data-in: length of the pending message
    kOpRelease = 5,       // no data, sent at close by the rows that want it
};

struct OpcodeSet {
    int number;  // 1-7
    uint8_t op[6];
};

struct VendorRow {
    const char* rowName;
    uint16_t id;
    int32_t oemValues[2];      // 0 marks an unused slot
    const char* inquiryName;   // matched in name mode, or null
    const OpcodeSet* opcodes;  // null: the camera is recognised but cannot be opened
    bool vendorFlag;           // CDB byte 12 = 1
    bool releaseAtClose;
    bool verifyReplySums;
};

// The seven opcode sets, by number - 1.
extern const OpcodeSet kOpcodeSets[7];

// Every vendor row, VendorHome first.
std::span<const VendorRow> VendorTable();

// The row with identifier `id`, or null.
const VendorRow* FindVendorRow(uint16_t id);

// Chooses the row for a drive. With oemMode 0 the inquiry vendor field (bytes 8-15 of the
// INQUIRY data) decides: its first letter picks the name beginning with that letter, and the
// field must equal that name over the name's length, ignoring case. With an OEM value the
// inquiry data is not looked at and the value alone gives the row. Null when nothing matches.
const VendorRow* MatchVendor(std::string_view inquiryVendorField, int32_t oemMode);

}  // namespace qorlink
