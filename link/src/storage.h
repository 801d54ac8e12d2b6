// The USB storage transport as the rest of the library sees it: a camera presented as a
// removable drive, spoken to with vendor SCSI commands that carry the link protocol's bytes.
#pragma once

#include <cstddef>
#include <cstdint>

namespace qorlink {

struct LinkConnection;

// Vendor identity of the camera maker's own cameras; a serial session assumes it.
inline constexpr uint16_t kVendorHome = 0x0101;

// 160 while a USB storage device is open, otherwise -1. A serial port opens only while it is -1.
extern int openPortMarker;

// Picks the storage mechanism for this process (called once when the library loads).
void SelectStorageTransport();

// The operations of one storage mechanism, in their fixed order. Null for the None kind.
struct StorageOperations {
    int (*openStorage)(LinkConnection& c);
    int (*discoverDevices)(LinkConnection& c);
    int (*closeStorage)(LinkConnection& c);
    int (*storageRead)(LinkConnection& c, uint8_t* buf, size_t n, int t);
    int (*storageWrite)(LinkConnection& c, const uint8_t* bytes, size_t n);
    int (*scsiIn)(LinkConnection& c, uint8_t* buf, size_t n);
    int (*scsiOut)(LinkConnection& c, const uint8_t* buf, size_t n);
};
const StorageOperations* storageOperations();

// Opens the first free matching camera drive for `c` (its oemMode chooses the vendor row).
// Returns 160 or -1.
int OpenStorage(LinkConnection& c);
// Rebuilds the device table from the removable drives present now. 0, or -1 when none matches.
int DiscoverDevices(LinkConnection& c);
// Closes the device, sending the release command for the rows that have one. Returns 1.
int CloseStorage(LinkConnection& c);
// Writes n protocol bytes inside one message. 1, -2 (SCSI failure) or -3 (device error).
int StorageWrite(LinkConnection& c, const uint8_t* bytes, size_t n);
// Reads at most n protocol bytes; t is the time-out in seconds. Returns the count stored in buf
// (never more than n; 0 when the camera has nothing to say), -2 on a failed command or a message
// longer than any frame, -3 when the device reports a length shorter than a message header.
int StorageRead(LinkConnection& c, uint8_t* buf, size_t n, int t);
// One data-in or data-out command with the CDB currently prepared for `c`. 1 on success.
int ScsiIn(LinkConnection& c, uint8_t* buf, size_t n);
int ScsiOut(LinkConnection& c, const uint8_t* buf, size_t n);
// True when the open device's vendor row skips reply sums on USB.
bool StorageSkipsReplySums(const LinkConnection& c);

}  // namespace qorlink
