// The line settings and time-outs a COM port is given, worked out apart from any port.
#pragma once

#include <windows.h>

#include <cstdint>

namespace qorlink::win32 {

// Write time-out: this much per byte plus a constant.
inline constexpr DWORD kWriteMsPerByte = 100;
inline constexpr DWORD kWriteMsConstant = 300;
// Driver queue sizes, receive and transmit.
inline constexpr DWORD kQueueBytes = 4096;

// `driver` (the settings the port reported) made a raw 8N1 line at `baud` in binary mode, with
// DTR and RTS raised, no flow control and no stop on line errors; every other field is kept.
DCB rawLine(DCB driver, int baud);
// `line` with CTS and DSR output flow control and XON/XOFF in both directions cleared.
DCB withoutFlowControl(DCB line);
DCB withBaud(DCB line, int baud);

// `t` with the write time-outs set and the read time-outs kept.
COMMTIMEOUTS withWriteTimeouts(COMMTIMEOUTS t);
// `t` with read time-outs under which a read ends once all the bytes asked for are in or `ms`
// have passed in total; for 0, at once with whatever is waiting (all-zero read time-outs would
// wait without end). The write time-outs are kept.
COMMTIMEOUTS withReadTimeout(COMMTIMEOUTS t, uint32_t ms);
bool sameTimeouts(const COMMTIMEOUTS& a, const COMMTIMEOUTS& b);

}  // namespace qorlink::win32
