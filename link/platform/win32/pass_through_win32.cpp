#include "win32/pass_through_win32.h"

#include <ntddscsi.h>

#include <cstddef>
#include <cstring>

#include "device_answers.h"
#include "win32/scsi_command_win32.h"
#include "win32/storage_constants_win32.h"

namespace qorlink::win32 {
namespace {

static_assert(kIoctlScsiPassThroughDirect == IOCTL_SCSI_PASS_THROUGH_DIRECT);

// The request as the driver reads and rewrites it. The filler keeps the sense space where the
// driver's 32-bit form has it (offset 48).
struct PassThroughRequest {
    SCSI_PASS_THROUGH_DIRECT header;
    ULONG filler;
    UCHAR sense[kPassThroughSenseBytes];
};

#if defined(_WIN32) && !defined(_WIN64)
static_assert(sizeof(SCSI_PASS_THROUGH_DIRECT) == 44);
static_assert(offsetof(PassThroughRequest, sense) == 48);
#endif

UCHAR DataDirection(ScsiDirection direction, size_t length) {
    if (length == 0) return SCSI_IOCTL_DATA_UNSPECIFIED;
    return direction == ScsiDirection::In ? SCSI_IOCTL_DATA_IN : SCSI_IOCTL_DATA_OUT;
}

void FillRequest(PassThroughRequest& r, const uint8_t* cdb, size_t cdbLength,
                 ScsiDirection direction, uint8_t* data, size_t length, uint32_t timeoutSeconds) {
    SCSI_PASS_THROUGH_DIRECT& h = r.header;
    h.Length = sizeof h;
    h.PathId = kPassThroughPath;
    h.TargetId = kPassThroughTarget;
    h.Lun = kPassThroughLun;
    h.CdbLength = static_cast<UCHAR>(cdbLength);
    h.SenseInfoLength = static_cast<UCHAR>(sizeof r.sense);
    h.SenseInfoOffset = offsetof(PassThroughRequest, sense);
    h.DataIn = DataDirection(direction, length);
    h.DataTransferLength = static_cast<ULONG>(length);
    h.DataBuffer = length > 0 ? data : nullptr;
    h.TimeOutValue = TimeoutSeconds(timeoutSeconds);
    std::memcpy(h.Cdb, cdb, cdbLength);
}

class PassThroughDevice final : public ScsiDevice {
  public:
    PassThroughDevice(DriveIo& io, HANDLE device) : io_(io), device_(device) {}
    ~PassThroughDevice() override { io_.closeDevice(device_); }
    PassThroughDevice(const PassThroughDevice&) = delete;
    PassThroughDevice& operator=(const PassThroughDevice&) = delete;

    bool command(const uint8_t* cdb, size_t cdbLength, ScsiDirection direction, uint8_t* data,
                 size_t length, uint32_t timeoutSeconds) override {
        length = DataLength(direction, length);
        if (!CommandFits(cdbLength, data, length)) return false;
        PassThroughRequest request{};
        FillRequest(request, cdb, cdbLength, direction, data, length, timeoutSeconds);
        DWORD returned = 0;
        if (!io_.deviceControl(device_, kIoctlScsiPassThroughDirect, &request, sizeof request,
                               &request, sizeof request, &returned))
            return false;
        const PassThroughAnswer answer{request.header.ScsiStatus, request.header.SenseInfoLength,
                                       request.sense, sizeof request.sense,
                                       request.header.DataTransferLength};
        return TakePassThroughAnswer(answer, direction, data, length);
    }

  private:
    DriveIo& io_;
    HANDLE device_;
};

}  // namespace

std::unique_ptr<ScsiDevice> passThroughDevice(DriveIo& io, HANDLE device) {
    return std::make_unique<PassThroughDevice>(io, device);
}

}  // namespace qorlink::win32
