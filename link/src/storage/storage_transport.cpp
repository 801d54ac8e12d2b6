// The storage mechanism of this process and the entry points the rest of the library calls;
// each forwards to the chosen mechanism's operation table.
#include "connection.h"
#include "link_constants.h"
#include "storage.h"
#include "storage/vendor_table.h"

namespace qorlink {

extern const StorageOperations kPassThroughOperations;

int openPortMarker = kNoPort;

void SelectStorageTransport() {
    // Devices are reached through the host's SCSI pass-through (SG_IO on Linux). The ASPI layer
    // of old Windows systems exists nowhere else and is chosen by the Windows backend.
    setStorageTransport(StorageTransportKind::PassThrough);
}

const StorageOperations* storageOperations() {
    switch (storageTransport()) {
        case StorageTransportKind::PassThrough:
            return &kPassThroughOperations;
        case StorageTransportKind::Aspi:  // not provided by this build
        case StorageTransportKind::None:
            break;
    }
    return nullptr;
}

int OpenStorage(LinkConnection& c) {
    const StorageOperations* ops = storageOperations();
    return ops != nullptr ? ops->openStorage(c) : -1;
}

int DiscoverDevices(LinkConnection& c) {
    const StorageOperations* ops = storageOperations();
    return ops != nullptr ? ops->discoverDevices(c) : -1;
}

int CloseStorage(LinkConnection& c) {
    const StorageOperations* ops = storageOperations();
    return ops != nullptr ? ops->closeStorage(c) : 1;
}

int StorageWrite(LinkConnection& c, const uint8_t* bytes, size_t n) {
    const StorageOperations* ops = storageOperations();
    return ops != nullptr ? ops->storageWrite(c, bytes, n) : -2;
}

int StorageRead(LinkConnection& c, uint8_t* buf, size_t n, int t) {
    const StorageOperations* ops = storageOperations();
    return ops != nullptr ? ops->storageRead(c, buf, n, t) : -2;
}

int ScsiIn(LinkConnection& c, uint8_t* buf, size_t n) {
    const StorageOperations* ops = storageOperations();
    return ops != nullptr ? ops->scsiIn(c, buf, n) : 0;
}

int ScsiOut(LinkConnection& c, const uint8_t* buf, size_t n) {
    const StorageOperations* ops = storageOperations();
    return ops != nullptr ? ops->scsiOut(c, buf, n) : 0;
}

bool StorageSkipsReplySums(const LinkConnection& c) {
    if (c.port != kUsbPort) return false;
    const VendorRow* row = FindVendorRow(c.vendorId);
    return row != nullptr && !row->verifyReplySums;
}

}  // namespace qorlink
