// The scripting hook of the stand-in ASPI layer (wnaspi32.dll from plugins/aspi). A program that
// loads the layer installs a bus: the adapters and targets present, and a function that answers
// each execute request in place of a device.
#pragma once

#include <cstdint>

namespace aspi_stand_in {

// How the bus answers an execute request.
enum Answer : int {
    kHold = 0,      // no completion until the request is aborted
    kComplete = 1,  // completes with the result's statuses and sense
    kError = 4,     // completes with the error status and the result's statuses and sense
};

// One execute request as the layer received it.
struct Command {
    uint8_t adapter;
    uint8_t target;
    uint8_t lun;
    uint8_t flags;
    uint8_t senseLength;
    uint8_t cdbLength;
    const uint8_t* cdb;
    uint8_t* data;  // the request's buffer: written for data in, read for data out
    uint32_t length;
};

struct Result {
    uint8_t adapterStatus;
    uint8_t targetStatus;
    uint8_t sense[14];  // copied into the request's sense area, up to its sense length
};

constexpr int kMaxAdapters = 8;

struct Bus {
    uint8_t supportStatus;          // status GetASPI32SupportInfo reports (1: ready)
    uint8_t adapters;               // host adapters, at most kMaxAdapters
    uint8_t targets[kMaxAdapters];  // per adapter: bit t set when target t has a device at LUN 0
    bool keepAborted;               // an abort leaves the held request held
    Answer (*execute)(void* user, const Command& command, Result* result);
    void* user;
};

// Exported entry points of the hook.
using InstallFn = void (*)(const Bus* bus);  // copies the bus; null removes it
using AbortCountFn = int (*)();              // abort requests received since the install
inline constexpr char kInstallEntry[] = "AspiStandInInstall";
inline constexpr char kAbortCountEntry[] = "AspiStandInAborts";

}  // namespace aspi_stand_in
