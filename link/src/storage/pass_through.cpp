// The pass-through mechanism: every command is handed to the open device together with the CDB
// and the fields recorded in the connection's 80-byte pass-through block. This is the only
// mechanism on Linux, where the device is a SCSI generic node spoken to through SG_IO; there is
// no ASPI layer there.
#include <cstring>
#include <memory>
#include <string>
#include <string_view>

#include "connection.h"
#include "link_constants.h"
#include "platform.h"
#include "storage.h"
#include "storage/device_table.h"
#include "storage/messages.h"
#include "storage/scsi_layout.h"
#include "storage/vendor_table.h"

namespace qorlink {
namespace {

namespace pt = passthrough;

uint8_t* CdbOf(uint8_t* block) {
    return block + pt::kCdb;
}

void ClearCdb(uint8_t* block) {
    std::memset(CdbOf(block), 0, kCdbLength);
}

void SetTimeout(uint8_t* block, uint32_t seconds) {
    PutLe32(block + pt::kTimeout, seconds);
}

// Records direction and length in the block and issues its CDB to `device`.
bool Issue(uint8_t* block, ScsiDevice& device, ScsiDirection direction, uint8_t* data, size_t n) {
    block[pt::kDataIn] = direction == ScsiDirection::In ? 1 : 0;
    PutLe32(block + pt::kTransferLength, static_cast<uint32_t>(n));
    block[pt::kSenseLength] = pt::kSenseBytes;
    std::memset(block + pt::kSense, 0, pt::kSenseBytes);
    if (n == 0) direction = ScsiDirection::None;
    return device.command(CdbOf(block), block[pt::kCdbLengthField], direction, data, n,
                          GetLe32(block + pt::kTimeout));
}

void SetFixedFields(uint8_t* block) {
    block[pt::kLength] = static_cast<uint8_t>(pt::kRequestLength);
    block[pt::kLength + 1] = 0;
    block[pt::kPathId] = 0;
    block[pt::kTargetId] = pt::kTarget;
    block[pt::kLun] = 0;
    block[pt::kSenseLength] = pt::kSenseBytes;
    SetTimeout(block, kOpenTimeoutSeconds);
    PutLe32(block + pt::kSenseOffset, static_cast<uint32_t>(pt::kSense));
}

// The floppy drive of a Windows machine is never probed: asking it would spin the drive.
bool IsFloppyRoot(const std::string& name) {
    return name.size() == 3 && (name[0] == 'A' || name[0] == 'a') && name[1] == ':' &&
           name[2] == '\\';
}

// Closes an open device without a release command and frees its reservation.
void DropDevice(LinkConnection& c) {
    Unreserve(c.deviceHandle);
    delete c.deviceHandle;
    c.deviceHandle = nullptr;
}

void UpdatePortMarker() {
    openPortMarker = inUseMask() != 0 ? kUsbPort : kNoPort;
}

int PtScsiIn(LinkConnection& c, uint8_t* buf, size_t n) {
    if (c.deviceHandle == nullptr || c.passThroughBlock == nullptr) return 0;
    return Issue(c.passThroughBlock, *c.deviceHandle, ScsiDirection::In, buf, n) ? 1 : 0;
}

int PtScsiOut(LinkConnection& c, const uint8_t* buf, size_t n) {
    if (c.deviceHandle == nullptr || c.passThroughBlock == nullptr) return 0;
    // A data-out command only reads from the buffer.
    return Issue(c.passThroughBlock, *c.deviceHandle, ScsiDirection::Out, const_cast<uint8_t*>(buf),
                 n)
               ? 1
               : 0;
}

class PassThroughChannel final : public MessageChannel {
  public:
    explicit PassThroughChannel(LinkConnection& c) : c_(c) {}
    uint8_t* cdb() override { return CdbOf(c_.passThroughBlock); }
    void setTimeout(uint32_t seconds) override { SetTimeout(c_.passThroughBlock, seconds); }
    CommandOutcome in(uint8_t* buf, size_t n) override {
        return PtScsiIn(c_, buf, n) ? CommandOutcome::Ok : CommandOutcome::Failed;
    }
    CommandOutcome out(const uint8_t* buf, size_t n) override {
        return PtScsiOut(c_, buf, n) ? CommandOutcome::Ok : CommandOutcome::Failed;
    }

