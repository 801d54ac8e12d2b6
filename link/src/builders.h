// The five generic command builders every camera export is made of. Each ensures the session,
// marks the connection busy, runs one protocol exchange, reopens and repeats after the camera
// ended the session, and records the outcome.
#pragma once

#include <cstddef>
#include <cstdint>

namespace qorlink {

struct LinkConnection;

// Set value `value` for `code`. Result code.
int SetCommand(LinkConnection& c, int code, int32_t value);
// Query the value of `code`: the value, -1 on failure, -2 when `abortable` and a session reopen
// happened during the query.
int32_t QueryCommand(LinkConnection& c, int code, bool abortable);
// Send `length` bytes to `code`. Result code.
int SendCommand(LinkConnection& c, int code, const uint8_t* data, size_t length);
// Fetch one reply frame of `code` into `buffer`, which holds `capacity` bytes. `expected` is the
// USB read size. At most `capacity` bytes are written; `received` (when given) gets the number of
// payload bytes stored. Result code.
int FetchCommand(LinkConnection& c, int code, uint8_t* buffer, size_t capacity, size_t expected,
                 size_t* received = nullptr);
// Start execute command `code` with a one-byte parameter; on success the connection is
// Executing until `timeoutMs` have passed. Result code.
int ExecuteCommand(LinkConnection& c, int code, int parameter, uint32_t timeoutMs);

}  // namespace qorlink
