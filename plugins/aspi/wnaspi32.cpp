// Stand-in ASPI for Win32 layer: answers the layer's requests from a bus the loading program
// installs (aspi_stand_in.h). Without a bus it is ready and reports no host adapter.
//
// Adapter inquiries and device-type requests complete at once. An execute request goes to the
// bus's function; unless held, it completes before the call returns, signalling its event, and
// the call returns the pending status as a layer that completes on another thread would. A held
// request stays pending until an abort request names it.
#include <cstring>

#include "aspi_stand_in.h"
#include "win32/aspi_layout.h"

namespace {

namespace aspi = qorlink::aspi;
using aspi_stand_in::Answer;
using aspi_stand_in::Bus;

constexpr char kManagerId[16] = "ASPI stand-in";
constexpr char kAdapterId[16] = "scripted bus";
constexpr uint8_t kDirectAccessDevice = 0x00;
constexpr uint8_t kCheckCondition = 0x02;

Bus gBus{aspi::kStatusComplete, 0, {}, false, nullptr, nullptr};
aspi::ExecuteRequest* gHeld = nullptr;
int gAborts = 0;

bool AdapterPresent(uint8_t adapter) {
    return adapter < gBus.adapters && adapter < aspi_stand_in::kMaxAdapters;
}

bool DevicePresent(uint8_t adapter, uint8_t target, uint8_t lun) {
    return AdapterPresent(adapter) && target < aspi::kTargets && lun == 0 &&
           (gBus.targets[adapter] >> target & 1u) != 0;
}

DWORD Finish(aspi::RequestHeader& header, uint8_t status) {
    header.status = status;
    return status;
}

DWORD AdapterInquiry(aspi::AdapterInquiry& r) {
    if (!AdapterPresent(r.header.adapter)) return Finish(r.header, aspi::kStatusInvalidAdapter);
    r.adapterCount = gBus.adapters;
    r.adapterScsiId = 7;
    std::memcpy(r.managerId, kManagerId, sizeof r.managerId);
    std::memcpy(r.adapterId, kAdapterId, sizeof r.adapterId);
    return Finish(r.header, aspi::kStatusComplete);
}

DWORD DeviceType(aspi::DeviceTypeRequest& r) {
    if (!DevicePresent(r.header.adapter, r.target, r.lun))
        return Finish(r.header, aspi::kStatusNoDevice);
    r.deviceType = kDirectAccessDevice;
    return Finish(r.header, aspi::kStatusComplete);
}

void Signal(const aspi::ExecuteRequest& r) {
    if ((r.header.flags & aspi::kFlagEventNotify) != 0 && r.postEvent != nullptr)
        SetEvent(r.postEvent);
}

void Complete(aspi::ExecuteRequest& r, Answer answer, const aspi_stand_in::Result& result) {
    r.adapterStatus = result.adapterStatus;
    r.targetStatus = result.targetStatus;
    const size_t sense = r.senseLength < sizeof result.sense ? r.senseLength : sizeof result.sense;
    std::memcpy(r.sense, result.sense, sense);
    r.header.status =
        answer == aspi_stand_in::kComplete ? aspi::kStatusComplete : aspi::kStatusError;
    Signal(r);
}

DWORD Execute(aspi::ExecuteRequest& r) {
    if (!DevicePresent(r.header.adapter, r.target, r.lun))
        return Finish(r.header, aspi::kStatusNoDevice);
    r.header.status = aspi::kStatusPending;
    const aspi_stand_in::Command command{r.header.adapter, r.target,    r.lun, r.header.flags,
                                         r.senseLength,    r.cdbLength, r.cdb, r.buffer,
                                         r.bufferLength};
    aspi_stand_in::Result result{0, kCheckCondition, {}};
    const Answer answer =
        gBus.execute != nullptr ? gBus.execute(gBus.user, command, &result) : aspi_stand_in::kError;
    if (answer == aspi_stand_in::kHold)
        gHeld = &r;
    else
        Complete(r, answer, result);
    return aspi::kStatusPending;
}

DWORD Abort(aspi::AbortRequest& r) {
    ++gAborts;
    if (gHeld != nullptr && r.request == gHeld && !gBus.keepAborted) {
        gHeld->header.status = aspi::kStatusAborted;
        Signal(*gHeld);
        gHeld = nullptr;
    }
    return Finish(r.header, aspi::kStatusComplete);
}

}  // namespace

extern "C" {

__declspec(dllexport) DWORD __cdecl GetASPI32SupportInfo() {
    return static_cast<DWORD>(gBus.supportStatus) << 8 | gBus.adapters;
}

__declspec(dllexport) DWORD __cdecl SendASPI32Command(void* request) {
    if (request == nullptr) return aspi::kStatusInvalidAdapter;
    auto* header = static_cast<aspi::RequestHeader*>(request);
    switch (header->command) {
        case aspi::kCommandAdapterInquiry:
            return AdapterInquiry(*static_cast<aspi::AdapterInquiry*>(request));
        case aspi::kCommandDeviceType:
            return DeviceType(*static_cast<aspi::DeviceTypeRequest*>(request));
        case aspi::kCommandExecute:
            return Execute(*static_cast<aspi::ExecuteRequest*>(request));
        case aspi::kCommandAbort:
            return Abort(*static_cast<aspi::AbortRequest*>(request));
        default:
            return Finish(*header, aspi::kStatusInvalidAdapter);
    }
}

__declspec(dllexport) void AspiStandInInstall(const Bus* bus) {
    gBus = bus != nullptr ? *bus : Bus{aspi::kStatusComplete, 0, {}, false, nullptr, nullptr};
    gHeld = nullptr;
    gAborts = 0;
}

__declspec(dllexport) int AspiStandInAborts() {
    return gAborts;
}

}  // extern "C"