  private:
    LinkConnection& c_;
};

bool ReadyForMessages(const LinkConnection& c) {
    return c.deviceHandle != nullptr && c.passThroughBlock != nullptr && c.opcodeSet != nullptr;
}

// Inquiries go through a block of their own, so that a discovery leaves the connection's block
// (its time-out, CDB length and vendor flag) as the open prepared it.
int PtDiscover(LinkConnection& c) {
    DeviceTable& table = deviceTable();
    table.clear();
    uint8_t block[kRequestBlockSize] = {};
    SetFixedFields(block);
    block[pt::kCdbLengthField] = static_cast<uint8_t>(kInquiryCdbLength);
    SetTimeout(block, kInquiryTimeoutSeconds);
    uint8_t* cdb = CdbOf(block);
    cdb[0] = kInquiryOpcode;
    cdb[4] = static_cast<uint8_t>(kInquiryLength);
    Platform& platform = currentPlatform();
    for (const std::string& name : platform.listRemovableScsi()) {
        if (table.full()) break;  // further camera drives are ignored
        if (IsFloppyRoot(name)) continue;
        std::unique_ptr<ScsiDevice> device = platform.openScsi(name);
        if (!device) continue;
        uint8_t inquiry[kInquiryLength] = {};
        if (!Issue(block, *device, ScsiDirection::In, inquiry, sizeof inquiry)) continue;
        const std::string_view vendor(reinterpret_cast<const char*>(inquiry) + kInquiryVendorOffset,
                                      kInquiryVendorLength);
        if (const VendorRow* row = MatchVendor(vendor, c.oemMode)) table.append(name, row->id);
    }
    return table.count > 0 ? 0 : -1;
}

int PtClose(LinkConnection& c);

// Every way out of a failed open leaves the marker telling whether any drive is still in use.
int OpenFailed() {
    UpdatePortMarker();
    return -1;
}

int PtOpen(LinkConnection& c) {
    uint8_t* block = c.passThroughBlock;
    if (block == nullptr) return -1;
    // A connection that still holds a drive gives it up first, as a close does.
    if (c.deviceHandle != nullptr) PtClose(c);
    SetFixedFields(block);
    if (PtDiscover(c) != 0) return OpenFailed();

    const DeviceTable& table = deviceTable();
    size_t index = 0;
    while (index < table.count && IsReserved(table.entries[index].name))
        ++index;
    if (index == table.count) return OpenFailed();
    const DeviceEntry& entry = table.entries[index];
    const VendorRow* row = FindVendorRow(entry.vendorId);
    if (row == nullptr || row->opcodes == nullptr)
        return OpenFailed();  // recognised, not spoken to

    // The Windows transport follows the open with a vendor device control whose meaning belongs
    // to the camera's storage firmware; its backend sends it from openScsi. Linux has no
    // counterpart to it, so nothing is sent here.
    std::unique_ptr<ScsiDevice> device = currentPlatform().openScsi(entry.name);
    if (!device || !Reserve(entry.name, device.get())) return OpenFailed();

    ClearCdb(block);
    block[pt::kCdbLengthField] = static_cast<uint8_t>(kCdbLength);
    CdbOf(block)[kCdbLun] = 0;
    CdbOf(block)[kCdbVendorFlag] = row->vendorFlag ? 1 : 0;
    c.vendorId = row->id;
    c.reserved16 = 0;
    c.reserved32 = 0;
    c.bigBlocks = 1;
    c.opcodeSet = row->opcodes;
    c.deviceIndex = static_cast<int32_t>(index);
    c.deviceHandle = device.release();
    openPortMarker = kUsbPort;
    return kUsbPort;
}

int PtClose(LinkConnection& c) {
    if (c.deviceHandle != nullptr) {
        const VendorRow* row = FindVendorRow(c.vendorId);
        if (row != nullptr && row->releaseAtClose && c.opcodeSet != nullptr &&
            c.passThroughBlock != nullptr) {
            // The release command goes out on a cleared CDB: no length, no vendor flag.
            ClearCdb(c.passThroughBlock);
            CdbOf(c.passThroughBlock)[kCdbOpcode] = c.opcodeSet->op[kOpRelease];
            PtScsiOut(c, nullptr, 0);
        }
        DropDevice(c);
    }
    UpdatePortMarker();
    return 1;
}

int PtWrite(LinkConnection& c, const uint8_t* bytes, size_t n) {
    if (!ReadyForMessages(c)) return -2;
    PassThroughChannel channel(c);
    return WriteMessage(channel, *c.opcodeSet, bytes, n, kWriteTimeoutSeconds);
}

int PtRead(LinkConnection& c, uint8_t* buf, size_t n, int t) {
    if (!ReadyForMessages(c)) return -2;
    PassThroughChannel channel(c);
    return ReadMessage(channel, *c.opcodeSet, buf, n, t > 0 ? static_cast<uint32_t>(t) : 0u);
}

}  // namespace

extern const StorageOperations kPassThroughOperations;
const StorageOperations kPassThroughOperations = {
    PtOpen, PtDiscover, PtClose, PtRead, PtWrite, PtScsiIn, PtScsiOut,
};

}  // namespace qorlink
