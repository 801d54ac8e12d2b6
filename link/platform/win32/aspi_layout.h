// The ASPI for Win32 interface as wnaspi32.dll offers it: its two entry points, the request
// blocks they take (packed to single bytes, pointers at the width of the build) and the numbers
// in them. The request statuses, which the reading of an answer needs, are in device_answers.h.
#pragma once

#include <cstddef>
#include <cstdint>

#include "device_answers.h"
#include "win32/windows_api.h"

namespace qorlink::aspi {

inline constexpr char kLibrary[] = "wnaspi32.dll";
inline constexpr char kSupportInfoEntry[] = "GetASPI32SupportInfo";
inline constexpr char kSendCommandEntry[] = "SendASPI32Command";

// No arguments; bits 8-15 are a status, bits 0-7 the number of host adapters.
using SupportInfoFn = DWORD(__cdecl*)();
// Takes a request block and returns its status; an execute request with event notification
// returns kStatusPending and signals its event when done.
using SendCommandFn = DWORD(__cdecl*)(void* request);

inline constexpr uint8_t SupportStatus(DWORD info) {
    return static_cast<uint8_t>(info >> 8);
}
inline constexpr uint8_t AdapterCount(DWORD info) {
    return static_cast<uint8_t>(info);
}

// Request commands.
inline constexpr uint8_t kCommandAdapterInquiry = 0;
inline constexpr uint8_t kCommandDeviceType = 1;
inline constexpr uint8_t kCommandExecute = 2;
inline constexpr uint8_t kCommandAbort = 3;

// Flags of an execute request.
inline constexpr uint8_t kFlagDataIn = 0x08;
inline constexpr uint8_t kFlagDataOut = 0x10;
inline constexpr uint8_t kFlagEventNotify = 0x40;

inline constexpr uint8_t kTargets = 8;  // targets 0-7 on each adapter

#pragma pack(push, 1)

struct RequestHeader {
    uint8_t command;
    uint8_t status;
    uint8_t adapter;
    uint8_t flags;
    uint32_t reserved;
};

struct AdapterInquiry {
    RequestHeader header;
    uint8_t adapterCount;
    uint8_t adapterScsiId;
    char managerId[16];
    char adapterId[16];
    uint8_t adapterUnique[16];
    uint16_t reserved;
};

struct DeviceTypeRequest {
    RequestHeader header;
    uint8_t target;
    uint8_t lun;
    uint8_t deviceType;
    uint8_t reserved;
};

struct ExecuteRequest {
    RequestHeader header;
    uint8_t target;
    uint8_t lun;
    uint16_t reserved1;
    uint32_t bufferLength;
    uint8_t* buffer;
    uint8_t senseLength;
    uint8_t cdbLength;
    uint8_t adapterStatus;
    uint8_t targetStatus;
    HANDLE postEvent;
    uint8_t reserved2[20];
    uint8_t cdb[16];
    uint8_t sense[kSenseLength + 2];
};

struct AbortRequest {
    RequestHeader header;
    void* request;  // the execute request to abort
};

#pragma pack(pop)

#if defined(_WIN32) && !defined(_WIN64)
static_assert(sizeof(ExecuteRequest) == 80);
static_assert(offsetof(ExecuteRequest, cdb) == 48);
#endif

}  // namespace qorlink::aspi
