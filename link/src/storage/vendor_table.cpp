#include "storage/vendor_table.h"

#include <cctype>

#include "storage.h"

namespace qorlink {

const OpcodeSet kOpcodeSets[7] = {
    {1, {0xF0, 0xF1, 0xF2, 0xF3, 0xF4, 0xF5}}, {2, {0xC0, 0xC1, 0xC2, 0xC3, 0xC4, 0xC5}},
    {3, {0xD0, 0xD1, 0xD2, 0xD3, 0xD4, 0xD5}}, {4, {0xE0, 0xE1, 0xE2, 0xE3, 0xE4, 0xE5}},
    {5, {0xC8, 0xC9, 0xCA, 0xCB, 0xCC, 0xCD}}, {6, {0xD8, 0xD9, 0xDA, 0xDB, 0xDC, 0xDD}},
    {7, {0xE8, 0xE9, 0xEA, 0xEB, 0xEC, 0xED}},
};

namespace {

constexpr const OpcodeSet* Set(int n) {
    return &kOpcodeSets[n - 1];
}

// Identifiers are configuration data: distinct, non-zero (0 means "not yet known").
constexpr VendorRow kRows[] = {
    // row          id      OEM values                    inquiry name  set     flag   release sums
    {"VendorHome", kVendorHome, {0x5B000000, 0}, nullptr, Set(1), true, false, true},
    {"VendorR1", 0x0102, {0x5B000001, 0}, nullptr, Set(3), false, true, true},
    {"VendorR2", 0x0103, {0x5B000002, 0}, nullptr, Set(2), true, false, true},
    {"VendorR3", 0x0104, {0x5B000003, 0}, nullptr, Set(4), false, true, false},
    {"VendorR4", 0x0105, {0x5B000004, 0}, nullptr, Set(5), false, true, true},
    {"VendorR5", 0x0106, {0x5B000005, 0x5B00000C}, nullptr, Set(6), false, true, true},
    {"VendorR6", 0x0107, {0x5B000006, 0}, nullptr, nullptr, false, false, true},
    {"VendorR7", 0x0108, {0x5B000007, 0}, nullptr, Set(1), false, false, true},
    {"VendorR8", 0x0109, {0x5B000008, 0}, nullptr, Set(1), false, false, true},
    {"VendorR9", 0x010A, {0x5B000009, 0}, nullptr, Set(1), true, true, true},
    {"VendorR10", 0x010B, {0x5AFFFFFF, 0x5B00000A}, "Pelorin", Set(7), false, true, true},
    {"VendorR11", 0x010C, {0x5B00000B, 0}, "WESTRAND", nullptr, false, false, true},
    {"VendorR12", 0x010D, {0x5B00000D, 0}, "GORVAN", nullptr, false, false, true},
    {"VendorR13", 0x010E, {0x5B00000E, 0}, nullptr, nullptr, false, false, true},
    {"VendorR14", 0x010F, {0x5B00000F, 0}, nullptr, Set(1), false, true, true},
    {"VendorR15", 0x0110, {0x5B000011, 0}, nullptr, nullptr, false, false, true},
};

bool SameLetter(char a, char b) {
    return std::tolower(static_cast<unsigned char>(a)) ==
           std::tolower(static_cast<unsigned char>(b));
}

const VendorRow* MatchByName(std::string_view field) {
    if (field.empty()) return nullptr;
    for (const VendorRow& row : kRows) {
        if (row.inquiryName == nullptr || !SameLetter(row.inquiryName[0], field[0])) continue;
        // The first letter chose this name; the rest of it must follow.
        const std::string_view name(row.inquiryName);
        if (field.size() < name.size()) return nullptr;
        for (size_t i = 0; i < name.size(); ++i) {
            if (!SameLetter(name[i], field[i])) return nullptr;
        }
        return &row;
    }
    return nullptr;
}

const VendorRow* MatchByOem(int32_t oemMode) {
    for (const VendorRow& row : kRows) {
        for (int32_t value : row.oemValues) {
            if (value != 0 && value == oemMode) return &row;
        }
    }
    return nullptr;
}

}  // namespace

std::span<const VendorRow> VendorTable() {
    return kRows;
}

const VendorRow* FindVendorRow(uint16_t id) {
    for (const VendorRow& row : kRows) {
        if (row.id == id) return &row;
    }
    return nullptr;
}

const VendorRow* MatchVendor(std::string_view inquiryVendorField, int32_t oemMode) {
    return oemMode == 0 ? MatchByName(inquiryVendorField) : MatchByOem(oemMode);
}

}  // namespace qorlink
