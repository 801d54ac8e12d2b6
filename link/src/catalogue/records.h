// Word records: camera replies made of 32-bit and 16-bit little-endian values and byte runs,
// repacked into the caller's record in host order. Field offsets in the caller's record are
// the same as in the reply.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace qorlink {

// Bytes a layout occupies ("w7 b28 h1" → 58). 0 for a malformed layout.
size_t LayoutSize(std::string_view layout);
// Reply bytes (LayoutSize(layout) of them) → the caller's record.
void DecodeRecord(std::string_view layout, const uint8_t* wire, void* record);
// The caller's record → bytes to send.
void EncodeRecord(std::string_view layout, const void* record, uint8_t* wire);

}  // namespace qorlink
