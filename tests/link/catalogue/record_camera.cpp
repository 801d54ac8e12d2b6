#include "record_camera.h"

#include <algorithm>

namespace qorlink::test {

RecordCamera::RecordCamera(ScriptedLine& line) {
    line.setHandler([this](const Bytes& unit) { return handle(unit); });
}

std::vector<CommandSeen> RecordCamera::withCode(int code) const {
    std::vector<CommandSeen> out;
    for (const CommandSeen& c : commands)
        if (c.code == code) out.push_back(c);
    return out;
}

Bytes RecordCamera::nextFetchFrame() {
    if (fetchFrames_.empty()) return {};
    lastFrame_ = fetchFrames_.front();
    fetchFrames_.pop_front();
    return lastFrame_;
}

Bytes RecordCamera::handle(const Bytes& unit) {
    if (unit.size() == 1) {
        switch (unit[0]) {
            case 0x00:
                return {0x15};  // probe
            case 0x06:
                return nextFetchFrame();  // ACK: the next frame of a fetch, if any
            case 0x15:
                return lastFrame_;  // NAK: again
            case 0x18:
                fetchFrames_.clear();
                return {};
            default:
                return {};
        }
    }
    if (unit[0] == 2 || unit[0] == 3) {
        ++dataFrames;
        Bytes& data = received[sendCode_];
        data.insert(data.end(), unit.begin() + 4, unit.end() - 2);
        return {0x06};
    }
    CommandSeen seen;
    seen.cls = unit[1];
    seen.op = unit[4];
    seen.code = unit[5] + (unit[1] == 0x44 ? 256 : 0);
    seen.payload.assign(unit.begin() + 6, unit.end() - 2);
    seen.frame = unit;
    if (seen.cls == 0x53) return {0x06};
    const int code = seen.code;
    if (!(seen.op == 1 && code == 18)) commands.push_back(seen);
    fetchFrames_.clear();
    switch (seen.op) {
        case 0: {
            if (refuse.count(code)) return {0x11};
            const Bytes& p = seen.payload;
            values[code] = static_cast<int32_t>(p[0] | p[1] << 8 | p[2] << 16 |
                                                static_cast<uint32_t>(p[3]) << 24);
            return {0x06};
        }
        case 1:
            if (code == 18) return ValueReply(1);
            if (endSessionOnce.erase(code)) return {0xFF};
            if (silent.count(code)) return {};
            return ValueReply(values.count(code) ? values[code] : 0);
        case 2:
            return refuse.count(code) ? Bytes{0x11} : Bytes{0x06};
        case 3:
        case 5:
            sendCode_ = code;
            received[code] = seen.payload;
            return refuse.count(code) ? Bytes{0x11} : Bytes{0x06};
        case 4:
        case 6: {
            if (endSessionOnce.erase(code)) return {0xFF};
            if (silent.count(code)) return {};
            const Bytes& record = records[code];
            const size_t block = seen.op == 6 ? 32768 : 2048;
            size_t pos = 0;
            uint8_t seq = 0;
            do {
                const size_t n = std::min(block, record.size() - pos);
                const bool last = pos + n >= record.size();
                fetchFrames_.push_back(
                    DataFrame(last ? 3 : 2, seq++,
                              Bytes(record.begin() + static_cast<long>(pos),
                                    record.begin() + static_cast<long>(pos + n))));
                pos += n;
            } while (pos < record.size());
            return nextFetchFrame();
        }
        default:
            return {0x11};
    }
}

}  // namespace qorlink::test
