// How the Windows storage backends read what a finished request gives back: the status, adapter
// and target status and sense of an ASPI execute request, and the SCSI status, sense length and
// transfer count of a pass-through request. Only numbers and bytes here, so the reading is the
// same on every host and can be exercised where Windows is not.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform.h"

namespace qorlink {

inline constexpr uint8_t kScsiStatusGood = 0x00;

namespace aspi {

// Request statuses.
inline constexpr uint8_t kStatusPending = 0x00;
inline constexpr uint8_t kStatusComplete = 0x01;
inline constexpr uint8_t kStatusAborted = 0x02;
inline constexpr uint8_t kStatusError = 0x04;
inline constexpr uint8_t kStatusInvalidAdapter = 0x81;
inline constexpr uint8_t kStatusNoDevice = 0x82;

inline constexpr size_t kSenseLength = 14;
inline constexpr uint8_t kAdapterStatusOk = 0x00;

// The request status a send returned. Statuses are bytes: a value beyond a byte is none the layer
// defines and reads as an error, never as its low byte (0x101 would otherwise pass as complete).
uint8_t ReturnedStatus(uint32_t returned);

}  // namespace aspi

// A finished ASPI execute request.
struct AspiAnswer {
    uint8_t status = 0;  // the request's final status
    uint8_t adapterStatus = 0;
    uint8_t targetStatus = 0;
    const uint8_t* sense = nullptr;  // the request's sense space, aspi::kSenseLength bytes
    const uint8_t* data = nullptr;   // the request's own data buffer, as long as the command's
};

// Whether the request succeeded: complete, no adapter error, good target status and no sense data
// reporting an error. Only then does a data-in command's data go into `data` (`length` bytes);
// the caller's buffer is left as it was otherwise.
bool TakeAspiAnswer(const AspiAnswer& answer, ScsiDirection direction, uint8_t* data,
                    size_t length);

// A pass-through request as the driver wrote it back.
struct PassThroughAnswer {
    uint8_t scsiStatus = 0;
    uint8_t senseLength = 0;  // the sense bytes the driver says it wrote
    const uint8_t* sense = nullptr;
    size_t senseSpace = 0;     // the request's sense space
    uint32_t transferred = 0;  // the data length the driver reports
};

// Whether the command succeeded: good status and no sense data reporting an error, reading no
// more sense than the request's space holds. The data moved straight into the caller's buffer;
// what a data-in command did not deliver is cleared first.
bool TakePassThroughAnswer(const PassThroughAnswer& answer, ScsiDirection direction, uint8_t* data,
                           size_t length);

}  // namespace qorlink
