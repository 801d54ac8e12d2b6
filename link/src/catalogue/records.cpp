#include "catalogue/records.h"

#include <cstring>

namespace qorlink {
namespace {

struct Segment {
    char kind = 0;  // 'w', 'b' or 'h'
    size_t count = 0;
};

size_t unitSize(char kind) {
    switch (kind) {
        case 'w':
            return 4;
        case 'h':
            return 2;
        case 'b':
            return 1;
        default:
            return 0;
    }
}

// Calls fn(segment) for each segment; false on a malformed layout.
template <typename Fn>
bool forEachSegment(std::string_view layout, Fn&& fn) {
    size_t i = 0;
    while (i < layout.size()) {
        if (layout[i] == ' ') {
            ++i;
            continue;
        }
        Segment s{layout[i++], 0};
        if (unitSize(s.kind) == 0) return false;
        bool digits = false;
        while (i < layout.size() && layout[i] >= '0' && layout[i] <= '9') {
            s.count = s.count * 10 + static_cast<size_t>(layout[i++] - '0');
            digits = true;
        }
        if (!digits) return false;
        fn(s);
    }
    return true;
}

}  // namespace

size_t LayoutSize(std::string_view layout) {
    size_t total = 0;
    if (!forEachSegment(layout, [&](const Segment& s) { total += s.count * unitSize(s.kind); }))
        return 0;
    return total;
}

void DecodeRecord(std::string_view layout, const uint8_t* wire, void* record) {
    auto* out = static_cast<uint8_t*>(record);
    forEachSegment(layout, [&](const Segment& s) {
        for (size_t k = 0; k < s.count; ++k) {
            if (s.kind == 'w') {
                const uint32_t v = uint32_t{wire[0]} | uint32_t{wire[1]} << 8 |
                                   uint32_t{wire[2]} << 16 | uint32_t{wire[3]} << 24;
                std::memcpy(out, &v, 4);
            } else if (s.kind == 'h') {
                const uint16_t v = static_cast<uint16_t>(wire[0] | wire[1] << 8);
                std::memcpy(out, &v, 2);
            } else {
                *out = *wire;
            }
            wire += unitSize(s.kind);
            out += unitSize(s.kind);
        }
    });
}

void EncodeRecord(std::string_view layout, const void* record, uint8_t* wire) {
    const auto* in = static_cast<const uint8_t*>(record);
    forEachSegment(layout, [&](const Segment& s) {
        for (size_t k = 0; k < s.count; ++k) {
            if (s.kind == 'w') {
                uint32_t v;
                std::memcpy(&v, in, 4);
                for (int b = 0; b < 4; ++b)
                    wire[b] = static_cast<uint8_t>(v >> (8 * b));
            } else if (s.kind == 'h') {
                uint16_t v;
                std::memcpy(&v, in, 2);
                wire[0] = static_cast<uint8_t>(v);
                wire[1] = static_cast<uint8_t>(v >> 8);
            } else {
                *wire = *in;
            }
            wire += unitSize(s.kind);
            in += unitSize(s.kind);
        }
    });
}

}  // namespace qorlink
