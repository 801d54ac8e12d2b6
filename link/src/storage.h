// The USB storage transport as the rest of the library sees it: a camera presented as a
// removable drive, spoken to with vendor SCSI commands that carry the link protocol's bytes.
#pragma once

#include <cstddef>
#include <cstdint>

namespace qorlink {

struct LinkConnection;

// 160 while a USB storage device is open, otherwise -1. A serial port opens only while it is -1.
extern int openPortMarker;

// Picks the storage mechanism for this process (called once when the library loads).
void SelectStorageTransport();

// Opens the first free matching camera drive for `c` (its oemMode chooses the vendor row).
// Returns 160 or -1.
int OpenStorage(LinkConnection& c);
// Closes the device, sending the release command for the rows that have one. Returns 1.
int CloseStorage(LinkConnection& c);
// Writes n protocol bytes inside one message. 1, -2 (SCSI failure) or -3 (device error).
int StorageWrite(LinkConnection& c, const uint8_t* bytes, size_t n);
// Reads at most n protocol bytes; t is the time-out in seconds. Returns the count (bounded by
// n), -2 or -3.
int StorageRead(LinkConnection& c, uint8_t* buf, size_t n, int t);
// True when the open device's vendor row skips reply sums on USB.
bool StorageSkipsReplySums(const LinkConnection& c);

}  // namespace qorlink
