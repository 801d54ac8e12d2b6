// Frames of the camera link: type, class or sequence, length (LE16), payload, sum (LE16).
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace camsim {

inline constexpr uint8_t kFrameCommand = 0x1B;
inline constexpr uint8_t kFrameMore = 2;
inline constexpr uint8_t kFrameLast = 3;

inline constexpr uint8_t kClassLow = 0x43;      // codes 0-255
inline constexpr uint8_t kClassHigh = 0x44;     // codes 256-511, code byte = code - 256
inline constexpr uint8_t kClassSession = 0x53;  // the session command

inline constexpr size_t kFrameHeader = 4;
inline constexpr size_t kFrameOverhead = 6;
inline constexpr size_t kSmallBlock = 2048;
inline constexpr size_t kLargeBlock = 32768;
inline constexpr uint16_t kNoSum = 0xFFFF;

// Command operations (first payload byte of a command frame).
enum Op : int {
    kOpSetValue = 0,
    kOpGetValue = 1,
    kOpExecute = 2,
    kOpSendData = 3,
    kOpGetData = 4,
    kOpSendDataLarge = 5,
    kOpGetDataLarge = 6,
};

// Command codes with a meaning of their own to the camera.
inline constexpr int kCodeSession = 17;
inline constexpr int kCodeReadiness = 18;
inline constexpr int kCodeFirmwareVersion = 26;
inline constexpr int kCodeTypeText = 27;
inline constexpr int kCodeLcdType = 166;
inline constexpr int kCodeConnectionState = 260;

// Wrap-around 16-bit sum of the bytes.
uint16_t payloadSum(const uint8_t* data, size_t n);

// A whole frame. `summed` false puts 0xFFFF in the sum field.
std::vector<uint8_t> buildFrame(uint8_t type, uint8_t second, const std::vector<uint8_t>& payload,
                                bool summed = true);

// Command class for a code: 0x43 below 256, 0x44 from 256.
uint8_t classForCode(int code);

// Host-side command frames, as the link library sends them (for tests and tools).
std::vector<uint8_t> setValueFrame(int code, int32_t value, uint8_t cls = 0);
std::vector<uint8_t> getValueFrame(int code);
std::vector<uint8_t> executeFrame(int code, uint8_t parameter);
std::vector<uint8_t> getDataFrame(int code, int op = kOpGetData);
std::vector<uint8_t> sessionFrame(int32_t speedIndex);

}  // namespace camsim
