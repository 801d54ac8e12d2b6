// The generic runners the catalogue exports call on their row (see catalogue.h). Each returns
// 22 while no connection object exists, and otherwise what the row's exchange returns.
#pragma once

#include <cstdint>

#include "catalogue/catalogue.h"

namespace qorlink {

// A query of the row's code: the value, -1 on failure (-2 for an abortable query cut short).
int32_t RunQuery(const Command& cmd);
// A set of the row's code with `v` (or the value the row prescribes).
int32_t RunSet(const Command& cmd, int32_t v = 0);
// An execute of the row's code with parameter `p` (or the value the row prescribes). The
// parameter travels as one byte: outside 0-255 the call returns 2 and sends nothing.
int32_t RunExecute(const Command& cmd, int32_t p = 0);
// A send of the caller's record; `len` is the caller's length where the row takes it.
int32_t RunSend(const Command& cmd, const void* buf, int32_t len = 0);
// A fetch into the caller's record; `argument` is the caller's length, kind or selector, as the
// row says.
int32_t RunFetch(const Command& cmd, void* buf, int32_t argument = 0);
// Cam_control_lcd on its row: display commands 3, 5 and 6 first set their value `v` with code
// 40, then `command` is executed; a command outside 0-255 returns 2 and sends nothing.
int32_t RunControlLcd(const Command& cmd, int32_t command, int32_t v);

}  // namespace qorlink
