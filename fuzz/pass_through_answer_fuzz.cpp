// Fuzz target: a pass-through request as the driver writes it back: the SCSI status, the sense
// length it claims, the sense space and the data length it reports. The sense is read no further
// than its space, a command succeeds only on good status without error sense, and a data-in
// buffer keeps what was delivered and is cleared after it.
//
// Input: SCSI status, claimed sense length, sense space (0-24), a direction byte, a data length
// byte, the reported data length (4 bytes, little-endian), then the sense space's bytes.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <vector>

#include "device_answers.h"
#include "scsi_sense.h"

using namespace qorlink;

namespace {

void Check(bool ok) {
    if (!ok) std::abort();
}

constexpr size_t kSenseSpace = 24;  // the backend's sense space
constexpr uint8_t kEarlier = 0x5A;  // what the buffer held before the command

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 9) return 0;
    const size_t senseSpace = data[2] % (kSenseSpace + 1);
    const auto direction = static_cast<ScsiDirection>(data[3] % 3);
    const size_t length = data[4];
    const uint32_t transferred =
        static_cast<uint32_t>(data[5]) | static_cast<uint32_t>(data[6]) << 8 |
        static_cast<uint32_t>(data[7]) << 16 | static_cast<uint32_t>(data[8]) << 24;
    // Exactly the sense space, on the heap, so that a read past it is seen.
    std::unique_ptr<uint8_t[]> sense(new uint8_t[std::max<size_t>(senseSpace, 1)]());
    std::copy(data + 9, data + 9 + std::min(senseSpace, size - 9), sense.get());

    const PassThroughAnswer answer{data[0], data[1], sense.get(), senseSpace, transferred};
    std::vector<uint8_t> buffer(length, kEarlier);
    const bool ok = TakePassThroughAnswer(answer, direction, buffer.data(), length);

    const size_t readable = std::min<size_t>(answer.senseLength, senseSpace);
    Check(ok ==
          (answer.scsiStatus == kScsiStatusGood && !SenseReportsError(sense.get(), readable)));
    const size_t kept =
        direction == ScsiDirection::In ? std::min<size_t>(transferred, length) : length;
    for (size_t i = 0; i < length; ++i)
        Check(buffer[i] == (i < kept ? kEarlier : 0));
    return 0;
}
