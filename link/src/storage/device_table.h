// The process-wide table of camera drives found by the last discovery, and the reservations
// that keep one drive from being opened by two connections at once.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace qorlink {

class ScsiDevice;

inline constexpr size_t kMaxDevices = 32;

struct DeviceEntry {
    std::string name;  // drive root or device node, as the platform lists it
    uint16_t vendorId = 0;
};

// Rebuilt by every discovery. Matching drives beyond the 32nd are ignored.
struct DeviceTable {
    size_t count = 0;
    std::array<DeviceEntry, kMaxDevices> entries;

    void clear() { count = 0; }
    bool full() const { return count == kMaxDevices; }
    // False (and nothing stored) when the table is full.
    bool append(const std::string& name, uint16_t vendorId);
};

DeviceTable& deviceTable();

// A 32-bit mask of reserved drives. A drive root ("E:\") keeps the bit of its letter; other
// names get a slot that stays theirs while reserved, so the bit survives table rebuilds.
uint32_t inUseMask();
bool IsReserved(const std::string& name);
// Reserves `name` for the open device `owner`. False when it is reserved already or no slot is
// free.
bool Reserve(const std::string& name, const ScsiDevice* owner);
// Frees the reservation held by `owner`, if any.
void Unreserve(const ScsiDevice* owner);

// Forgets every table entry and reservation (library reset and tests).
void ResetDeviceTable();

}  // namespace qorlink
