#include "win32/comm_settings.h"

namespace qorlink::win32 {

DCB rawLine(DCB driver, int baud) {
    DCB line = withBaud(driver, baud);
    line.DCBlength = sizeof(DCB);
    line.ByteSize = 8;
    line.Parity = NOPARITY;
    line.StopBits = ONESTOPBIT;
    line.fBinary = TRUE;
    line.fParity = FALSE;
    line.fErrorChar = FALSE;
    line.fNull = FALSE;
    line.fAbortOnError = FALSE;  // a framing error must not fail every later read
    line.fDsrSensitivity = FALSE;
    line.fDtrControl = DTR_CONTROL_ENABLE;
    line.fRtsControl = RTS_CONTROL_ENABLE;
    return withoutFlowControl(line);
}

DCB withoutFlowControl(DCB line) {
    line.fOutxCtsFlow = FALSE;
    line.fOutxDsrFlow = FALSE;
    line.fOutX = FALSE;
    line.fInX = FALSE;
    return line;
}

DCB withBaud(DCB line, int baud) {
    line.BaudRate = static_cast<DWORD>(baud);
    return line;
}

COMMTIMEOUTS withWriteTimeouts(COMMTIMEOUTS t) {
    t.WriteTotalTimeoutMultiplier = kWriteMsPerByte;
    t.WriteTotalTimeoutConstant = kWriteMsConstant;
    return t;
}

COMMTIMEOUTS withReadTimeout(COMMTIMEOUTS t, uint32_t ms) {
    t.ReadIntervalTimeout = ms == 0 ? MAXDWORD : 0;
    t.ReadTotalTimeoutMultiplier = 0;
    t.ReadTotalTimeoutConstant = ms;
    return t;
}

bool sameTimeouts(const COMMTIMEOUTS& a, const COMMTIMEOUTS& b) {
    return a.ReadIntervalTimeout == b.ReadIntervalTimeout &&
           a.ReadTotalTimeoutMultiplier == b.ReadTotalTimeoutMultiplier &&
           a.ReadTotalTimeoutConstant == b.ReadTotalTimeoutConstant &&
           a.WriteTotalTimeoutMultiplier == b.WriteTotalTimeoutMultiplier &&
           a.WriteTotalTimeoutConstant == b.WriteTotalTimeoutConstant;
}

}  // namespace qorlink::win32
