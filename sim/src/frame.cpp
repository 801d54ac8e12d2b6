#include "camsim/frame.h"

namespace camsim {

uint16_t payloadSum(const uint8_t* data, size_t n) {
    uint16_t sum = 0;
    for (size_t i = 0; i < n; ++i)
        sum = static_cast<uint16_t>(sum + data[i]);
    return sum;
}

std::vector<uint8_t> buildFrame(uint8_t type, uint8_t second, const std::vector<uint8_t>& payload,
                                bool summed) {
    std::vector<uint8_t> f;
    f.reserve(payload.size() + kFrameOverhead);
    f.push_back(type);
    f.push_back(second);
    f.push_back(static_cast<uint8_t>(payload.size() & 0xFF));
    f.push_back(static_cast<uint8_t>(payload.size() >> 8));
    f.insert(f.end(), payload.begin(), payload.end());
    uint16_t sum = summed ? payloadSum(payload.data(), payload.size()) : kNoSum;
    f.push_back(static_cast<uint8_t>(sum & 0xFF));
    f.push_back(static_cast<uint8_t>(sum >> 8));
    return f;
}

uint8_t classForCode(int code) {
    return code >= 256 ? kClassHigh : kClassLow;
}

namespace {

std::vector<uint8_t> command(int code, std::vector<uint8_t> payload, uint8_t cls = 0) {
    return buildFrame(kFrameCommand, cls != 0 ? cls : classForCode(code), payload);
}

uint8_t codeByte(int code) {
    return static_cast<uint8_t>(code & 0xFF);
}

std::vector<uint8_t> valueBytes(int32_t value) {
    auto v = static_cast<uint32_t>(value);
    return {static_cast<uint8_t>(v), static_cast<uint8_t>(v >> 8), static_cast<uint8_t>(v >> 16),
            static_cast<uint8_t>(v >> 24)};
}

}  // namespace

std::vector<uint8_t> setValueFrame(int code, int32_t value, uint8_t cls) {
    std::vector<uint8_t> payload{kOpSetValue, codeByte(code)};
    for (uint8_t b : valueBytes(value))
        payload.push_back(b);
    return command(code, payload, cls);
}

std::vector<uint8_t> getValueFrame(int code) {
    return command(code, {kOpGetValue, codeByte(code)});
}

std::vector<uint8_t> executeFrame(int code, uint8_t parameter) {
    return command(code, {kOpExecute, codeByte(code), parameter});
}

std::vector<uint8_t> getDataFrame(int code, int op) {
    return command(code, {static_cast<uint8_t>(op), codeByte(code)});
}

std::vector<uint8_t> sessionFrame(int32_t speedIndex) {
    return setValueFrame(kCodeSession, speedIndex, kClassSession);
}

}  // namespace camsim
