// Fuzz target: what a drive reports about itself and about each command: the vendor field of its
// INQUIRY answer matched against the vendor rows (with or without an OEM value), and the SCSI
// status, host and driver status and sense bytes of a finished command.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string_view>

#include "posix/scsi_linux.h"
#include "storage/vendor_table.h"

namespace {

void Check(bool ok) {
    if (!ok) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 8) return 0;
    // Vendor field: up to 16 bytes after a length byte; OEM value from the next 4.
    const size_t fieldLength = std::min<size_t>(data[0] % 17, size - 1);
    const std::string_view field(reinterpret_cast<const char*>(data + 1), fieldLength);
    size_t pos = 1 + fieldLength;
    int32_t oem = 0;
    if (size - pos >= 4) {
        std::memcpy(&oem, data + pos, 4);
        pos += 4;
    }
    const qorlink::VendorRow* row = qorlink::MatchVendor(field, oem);
    if (row != nullptr) Check(qorlink::FindVendorRow(row->id) == row);

    // Command outcome: status, host and driver status, then the sense bytes.
    if (size - pos < 5) return 0;
    const uint8_t status = data[pos];
    const uint16_t host = static_cast<uint16_t>(data[pos + 1] | data[pos + 2] << 8);
    const uint16_t driver = static_cast<uint16_t>(data[pos + 3] | data[pos + 4] << 8);
    pos += 5;
    const bool ok =
        qorlink::linuxscsi::commandSucceeded(status, host, driver, data + pos, size - pos);
    if (ok) Check(status == 0 && host == 0);
    return 0;
}
