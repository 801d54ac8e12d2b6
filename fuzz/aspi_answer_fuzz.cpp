// Fuzz target: what an ASPI execute request comes back with: the status the send returns, the
// adapter and target status, the 14 sense bytes and the request's own data. A command succeeds
// only on a complete request without an error anywhere, and only then does its data reach the
// caller.
//
// Input: the returned status (4 bytes, little-endian), adapter status, target status, a
// direction byte, a data length byte, 14 sense bytes, then the request's data.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "device_answers.h"
#include "scsi_sense.h"

using namespace qorlink;

namespace {

void Check(bool ok) {
    if (!ok) std::abort();
}

constexpr uint8_t kUntouched = 0xA5;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 8 + aspi::kSenseLength) return 0;
    const uint32_t returned = static_cast<uint32_t>(data[0]) | static_cast<uint32_t>(data[1]) << 8 |
                              static_cast<uint32_t>(data[2]) << 16 |
                              static_cast<uint32_t>(data[3]) << 24;
    const uint8_t status = aspi::ReturnedStatus(returned);
    // A returned value is a status the layer defines or an error, never something else.
    Check(returned <= 0xFF ? status == returned : status == aspi::kStatusError);

    const auto direction = static_cast<ScsiDirection>(data[6] % 3);
    const size_t length = data[7];
    const std::vector<uint8_t> sense(data + 8, data + 8 + aspi::kSenseLength);
    // The request's buffer always holds the command's length; the input fills what it can.
    std::vector<uint8_t> requestData(length, 0);
    const size_t given = std::min(length, size - 8 - aspi::kSenseLength);
    if (given > 0) std::memcpy(requestData.data(), data + 8 + aspi::kSenseLength, given);

    const AspiAnswer answer{status, data[4], data[5], sense.data(), requestData.data()};
    std::vector<uint8_t> caller(length, kUntouched);
    const bool ok = TakeAspiAnswer(answer, direction, caller.data(), length);

    if (ok) {
        Check(status == aspi::kStatusComplete && returned == aspi::kStatusComplete);
        Check(answer.adapterStatus == aspi::kAdapterStatusOk);
        Check(answer.targetStatus == kScsiStatusGood);
        Check(!SenseReportsError(sense.data(), sense.size()));
    }
    if (ok && direction == ScsiDirection::In) {
        Check(caller == requestData);
    } else {
        for (uint8_t b : caller)
            Check(b == kUntouched);
    }
    return 0;
}
