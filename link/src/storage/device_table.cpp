#include "storage/device_table.h"

#include <cctype>

namespace qorlink {
namespace {

DeviceTable gTable;

struct Reservations {
    uint32_t mask = 0;
    std::array<std::string, kMaxDevices> names;           // name holding each slot
    std::array<const ScsiDevice*, kMaxDevices> owners{};  // open device holding each slot
};
Reservations gReserved;

// Drive roots keep their letter's bit: "E:\" and "e:" give 4.
int LetterSlot(const std::string& name) {
    if (name.size() < 2 || name.size() > 3 || name[1] != ':') return -1;
    if (name.size() == 3 && name[2] != '\\') return -1;
    const unsigned char letter = static_cast<unsigned char>(name[0]);
    if (!std::isalpha(letter)) return -1;
    const int slot = std::toupper(letter) - 'A';
    return slot < static_cast<int>(kMaxDevices) ? slot : -1;
}

int SlotOf(const std::string& name) {
    const int letter = LetterSlot(name);
    if (letter >= 0) return letter;
    for (size_t i = 0; i < kMaxDevices; ++i) {
        if ((gReserved.mask >> i & 1u) && gReserved.names[i] == name) return static_cast<int>(i);
    }
    return -1;
}

int FreeSlotFor(const std::string& name) {
    const int letter = LetterSlot(name);
    if (letter >= 0) return (gReserved.mask >> letter & 1u) ? -1 : letter;
    for (size_t i = 0; i < kMaxDevices; ++i) {
        if (!(gReserved.mask >> i & 1u)) return static_cast<int>(i);
    }
    return -1;
}

}  // namespace

bool DeviceTable::append(const std::string& name, uint16_t vendorId) {
    if (full()) return false;
    entries[count].name = name;
    entries[count].vendorId = vendorId;
    ++count;
    return true;
}

DeviceTable& deviceTable() {
    return gTable;
}

uint32_t inUseMask() {
    return gReserved.mask;
}

bool IsReserved(const std::string& name) {
    const int slot = SlotOf(name);
    return slot >= 0 && (gReserved.mask >> slot & 1u);
}

bool Reserve(const std::string& name, const ScsiDevice* owner) {
    if (IsReserved(name)) return false;
    const int slot = FreeSlotFor(name);
    if (slot < 0) return false;
    gReserved.mask |= 1u << slot;
    gReserved.names[slot] = name;
    gReserved.owners[slot] = owner;
    return true;
}

void Unreserve(const ScsiDevice* owner) {
    if (owner == nullptr) return;
    for (size_t i = 0; i < kMaxDevices; ++i) {
        if ((gReserved.mask >> i & 1u) && gReserved.owners[i] == owner) {
            gReserved.mask &= ~(1u << i);
            gReserved.names[i].clear();
            gReserved.owners[i] = nullptr;
        }
    }
}

void ResetDeviceTable() {
    gTable.clear();
    gReserved = Reservations{};
}

}  // namespace qorlink
