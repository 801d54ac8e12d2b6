#include "virtual_scsi.h"

#include <algorithm>
#include <cstring>

#include "camsim/camera.h"

#include "storage/scsi_layout.h"
#include "storage/vendor_table.h"

namespace qorlink::test {
namespace {

constexpr uint8_t kDirectAccess = 0x00;
constexpr uint8_t kRemovableMedium = 0x80;
constexpr uint8_t kReadMessageKind = 3;  // byte 4 of the header of a message the camera sends

// Length of the unit at the front of `bytes`: a whole frame, or one handshake byte. 0 while a
// frame is still incomplete.
size_t UnitLength(const ScsiBytes& bytes) {
    if (bytes.empty()) return 0;
    const uint8_t type = bytes[0];
    if (type != kFrameCommand && type != kFrameMore && type != kFrameLast) return 1;
    if (bytes.size() < kFrameHeader) return 0;
    const size_t unit =
        (static_cast<size_t>(bytes[2]) | static_cast<size_t>(bytes[3]) << 8) + kFrameOverhead;
    return bytes.size() >= unit ? unit : 0;
}

ScsiBytes TakeUnit(ScsiBytes& bytes, size_t unit) {
    ScsiBytes u(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(unit));
    bytes.erase(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(unit));
    return u;
}

}  // namespace

// ---- ScriptedCameraSide ----

void ScriptedCameraSide::fromHost(const uint8_t* data, size_t n, uint64_t) {
    pending_.insert(pending_.end(), data, data + n);
    while (const size_t unit = UnitLength(pending_)) {
        ScsiBytes u = TakeUnit(pending_, unit);
        units_.push_back(u);
        if (handler_) {
            const ScsiBytes answer = handler_(u);
            toHost_.insert(toHost_.end(), answer.begin(), answer.end());
        }
    }
}

std::optional<ScsiBytes> ScriptedCameraSide::nextReply(uint64_t nowUs, uint64_t,
                                                       uint64_t* readyUs) {
    ScsiBytes queued(toHost_.begin(), toHost_.end());
    const size_t unit = UnitLength(queued);
    if (unit == 0) return std::nullopt;
    toHost_.erase(toHost_.begin(), toHost_.begin() + static_cast<std::ptrdiff_t>(unit));
    *readyUs = nowUs;
    queued.resize(unit);
    return queued;
}

// ---- CamsimCameraSide ----

CamsimCameraSide::CamsimCameraSide(camsim::Camera& camera) : camera_(camera) {
    camera_.profile().requireSession = false;
}

void CamsimCameraSide::fromHost(const uint8_t* data, size_t n, uint64_t nowUs) {
    camera_.receive(data, n, nowUs, 0);
}

std::optional<ScsiBytes> CamsimCameraSide::nextReply(uint64_t nowUs, uint64_t deadlineUs,
                                                     uint64_t* readyUs) {
    uint64_t last = nowUs;
    // Bounded: every pass either takes bytes or moves past a timed event.
    for (int pass = 0; pass < 1'000'000; ++pass) {
        if (const size_t unit = UnitLength(partial_)) {
            *readyUs = std::max(nowUs, last);
            return TakeUnit(partial_, unit);
        }
        const uint64_t next = camera_.nextOutputUs();
        if (next == UINT64_MAX || next > deadlineUs) break;
        uint8_t buf[4096];
        const uint64_t until = std::max(next, nowUs);
        const size_t got = camera_.read(buf, sizeof buf, until, &last, 0);
        partial_.insert(partial_.end(), buf, buf + got);
        if (got == 0 && camera_.nextOutputUs() <= until) break;  // nothing more will come
    }
    return std::nullopt;
}

// ---- VirtualScsiCamera ----

class VirtualScsiCamera::Handle final : public ScsiDevice {
  public:
    explicit Handle(VirtualScsiCamera& drive) : drive_(drive) { ++drive_.openHandles_; }
    ~Handle() override { --drive_.openHandles_; }
    bool command(const uint8_t* cdb, size_t cdbLength, ScsiDirection direction, uint8_t* data,
                 size_t length, uint32_t timeoutSeconds) override {
        return drive_.run(cdb, cdbLength, direction, data, length, timeoutSeconds);
    }

