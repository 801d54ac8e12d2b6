// Fixed numbers of the camera link: handshake bytes, frame layout, time-outs and the serial speed
// table. Every other file takes them from here. The result codes are QorlinkResult (qorlink.h),
// included here for every file that uses them.
#pragma once

#include <cstddef>
#include <cstdint>

#include "qorlink.h"

namespace qorlink {

// Single handshake bytes, sent unframed.
inline constexpr uint8_t kAck = 0x06;
inline constexpr uint8_t kEnq = 0x05;
inline constexpr uint8_t kDc1 = 0x11;
inline constexpr uint8_t kNak = 0x15;
inline constexpr uint8_t kCan = 0x18;
inline constexpr uint8_t kSessionEnd = 0xFF;
inline constexpr uint8_t kProbe = 0x00;

// Frame types (byte 0) and command classes (byte 1 of a command frame).
inline constexpr uint8_t kFrameCommand = 0x1B;
inline constexpr uint8_t kFrameMore = 2;
inline constexpr uint8_t kFrameLast = 3;
inline constexpr uint8_t kClassLow = 0x43;      // codes 0-255
inline constexpr uint8_t kClassHigh = 0x44;     // codes 256-511, code byte = code - 256
inline constexpr uint8_t kClassSession = 0x53;  // the session command keeps this class

// Command operations (first payload byte).
enum Operation : uint8_t {
    kOpSetValue = 0,
    kOpGetValue = 1,
    kOpExecute = 2,
    kOpSendData = 3,
    kOpGetData = 4,
    kOpSendDataLarge = 5,
    kOpGetDataLarge = 6,
};

// Frame geometry.
inline constexpr size_t kFrameHeader = 4;
inline constexpr size_t kFrameOverhead = 6;  // header and trailing sum
inline constexpr size_t kSmallBlock = 2048;
inline constexpr size_t kLargeBlock = 32768;
inline constexpr size_t kSmallFrame = kSmallBlock + kFrameOverhead;
inline constexpr size_t kLargeFrame = kLargeBlock + kFrameOverhead;
inline constexpr size_t kValueReplyLength = 10;
inline constexpr uint16_t kNoSum = 0xFFFF;

// Command codes the link layer itself uses.
inline constexpr int kCodeSession = 17;
inline constexpr int kCodeReadiness = 18;
inline constexpr int kCodeLoadData = 29;
inline constexpr int kCodeDiagBuffer = 31;
inline constexpr int kCodeDiagWord = 32;
inline constexpr int kCodeConnectionState = 260;

// Time-outs in protocol units (10 ms on the serial line, seconds on USB).
inline constexpr int kHandshakeUnits = 1200;
inline constexpr int kSessionEndUnits = 2;
inline constexpr int kDrainUnits = 1;

// Waits in milliseconds.
inline constexpr uint32_t kSerialPreSendDelayMs = 50;
inline constexpr uint32_t kUsbPreSendDelayMs = 10;
inline constexpr uint32_t kBusyPollMs = 50;
inline constexpr uint32_t kSessionSettleMs = 50;

// Retry limits.
inline constexpr int kFrameTries = 4;
inline constexpr int kProbeLimit = 4;
inline constexpr int kOpenAttempts = 3;
inline constexpr int kReopenLimit = 4;

// Ports.
inline constexpr int kNoPort = -1;
inline constexpr int kUsbPort = 160;
inline constexpr int kFirstScanPort = 1;
inline constexpr int kLastScanPort = 2;
inline constexpr int kMaxSerialPort = 9;
inline constexpr int32_t kFirstOemValue = 0x5AFFFFFF;
inline constexpr int kProbeBaud = 19200;

// Baud rate by speed index; slot 0 is the default used while no speed is set.
inline constexpr int kSpeedTable[] = {19200, 9600, 19200, 38400, 57600, 115200, 230400};
inline constexpr int kMinSpeedIndex = 1;
inline constexpr int kMaxSpeedIndex = 6;
inline constexpr int kUsbSpeedIndex = 2;

}  // namespace qorlink
