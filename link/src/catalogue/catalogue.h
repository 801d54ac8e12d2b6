// The command catalogue: every camera-facing export as one row of a table, so that an export's
// command code, builder, data size and reply handling are read in one place. The rows are in
// catalogue_table.h; the exported C functions (exports_catalogue.cpp) are one-line calls of the
// generic runners (runners.h) on their row.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace qorlink {

struct LinkConnection;

// The generic builder an export's main exchange uses (see builders.h).
enum class Builder : uint8_t { Set, Query, Send, Fetch, Execute };

// Where the byte count of a Send or Fetch comes from.
enum class Length : uint8_t {
    Fixed,          // the row's size
    Argument,       // the caller's len argument
    FirstWord,      // the first 32-bit word of the caller's record
    QueriedOr16,    // size-first: query sizeCode (abortable); a negative answer means 16
    QueriedOrFail,  // size-first: query sizeCode; a negative answer returns 1 before sending
    BatteryKind,    // USB read size 22 for kind 1, 20 for kind 2, 0 otherwise; row size bounds
};

// What is sent as the value of a Set or the parameter of an Execute.
enum class Value : uint8_t {
    Argument,  // the caller's argument
    Zero,      // always 0
    LowByte,   // the argument's low byte
};

// A first step run before the main exchange: a complete Set of the diagnostic parameter word.
enum class Chain : uint8_t {
    None,
    DiagWordArgument,   // the caller's second argument
    DiagWordFirstWord,  // the first 32-bit word of the caller's record
};

struct Command {
    std::string_view name;  // the exported function
    Builder builder;
    int code;
    uint32_t size;  // bytes of the record (Send/Fetch), or the time-out in ms (Execute)
    Length length = Length::Fixed;
    Value value = Value::Argument;
    Chain chain = Chain::None;
    bool abortable = false;  // Query: -2 when a session reopen cut the query short
    // Word record layout in reply order, empty for bytes passed unchanged: "w<n>" n 32-bit
    // little-endian words, "b<n>" an n-byte run, "h<n>" n 16-bit little-endian values.
    std::string_view layout = {};
    int sizeCode = 0;  // the size query of a size-first export

    // Row modifiers, so the table reads as one line per export.
    constexpr Command with(Length l, int queryCode = 0) const {
        Command c = *this;
        c.length = l;
        c.sizeCode = queryCode;
        return c;
    }
    constexpr Command with(Value v) const {
        Command c = *this;
        c.value = v;
        return c;
    }
    constexpr Command after(Chain first) const {
        Command c = *this;
        c.chain = first;
        return c;
    }
    constexpr Command words(std::string_view recordLayout) const {
        Command c = *this;
        c.layout = recordLayout;
        return c;
    }
    constexpr Command abortableQuery() const {
        Command c = *this;
        c.abortable = true;
        return c;
    }
};

// Every row of the catalogue.
std::span<const Command> Catalogue();
// The row of an export, or null.
const Command* FindCommand(std::string_view name);

// Largest size a size-first export accepts from the camera: what one reply frame carries.
inline constexpr int32_t kMaxQueriedSize = 2048;

}  // namespace qorlink
