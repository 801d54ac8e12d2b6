// The camera's public face and its timeline.
#include "camsim/camera.h"

#include <algorithm>

#include "camera_impl.h"
#include "camsim/frame.h"

namespace camsim {

Camera::Impl::Impl(Profile p) : profile(std::move(p)) {
    profile.records.try_emplace(kCodeFirmwareVersion, textRecord(profile.firmwareVersion, 32));
    profile.records.try_emplace(kCodeTypeText, textRecord(profile.typeText, 64));
    profile.values.try_emplace(kCodeLcdType, profile.lcdType);
}

void Camera::Impl::runEvents(uint64_t untilUs) {
    while (!events.empty() && events.begin()->first <= untilUs) {
        auto [at, e] = *events.begin();
        events.erase(events.begin());
        now = std::max(now, at);
        if (e.kind == Event::ExecuteDone)
            finishExecution(e.code, e.parameter, e.id, now);
        else
            endSessionNow(now);
    }
}

void Camera::Impl::endSessionNow(uint64_t atUs) {
    out.send({kSessionEnd}, atUs, baud);
    session = false;
    baud = kIdleBaud;
    mode = Mode::Idle;
    closedSend.reset();
    frame.clear();
}

void Camera::Impl::finishExecution(int code, int parameter, uint64_t id, uint64_t atUs) {
    if (id != executionId || !executing) return;
    executing = false;
    bool ok = profile.failingPrograms.count({code, parameter}) == 0;
    if (session) out.send({ok ? kEnq : kDc1}, atUs, baud);
    if (hooks.onExecuteDone) hooks.onExecuteDone(code, parameter, ok);
}

Camera::Camera(Profile profile) : impl_(std::make_unique<Impl>(std::move(profile))) {}
Camera::~Camera() = default;

void Camera::receive(const uint8_t* data, size_t n, uint64_t startUs, int hostBaud) {
    Impl& m = *impl_;
    startUs = std::max(startUs, m.now);
    int rate = hostBaud != 0 ? hostBaud : m.baud;
    for (size_t i = 0; i < n; ++i) {
        uint64_t at = startUs + lineTimeUs(i + 1, rate);
        m.runEvents(at);
        m.now = std::max(m.now, at);
        uint8_t b = data[i];
        if (m.profile.checkLineSpeed && hostBaud != 0 && hostBaud != m.baud) {
            b = kGarbled;
            ++m.stats.garbledBytes;
        }
        m.onByte(b, at);
    }
}

size_t Camera::read(uint8_t* out, size_t max, uint64_t untilUs, uint64_t* lastByteUs,
                    int hostBaud) {
    Impl& m = *impl_;
    size_t got = 0;
    while (got < max) {
        uint64_t byteAt = m.out.frontUs();
        uint64_t eventAt = m.events.empty() ? kNever : m.events.begin()->first;
        if (eventAt <= untilUs && eventAt <= byteAt) {
            m.runEvents(eventAt);
            continue;
        }
        if (byteAt > untilUs) break;
        LineByte b = m.out.pop();
        bool mismatch = m.profile.checkLineSpeed && hostBaud != 0 && hostBaud != b.baud;
        out[got++] = mismatch ? kGarbled : b.value;
        if (lastByteUs != nullptr) *lastByteUs = b.atUs;
    }
    return got;
}

uint64_t Camera::nextOutputUs() const {
    uint64_t eventAt = impl_->events.empty() ? kNever : impl_->events.begin()->first;
    return std::min(impl_->out.frontUs(), eventAt);
}

void Camera::discardOutput(uint64_t untilUs) {
    advanceTo(untilUs);
    impl_->out.discard(untilUs);
}

void Camera::advanceTo(uint64_t us) {
    impl_->runEvents(us);
    impl_->now = std::max(impl_->now, us);
}

void Camera::endSession(uint64_t atUs) {
    if (atUs <= impl_->now) {
        impl_->endSessionNow(impl_->now);
        return;
    }
    impl_->events.insert({atUs, {Impl::Event::SessionEnd}});
}

bool Camera::sessionOpen() const {
    return impl_->session;
}
int Camera::baud() const {
    return impl_->baud;
}
bool Camera::executing() const {
    return impl_->executing;
}
uint64_t Camera::nowUs() const {
    return impl_->now;
}
Profile& Camera::profile() {
    return impl_->profile;
}
FaultPlan& Camera::faults() {
    return impl_->faults;
}
Hooks& Camera::hooks() {
    return impl_->hooks;
}
const std::vector<LogEntry>& Camera::log() const {
    return impl_->log;
}
void Camera::clearLog() {
    impl_->log.clear();
    impl_->logIndex = SIZE_MAX;
}
const Stats& Camera::stats() const {
    return impl_->stats;
}

}  // namespace camsim
