#include "scripted_line.h"

#include <cstdio>

namespace qorlink::test {

class ScriptedLine::Port : public SerialPort {
  public:
    explicit Port(ScriptedLine& line) : line_(line) { line_.portOpen_ = true; }
    ~Port() override { line_.portOpen_ = false; }
    bool setLine(int baud) override {
        line_.baud_ = baud;
        return true;
    }
    bool setNoFlowControl() override { return true; }
    bool setBaud(int baud) override {
        line_.baud_ = baud;
        return true;
    }
    bool write(const uint8_t* data, size_t n) override {
        line_.hostWrote(data, n);
        return true;
    }
    int read(uint8_t* data, size_t n, uint32_t timeoutMs) override {
        return line_.hostRead(data, n, timeoutMs);
    }
    bool purge() override {
        line_.toHost_.clear();
        return true;
    }

  private:
    ScriptedLine& line_;
};

ScriptedLine::ScriptedLine(Handler handler) : handler_(std::move(handler)) {}
ScriptedLine::~ScriptedLine() = default;

void ScriptedLine::push(const Bytes& bytes) {
    toHost_.insert(toHost_.end(), bytes.begin(), bytes.end());
}

std::unique_ptr<SerialPort> ScriptedLine::openSerial(int n) {
    bool known = false;
    for (int p : ports_)
        known = known || p == n;
    if (!known || openFails_ || portOpen_) return nullptr;
    ++openCount_;
    return std::make_unique<Port>(*this);
}

void ScriptedLine::hostWrote(const uint8_t* data, size_t n) {
    writeCalls_.push_back({Bytes(data, data + n), nowMs_});
    if (pending_.empty()) pendingSince_ = nowMs_;
    pending_.insert(pending_.end(), data, data + n);
    // Hand over complete units: a frame once all of it arrived, otherwise single bytes.
    for (;;) {
        if (pending_.empty()) return;
        size_t unit = 1;
        const uint8_t type = pending_[0];
        if (type == 0x1B || type == 2 || type == 3) {
            if (pending_.size() < 4) return;
            unit = static_cast<size_t>(pending_[2] | (pending_[3] << 8)) + 6;
            if (pending_.size() < unit) return;
        }
        Bytes u(pending_.begin(), pending_.begin() + static_cast<long>(unit));
        pending_.erase(pending_.begin(), pending_.begin() + static_cast<long>(unit));
        written_.push_back({u, pendingSince_});
        pendingSince_ = nowMs_;
        if (handler_) push(handler_(u));
    }
}

int ScriptedLine::hostRead(uint8_t* data, size_t n, uint32_t timeoutMs) {
    size_t got = 0;
    while (got < n && !toHost_.empty()) {
        data[got++] = toHost_.front();
        toHost_.pop_front();
    }
    if (got < n) nowMs_ += timeoutMs;
    return static_cast<int>(got);
}

Bytes DataFrame(uint8_t type, uint8_t sequence, const Bytes& payload) {
    Bytes f{type, sequence, static_cast<uint8_t>(payload.size()),
            static_cast<uint8_t>(payload.size() >> 8)};
    uint16_t sum = 0;
    for (uint8_t b : payload)
        sum = static_cast<uint16_t>(sum + b);
    f.insert(f.end(), payload.begin(), payload.end());
    f.push_back(static_cast<uint8_t>(sum));
    f.push_back(static_cast<uint8_t>(sum >> 8));
    return f;
}

Bytes ValueReply(int32_t value, uint8_t sequence) {
    const auto v = static_cast<uint32_t>(value);
    return DataFrame(3, sequence,
                     {static_cast<uint8_t>(v), static_cast<uint8_t>(v >> 8),
                      static_cast<uint8_t>(v >> 16), static_cast<uint8_t>(v >> 24)});
}

Bytes IdleCamera(const Bytes& unit) {
    if (unit.size() == 1) return unit[0] == 0x00 ? Bytes{0x15} : Bytes{};
    if (unit[0] != 0x1B) return {0x06};
    if (unit[4] == 1) return ValueReply(1);
    return {0x06};
}

std::string Hex(const Bytes& bytes) {
    std::string s;
    char part[4];
    for (uint8_t b : bytes) {
        std::snprintf(part, sizeof part, s.empty() ? "%02X" : " %02X", b);
        s += part;
    }
    return s;
}

}  // namespace qorlink::test
