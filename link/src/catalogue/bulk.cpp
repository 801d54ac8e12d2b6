// Bulk transfer and memory access: loading files, pictures and stabiliser adjustment data into
// the camera, committing what was loaded, the sized diagnostic read with progress, and the
// camera's microcontroller memory, flash memory and EEPROM.
#include <algorithm>
#include <cstring>
#include <memory>
#include <new>
#include <vector>

#include "builders.h"
#include "call_guard.h"
#include "connection.h"
#include "link_constants.h"
#include "platform.h"
#include "protocol.h"
#include "qorlink.h"
#include "transport.h"

namespace qorlink {
namespace {

// Load selectors written as the diagnostic parameter word before the data.
constexpr int32_t kSelectorPicture = 0x0FEC000E;
constexpr int32_t kSelectorStabiliser = 0x0FEAEEAA;
// Largest in-memory image or memory record accepted.
constexpr int64_t kMaxImageBytes = 0xA00000;

constexpr int kCodeCommitLoad = 11;
constexpr uint32_t kCommitTimeoutMs = 60000;
constexpr uint32_t kCommitSettleMs = 500;
constexpr int kCodeSaveStabiliser = 138;

// Camera memories: each is written and read with one code.
struct MemoryRegion {
    int code;
};
constexpr MemoryRegion kMcuMemory{223};
constexpr MemoryRegion kFlashMemory{222};
constexpr MemoryRegion kEeprom{170};
// Header of a memory access record: where, and the byte count n that follows.
constexpr size_t kMemoryHeader = 8;
// A memory read first sends this much of the record as the diagnostic buffer.
constexpr size_t kMemoryRequest = 12;

// Reads the whole of the caller's open file through the platform. 0, 1 (size unknown) or 255.
int ReadWholeFile(intptr_t file, std::vector<uint8_t>* data) {
    switch (currentPlatform().readOpenFile(file, data)) {
        case FileRead::Ok:
            return QORLINK_OK;
        case FileRead::SizeUnknown:
            return QORLINK_INVALID_PARAMETER;
        case FileRead::Failed:
            break;
    }
    return QORLINK_OTHER_ERROR;
}

int LoadImage(LinkConnection& c, int32_t selector, const void* buf, int32_t len) {
    if (len < 0 || len > kMaxImageBytes || (buf == nullptr && len > 0))
        return SetLastResult(c, QORLINK_INVALID_PARAMETER);
    if (const int r = SetCommand(c, kCodeDiagWord, selector); r != QORLINK_OK) return r;
    return SendCommand(c, kCodeLoadData, static_cast<const uint8_t*>(buf),
                       static_cast<size_t>(len));
}

// The byte count of a memory record, or -1 when it is not acceptable.
int64_t MemoryCount(const void* record) {
    if (record == nullptr) return -1;
    int32_t n;
    std::memcpy(&n, static_cast<const uint8_t*>(record) + 4, sizeof n);
    return n < 0 || n > kMaxImageBytes ? -1 : n;
}

int WriteMemory(const MemoryRegion& region, const void* record) {
    CallGuard call;
    LinkConnection* c = call.connection();
    if (c == nullptr) return call.refusal();
    const int64_t n = MemoryCount(record);
    if (n < 0) return QORLINK_INVALID_PARAMETER;
    return SendCommand(*c, region.code, static_cast<const uint8_t*>(record),
                       static_cast<size_t>(n) + kMemoryHeader);
}

// The reply (header words and data) replaces the record, and only when the read succeeded.
int ReadMemory(const MemoryRegion& region, void* record) {
    CallGuard call;
    LinkConnection* c = call.connection();
    if (c == nullptr) return call.refusal();
    const int64_t n = MemoryCount(record);
    if (n < 0) return QORLINK_INVALID_PARAMETER;
    const size_t total = static_cast<size_t>(n) + kMemoryHeader;
    uint8_t request[kMemoryRequest];
    std::memcpy(request, record, std::min(total, kMemoryRequest));
    if (total < kMemoryRequest) std::memset(request + total, 0, kMemoryRequest - total);
    if (const int r = SendCommand(*c, kCodeDiagBuffer, request, kMemoryRequest); r != QORLINK_OK)
        return r;
    const size_t capacity = std::min(total, kLargeBlock);
    std::unique_ptr<uint8_t[]> reply(new (std::nothrow) uint8_t[capacity + 1]());
    if (!reply) return SetLastResult(*c, QORLINK_OTHER_ERROR);
    size_t got = 0;
    const int r = FetchCommand(*c, region.code, reply.get(), capacity, total, &got);
    if (r == QORLINK_OK) std::memcpy(record, reply.get(), std::min(got, capacity));
    return r;
}

// Ends a sized read: clears bulkBusy and passes `result` through.
int EndSizedRead(LinkConnection& c, int result) {
    c.bulkBusy = 0;
    return result;
}

// The sized read of the diagnostic buffer: frame after frame into buf until the camera's last
// frame, reporting progress before each frame and 100 at the end. Never writes past len.
int SizedRead(LinkConnection& c, uint8_t* buf, int32_t len) {
    while (c.state == LinkState::Busy || c.bulkBusy)
        SleepMs(kBusyPollMs);
    c.bulkBusy = 1;

    const bool large = c.bigBlocks == 1;
    const size_t block = large ? kLargeBlock : kSmallBlock;
    const uint8_t op = large ? kOpGetDataLarge : kOpGetData;

    c.reopened = 0;
    if (const int r = EnsureSession(c); r != QORLINK_OK)
        return EndSizedRead(c, SetLastResult(c, r));
    if (c.reopened) return EndSizedRead(c, -2);
    c.state = LinkState::Busy;

    const size_t total = static_cast<size_t>(len);
    size_t position = 0;
    int64_t acc = 0;
    size_t got = 0;
    bool first = true;
    bool more = true;
    while (more) {
        if (c.progressCallback != nullptr) {
            acc += static_cast<int64_t>(got) * 25600 / len;
            if (c.progressCallback(c.progressUser, 0, static_cast<int32_t>(acc / 256)) == 0)
                return EndSizedRead(c, SetLastResult(c, QORLINK_USER_BREAK));
        }
        const size_t remaining = total - position;
        int r = ReceiveData(c, first, kCodeDiagBuffer, op, std::min(remaining, block),
                            buf + position, remaining, &got, &more);
        if (r == QORLINK_SESSION_CLOSE) {
            // A session reopened under the read cuts it short, as with an abortable query.
            ++c.retryCount;
            if (ReopenSession(c) == QORLINK_OK && c.retryCount < kReopenLimit)
                return EndSizedRead(c, -2);
        }
        if (r != QORLINK_OK) return EndSizedRead(c, SetLastResult(c, r));
        position += std::min(got, remaining);
        first = false;
        // The read ends with the caller's buffer: further frames are refused rather than
        // acknowledged and dropped for as long as the camera offers them. A frame that brings
        // nothing while announcing more would never end the read either.
        if (more && (position == total || got == 0)) {
            const int h = SendHandshake(c, kCan);
            if (h != QORLINK_OK) return EndSizedRead(c, SetLastResult(c, h));
            if (got == 0) return EndSizedRead(c, SetLastResult(c, QORLINK_DC1_RESPONSE));
            more = false;
        }
    }
    if (c.progressCallback != nullptr) c.progressCallback(c.progressUser, 0, 100);
    c.bulkBusy = 0;
    return SetLastResult(c, QORLINK_OK);
}

}  // namespace
}  // namespace qorlink

