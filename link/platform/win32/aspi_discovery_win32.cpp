#include "win32/aspi_discovery_win32.h"

#include "storage/scsi_layout.h"
#include "win32/aspi_device_win32.h"

namespace qorlink::win32 {
namespace {

// INQUIRY as a group-0 command: six CDB bytes.
constexpr uint8_t kInquiryCdb[6] = {kInquiryOpcode, 0, 0, 0, kInquiryLength, 0};
constexpr size_t kInquiryRemovableByte = 1;
constexpr uint8_t kInquiryRemovableBit = 0x80;

bool AdapterAnswers(const AspiLayer& layer, uint8_t adapter) {
    aspi::AdapterInquiry request{};
    request.header.command = aspi::kCommandAdapterInquiry;
    request.header.adapter = adapter;
    return layer.send(&request) == aspi::kStatusComplete;
}

bool TargetAnswers(const AspiLayer& layer, const AspiAddress& address) {
    aspi::DeviceTypeRequest request{};
    request.header.command = aspi::kCommandDeviceType;
    request.header.adapter = address.adapter;
    request.target = address.target;
    request.lun = address.lun;
    return layer.send(&request) == aspi::kStatusComplete;
}

bool HoldsRemovableMedium(const std::shared_ptr<AspiLayer>& layer, const AspiAddress& address) {
    const std::unique_ptr<ScsiDevice> device = openAspiDevice(layer, address);
    uint8_t inquiry[kInquiryLength] = {};
    return device != nullptr &&
           device->command(kInquiryCdb, sizeof kInquiryCdb, ScsiDirection::In, inquiry,
                           sizeof inquiry, kInquiryTimeoutSeconds) &&
           (inquiry[kInquiryRemovableByte] & kInquiryRemovableBit) != 0;
}

}  // namespace

std::vector<std::string> listAspiDevices(const std::shared_ptr<AspiLayer>& layer) {
    std::vector<std::string> names;
    if (!layer) return names;
    const DWORD info = layer->supportInfo();
    if (aspi::SupportStatus(info) != aspi::kStatusComplete) return names;
    for (uint8_t adapter = 0; adapter < aspi::AdapterCount(info); ++adapter) {
        if (!AdapterAnswers(*layer, adapter)) continue;
        for (uint8_t target = 0; target < aspi::kTargets; ++target) {
            const AspiAddress address{adapter, target, 0};
            if (TargetAnswers(*layer, address) && HoldsRemovableMedium(layer, address))
                names.push_back(aspiName(address));
        }
    }
    return names;
}

}  // namespace qorlink::win32
