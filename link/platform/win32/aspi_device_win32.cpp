#include "win32/aspi_device_win32.h"

#include <charconv>
#include <cstring>
#include <mutex>
#include <new>
#include <vector>

#include "device_answers.h"
#include "secure_wipe.h"
#include "win32/scsi_command_win32.h"
#include "win32/storage_constants_win32.h"

namespace qorlink::win32 {
namespace {

constexpr char kNamePrefix[] = "aspi:";
constexpr DWORD kAbortGraceMs = 5000;  // how long an aborted request may take to come back

// An execute request and what the adapter may touch while it holds it.
struct ExecuteSlot {
    aspi::ExecuteRequest request{};
    std::vector<uint8_t, WipingAllocator<uint8_t>> data;  // may carry a key record
    HANDLE event = nullptr;

    ~ExecuteSlot() {
        if (event != nullptr) CloseHandle(event);
    }
};

// Requests the adapter never gave back, kept for the life of the process.
void KeepForever(std::unique_ptr<ExecuteSlot> slot) {
    static std::mutex guard;
    static std::vector<std::unique_ptr<ExecuteSlot>> lost;
    const std::lock_guard<std::mutex> lock(guard);
    lost.push_back(std::move(slot));
}

// A command without data goes as data-out of no bytes.
uint8_t ExecuteFlags(ScsiDirection direction) {
    const uint8_t data = direction == ScsiDirection::In ? aspi::kFlagDataIn : aspi::kFlagDataOut;
    return data | aspi::kFlagEventNotify;
}

bool ParseNumber(const std::string& text, size_t& at, char end, uint8_t& value) {
    const char* first = text.data() + at;
    const char* last = text.data() + text.size();
    const auto [ptr, error] = std::from_chars(first, last, value);
    if (error != std::errc() || ptr == first) return false;
    if (end != '\0' && (ptr == last || *ptr != end)) return false;
    if (end == '\0' && ptr != last) return false;
    at = static_cast<size_t>(ptr - text.data()) + 1;
    return true;
}

class AspiDevice final : public ScsiDevice {
  public:
    AspiDevice(std::shared_ptr<AspiLayer> layer, const AspiAddress& address,
               std::unique_ptr<ExecuteSlot> slot)
        : layer_(std::move(layer)), address_(address), slot_(std::move(slot)) {}

    bool command(const uint8_t* cdb, size_t cdbLength, ScsiDirection direction, uint8_t* data,
                 size_t length, uint32_t timeoutSeconds) override {
        length = DataLength(direction, length);
        if (slot_ == nullptr || !CommandFits(cdbLength, data, length)) return false;
        if (!prepare(cdb, cdbLength, direction, data, length)) return false;
        const std::optional<uint8_t> status = run(timeoutSeconds);
        if (!status) return false;
        const aspi::ExecuteRequest& r = slot_->request;
        const AspiAnswer answer{*status, r.adapterStatus, r.targetStatus, r.sense,
                                slot_->data.data()};
        return TakeAspiAnswer(answer, direction, data, length);
    }

  private:
    bool prepare(const uint8_t* cdb, size_t cdbLength, ScsiDirection direction, const uint8_t* data,
                 size_t length) {
        try {
            slot_->data.assign(length, 0);
        } catch (const std::bad_alloc&) {
            return false;
        }
        if (direction == ScsiDirection::Out && length > 0)
            std::memcpy(slot_->data.data(), data, length);
        aspi::ExecuteRequest& r = slot_->request;
        r = aspi::ExecuteRequest{};
        r.header.command = aspi::kCommandExecute;
        r.header.adapter = address_.adapter;
        r.header.flags = ExecuteFlags(direction);
        r.target = address_.target;
        r.lun = address_.lun;
        r.bufferLength = static_cast<uint32_t>(length);
        r.buffer = length > 0 ? slot_->data.data() : nullptr;
        r.senseLength = aspi::kSenseLength;
        r.cdbLength = static_cast<uint8_t>(cdbLength);
        r.postEvent = slot_->event;
        std::memcpy(r.cdb, cdb, cdbLength);
        return true;
    }

    // The request's final status; nullopt when it did not finish within the time-out.
    std::optional<uint8_t> run(uint32_t timeoutSeconds) {
        ResetEvent(slot_->event);
        const DWORD sent = layer_->send(&slot_->request);
        if (sent != aspi::kStatusPending) return aspi::ReturnedStatus(sent);
        if (layer_->waiter().wait(slot_->event, TimeoutMs(timeoutSeconds)) == WAIT_OBJECT_0 &&
            slot_->request.header.status != aspi::kStatusPending)
            return slot_->request.header.status;
        abort();
        return std::nullopt;
    }

    // Asks the adapter for the held request back; without it the request is never reused.
    void abort() {
        aspi::AbortRequest abort{};
        abort.header.command = aspi::kCommandAbort;
        abort.header.adapter = address_.adapter;
        abort.request = &slot_->request;
        layer_->send(&abort);
        const bool back = layer_->waiter().wait(slot_->event, kAbortGraceMs) == WAIT_OBJECT_0 &&
                          slot_->request.header.status != aspi::kStatusPending;
        if (!back) KeepForever(std::move(slot_));
    }

    std::shared_ptr<AspiLayer> layer_;
    AspiAddress address_;
    std::unique_ptr<ExecuteSlot> slot_;  // null once the adapter kept a request
};

}  // namespace

std::string aspiName(const AspiAddress& address) {
    return kNamePrefix + std::to_string(address.adapter) + ":" + std::to_string(address.target) +
           ":" + std::to_string(address.lun);
}

std::optional<AspiAddress> parseAspiName(const std::string& name) {
    const size_t prefix = sizeof kNamePrefix - 1;
    if (name.compare(0, prefix, kNamePrefix) != 0) return std::nullopt;
    AspiAddress a;
    size_t at = prefix;
    if (!ParseNumber(name, at, ':', a.adapter) || !ParseNumber(name, at, ':', a.target) ||
        !ParseNumber(name, at, '\0', a.lun))
        return std::nullopt;
    if (a.target >= aspi::kTargets) return std::nullopt;
    return a;
}

std::unique_ptr<ScsiDevice> openAspiDevice(std::shared_ptr<AspiLayer> layer,
                                           const AspiAddress& address) {
    if (!layer) return nullptr;
    auto slot = std::make_unique<ExecuteSlot>();
    slot->event = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    if (slot->event == nullptr) return nullptr;
    return std::make_unique<AspiDevice>(std::move(layer), address, std::move(slot));
}

}  // namespace qorlink::win32