using namespace qorlink;

int32_t QORLINK_CALL Cam_load_file_data(intptr_t file, int32_t selector) {
    CallGuard call;
    LinkConnection* c = call.connection();
    if (c == nullptr) return call.refusal();
    if (const int r = SetCommand(*c, kCodeDiagWord, selector); r != QORLINK_OK) return r;
    std::vector<uint8_t> data;
    if (const int r = ReadWholeFile(file, &data); r != QORLINK_OK) return SetLastResult(*c, r);
    return SendCommand(*c, kCodeLoadData, data.data(), data.size());
}

int32_t QORLINK_CALL Cam_load_picture_data(const void* buf, int32_t len) {
    CallGuard call;
    LinkConnection* c = call.connection();
    if (c == nullptr) return call.refusal();
    return LoadImage(*c, kSelectorPicture, buf, len);
}

int32_t QORLINK_CALL Cam_load_vradjcontrol_data(const void* buf, int32_t len) {
    CallGuard call;
    LinkConnection* c = call.connection();
    if (c == nullptr) return call.refusal();
    return LoadImage(*c, kSelectorStabiliser, buf, len);
}

int32_t QORLINK_CALL Cam_save_vradjcontrol_data(void* buf, int32_t len) {
    CallGuard call;
    LinkConnection* c = call.connection();
    if (c == nullptr) return call.refusal();
    if (len < 0 || len > kMaxImageBytes || (buf == nullptr && len > 0))
        return SetLastResult(*c, QORLINK_INVALID_PARAMETER);
    if (const int r = SetCommand(*c, kCodeDiagWord, kSelectorStabiliser); r != QORLINK_OK) return r;
    // One reply frame: at most a large block arrives.
    const size_t capacity = std::min(static_cast<size_t>(len), kLargeBlock);
    std::unique_ptr<uint8_t[]> reply(new (std::nothrow) uint8_t[capacity + 1]());
    if (!reply) return SetLastResult(*c, QORLINK_OTHER_ERROR);
    size_t got = 0;
    const int r = FetchCommand(*c, kCodeSaveStabiliser, reply.get(), capacity,
                               static_cast<size_t>(len), &got);
    if (r == QORLINK_OK) std::memcpy(buf, reply.get(), std::min(got, capacity));
    return r;
}

int32_t QORLINK_CALL Cam_write_loaded_data(void) {
    CallGuard call;
    LinkConnection* c = call.connection();
    if (c == nullptr) return call.refusal();
    // The camera needs a moment after the last load before it takes the commit.
    SleepMs(kCommitSettleMs);
    return ExecuteCommand(*c, kCodeCommitLoad, 0, kCommitTimeoutMs);
}

int32_t QORLINK_CALL Cam_get_diag_buffer_val(void* buf, int32_t len) {
    CallGuard call;
    LinkConnection* c = call.connection();
    if (c == nullptr) return call.refusal();
    if (len <= 0 || buf == nullptr) return QORLINK_INVALID_PARAMETER;
    return SizedRead(*c, static_cast<uint8_t*>(buf), len);
}

int32_t QORLINK_CALL Cam_set_mcumem(const void* record) {
    return WriteMemory(kMcuMemory, record);
}
int32_t QORLINK_CALL Cam_get_mcumem(void* record) {
    return ReadMemory(kMcuMemory, record);
}
int32_t QORLINK_CALL Cam_set_flmem(const void* record) {
    return WriteMemory(kFlashMemory, record);
}
int32_t QORLINK_CALL Cam_get_flmem(void* record) {
    return ReadMemory(kFlashMemory, record);
}
int32_t QORLINK_CALL Cam_set_eeprom(const void* record) {
    return WriteMemory(kEeprom, record);
}
int32_t QORLINK_CALL Cam_get_eeprom(void* record) {
    return ReadMemory(kEeprom, record);
}
