#include "device_answers.h"

#include <algorithm>
#include <cstring>

#include "scsi_sense.h"

namespace qorlink {

uint8_t aspi::ReturnedStatus(uint32_t returned) {
    return returned <= 0xFF ? static_cast<uint8_t>(returned) : kStatusError;
}

bool TakeAspiAnswer(const AspiAnswer& answer, ScsiDirection direction, uint8_t* data,
                    size_t length) {
    if (answer.status != aspi::kStatusComplete) return false;
    if (answer.adapterStatus != aspi::kAdapterStatusOk || answer.targetStatus != kScsiStatusGood)
        return false;
    if (SenseReportsError(answer.sense, aspi::kSenseLength)) return false;
    if (direction == ScsiDirection::In && length > 0) std::memcpy(data, answer.data, length);
    return true;
}

bool TakePassThroughAnswer(const PassThroughAnswer& answer, ScsiDirection direction, uint8_t* data,
                           size_t length) {
    if (direction == ScsiDirection::In && length > 0)
        ClearUndelivered(data, length, answer.transferred);
    if (answer.scsiStatus != kScsiStatusGood) return false;
    const size_t senseLength = std::min<size_t>(answer.senseLength, answer.senseSpace);
    return !SenseReportsError(answer.sense, senseLength);
}

}  // namespace qorlink