  private:
    VirtualScsiCamera& drive_;
};

VirtualScsiCamera::VirtualScsiCamera(std::string vendorField, uint16_t vendorId, CameraSide* side,
                                     ScsiClock* clock)
    : vendorField_(std::move(vendorField)), vendorId_(vendorId), side_(side), clock_(clock) {
    vendorField_.resize(kInquiryVendorLength, ' ');
    if (const VendorRow* row = FindVendorRow(vendorId_); row != nullptr && row->opcodes) {
        opcodes_ = row->opcodes->op;
        vendorFlag_ = row->vendorFlag;
    }
}

VirtualScsiCamera::~VirtualScsiCamera() = default;

std::unique_ptr<ScsiDevice> VirtualScsiCamera::open() {
    return std::make_unique<Handle>(*this);
}

std::vector<ScsiRecord> VirtualScsiCamera::commands(uint8_t opcode) const {
    std::vector<ScsiRecord> out;
    for (const ScsiRecord& r : log_) {
        if (!r.cdb.empty() && r.cdb[0] == opcode) out.push_back(r);
    }
    return out;
}

bool VirtualScsiCamera::run(const uint8_t* cdb, size_t cdbLength, ScsiDirection direction,
                            uint8_t* data, size_t length, uint32_t timeoutSeconds) {
    ScsiRecord rec;
    rec.cdb.assign(cdb, cdb + cdbLength);
    rec.direction = direction;
    rec.length = length;
    rec.timeoutSeconds = timeoutSeconds;
    if (clock_ != nullptr) rec.atUs = clock_->nowUs();
    if (direction == ScsiDirection::Out && length > 0) rec.dataOut.assign(data, data + length);

    bool ok = false;
    bool fail = false;
    if (failNext_ > 0) {
        if (passBeforeFail_ > 0) {
            --passBeforeFail_;
        } else {
            --failNext_;
            fail = true;
        }
    }
    if (fail) {
        // the drive reports CHECK CONDITION
    } else if (cdbLength > 0 && cdb[0] == kInquiryOpcode) {
        ok = direction == ScsiDirection::In && length > 0;
        if (ok) {
            uint8_t inquiry[kInquiryLength] = {};
            inquiry[0] = kDirectAccess;
            inquiry[1] = kRemovableMedium;
            inquiry[4] = kInquiryLength - 5;
            std::memcpy(inquiry + kInquiryVendorOffset, vendorField_.data(), kInquiryVendorLength);
            std::memcpy(inquiry + 16, "DIGITAL CAMERA  1.00", 20);
            std::memcpy(data, inquiry, std::min(length, sizeof inquiry));
        }
    } else if (cdbLength > 0 && opcodes_ != nullptr) {
        const uint8_t* end = opcodes_ + 6;
        const uint8_t* found = std::find(opcodes_, end, cdb[0]);
        if (found != end) {
            ok = vendorCommand(static_cast<int>(found - opcodes_), cdb, cdbLength, direction, data,
                               length, timeoutSeconds);
        }
    }
    rec.ok = ok;
    if (ok && direction == ScsiDirection::In) rec.dataIn.assign(data, data + length);
    log_.push_back(std::move(rec));
    return ok;
}

bool VirtualScsiCamera::vendorCommand(int role, const uint8_t* cdb, size_t cdbLength,
                                      ScsiDirection direction, uint8_t* data, size_t length,
                                      uint32_t timeoutSeconds) {
    auto violation = [this] {
        ++protocolErrors_;
        return false;
    };
    if (cdbLength != kCdbLength) return violation();
    // Every byte but the opcode, the transfer length and the vendor flag stays zero; the
    // release command goes out on a cleared CDB.
    const bool release = role == kOpRelease;
    for (size_t i = 1; i < kCdbLength; ++i) {
        if (i >= kCdbTransferLength && i < kCdbTransferLength + 4) continue;
        const uint8_t expected = (i == kCdbVendorFlag && vendorFlag_ && !release) ? 1 : 0;
        if (cdb[i] != expected) return violation();
    }
    if (GetBe32(cdb + kCdbTransferLength) != length) return violation();

    switch (role) {
        case kOpAnnounce:
            if (direction != ScsiDirection::Out || length != kAnnounceLength ||
                std::memcmp(data, kAnnounceBlock, kAnnounceLength) != 0)
                return violation();
            announced_ = true;
            return true;
        case kOpWriteMessage: {
            if (direction != ScsiDirection::Out || !announced_ || length < kMessageHeader)
                return violation();
            if (GetLe32(data) != length || data[4] != kMessageKindWrite) return violation();
            for (size_t i = 5; i < kMessageHeader; ++i) {
                if (data[i] != 0) return violation();
            }
            if (side_ != nullptr && clock_ != nullptr)
                side_->fromHost(data + kMessageHeader, length - kMessageHeader, clock_->nowUs());
            return true;
        }
        case kOpStatus:
            if (direction != ScsiDirection::In || length != kStatusLength || !announced_)
                return violation();
            std::memset(data, 0, length);
            announced_ = false;
            return true;
        case kOpQueryLength: {
            if (direction != ScsiDirection::In || length != kLengthReplyLength || !announced_)
                return violation();
            if (!stage(timeoutSeconds)) return false;
            announcedLength_ =
                forcedLength_.value_or(static_cast<uint32_t>(kMessageHeader + staged_->size()));
            forcedLength_.reset();
            std::memset(data, 0, length);
            PutLe32(data + kLengthReplyOffset, announcedLength_);
            return true;
        }
        case kOpReadMessage: {
            if (direction != ScsiDirection::In || !announced_ || !staged_ ||
                length != announcedLength_)
                return violation();
            // A length forced below the header's gives as much of the header as it holds.
            std::memset(data, 0, length);
            uint8_t header[kMessageHeader] = {};
            PutLe32(header, static_cast<uint32_t>(length));
            header[4] = kReadMessageKind;
            std::memcpy(data, header, std::min(length, kMessageHeader));
            const size_t n =
                length > kMessageHeader ? std::min(length - kMessageHeader, staged_->size()) : 0;
            if (n > 0) std::memcpy(data + kMessageHeader, staged_->data(), n);
            staged_.reset();
            return true;
        }
        case kOpRelease:
            if (length != 0) return violation();
            ++releases_;
            return true;
        default:
            return false;
    }
}

bool VirtualScsiCamera::stage(uint32_t timeoutSeconds) {
    if (staged_) return true;  // announced before but never fetched: still waiting
    if (side_ == nullptr || clock_ == nullptr) {
        staged_ = ScsiBytes{};
        return true;
    }
    const uint64_t now = clock_->nowUs();
    const uint64_t deadline = now + static_cast<uint64_t>(timeoutSeconds) * 1'000'000u;
    uint64_t ready = now;
    std::optional<ScsiBytes> reply = side_->nextReply(now, deadline, &ready);
    if (reply) {
        clock_->advanceToUs(std::max(now, ready));
        staged_ = std::move(reply);
    } else {
        clock_->advanceToUs(deadline);
        staged_ = ScsiBytes{};
    }
    return true;
}

// ---- VirtualScsiBus ----

std::vector<std::string> VirtualScsiBus::names() const {
    std::vector<std::string> out;
    for (const auto& [name, drive] : drives_)
        out.push_back(name);
    return out;
}

std::unique_ptr<ScsiDevice> VirtualScsiBus::open(const std::string& name) {
    ++openCalls_;
    const auto it = drives_.find(name);
    return it == drives_.end() ? nullptr : it->second->open();
}

void addScsiCamera(VirtualPlatform& platform, const std::string& name, VirtualScsiCamera& drive) {
    platform.addScsiDevice(name, [&drive] { return drive.open(); });
}

}  // namespace qorlink::test
