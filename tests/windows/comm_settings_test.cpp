// The settings and time-outs COM ports are given, and what opening one checks.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>

#include "win32/comm_settings.h"
#include "win32/serial_win32.h"

namespace qorlink::win32 {
namespace {

// Settings a driver might report: 7E2 with every kind of flow control, stopping on errors.
DCB DriverLine() {
    DCB d{};
    d.DCBlength = sizeof d;
    d.BaudRate = 9600;
    d.ByteSize = 7;
    d.Parity = EVENPARITY;
    d.StopBits = TWOSTOPBITS;
    d.fParity = TRUE;
    d.fOutxCtsFlow = TRUE;
    d.fOutxDsrFlow = TRUE;
    d.fOutX = TRUE;
    d.fInX = TRUE;
    d.fAbortOnError = TRUE;
    d.fDtrControl = DTR_CONTROL_HANDSHAKE;
    d.fRtsControl = RTS_CONTROL_HANDSHAKE;
    d.XonLim = 123;
    d.XoffLim = 45;
    d.XonChar = 0x11;
    d.EvtChar = 0x7E;
    return d;
}

bool SameLine(const DCB& a, const DCB& b) {
    return std::memcmp(&a, &b, sizeof(DCB)) == 0;
}

TEST(CommSettings, RawLineIsEightNoneOneWithoutFlowControlAndKeepsTheDriversOtherSettings) {
    const DCB line = rawLine(DriverLine(), 19200);
    EXPECT_EQ(line.BaudRate, 19200u);
    EXPECT_EQ(line.ByteSize, 8);
    EXPECT_EQ(line.Parity, NOPARITY);
    EXPECT_EQ(line.StopBits, ONESTOPBIT);
    EXPECT_TRUE(line.fBinary);
    EXPECT_FALSE(line.fParity || line.fAbortOnError);
    EXPECT_FALSE(line.fOutxCtsFlow || line.fOutxDsrFlow || line.fOutX || line.fInX);
    EXPECT_EQ(line.fDtrControl, unsigned(DTR_CONTROL_ENABLE));
    EXPECT_EQ(line.fRtsControl, unsigned(RTS_CONTROL_ENABLE));
    EXPECT_EQ(line.XonLim, 123);
    EXPECT_EQ(line.XoffLim, 45);
    EXPECT_EQ(line.XonChar, 0x11);
    EXPECT_EQ(line.EvtChar, 0x7E);
}

TEST(CommSettings, FlowControlAndSpeedChangeOnlyTheirOwnFields) {
    DCB expected = DriverLine();
    expected.fOutxCtsFlow = expected.fOutxDsrFlow = expected.fOutX = expected.fInX = FALSE;
    EXPECT_TRUE(SameLine(withoutFlowControl(DriverLine()), expected));
    expected = DriverLine();
    expected.BaudRate = 115200;
    EXPECT_TRUE(SameLine(withBaud(DriverLine(), 115200), expected));
}

TEST(CommSettings, ReadsEndAtTheirCountOrTotalTimeAndAZeroTimeNeverWaits) {
    struct Case {
        uint32_t ms;
        DWORD interval, multiplier, constant;
    };
    // All-zero read time-outs would make a read wait until every byte asked for came.
    const Case cases[] = {{0, MAXDWORD, 0, 0}, {2, 0, 0, 2}, {1200, 0, 0, 1200}};
    const COMMTIMEOUTS before{7, 8, 9, kWriteMsPerByte, kWriteMsConstant};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.ms);
        const COMMTIMEOUTS t = withReadTimeout(before, c.ms);
        EXPECT_EQ(t.ReadIntervalTimeout, c.interval);
        EXPECT_EQ(t.ReadTotalTimeoutMultiplier, c.multiplier);
        EXPECT_EQ(t.ReadTotalTimeoutConstant, c.constant);
        EXPECT_EQ(t.WriteTotalTimeoutMultiplier, 100u);
        EXPECT_EQ(t.WriteTotalTimeoutConstant, 300u);
    }
    const COMMTIMEOUTS writes = withWriteTimeouts({7, 8, 9, 0, 0});
    EXPECT_TRUE(sameTimeouts(writes, before)) << "the read time-outs are kept";
}

TEST(ComPort, OnlyASerialDeviceOpens) {
    char folder[MAX_PATH + 1];
    char path[MAX_PATH + 1];
    ASSERT_NE(GetTempPathA(sizeof folder, folder), 0u);
    ASSERT_NE(GetTempFileNameA(folder, "orv", 0, path), 0u);
    EXPECT_EQ(openComPort(path), nullptr) << "a plain file is no COM port";
    DeleteFileA(path);
    EXPECT_EQ(openComPort("\\\\.\\NoSuchPort"), nullptr);
}

}  // namespace
}  // namespace qorlink::win32
