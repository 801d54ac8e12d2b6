#include "camsim/profile.h"

#include <algorithm>

#include "camsim/frame.h"

namespace camsim {

uint64_t Profile::executeDuration(int code, int parameter) const {
    if (auto it = executeUsByProgram.find({code, parameter}); it != executeUsByProgram.end())
        return it->second;
    if (auto it = executeUsByCode.find(code); it != executeUsByCode.end()) return it->second;
    return executeUs;
}

Profile defaultProfile() {
    Profile p;
    p.values[kCodeConnectionState] = 1;
    return p;
}

std::vector<uint8_t> textRecord(const std::string& text, size_t size) {
    std::vector<uint8_t> r(size, 0);
    size_t n = size == 0 ? 0 : std::min(text.size(), size - 1);
    for (size_t i = 0; i < n; ++i)
        r[i] = static_cast<uint8_t>(text[i]);
    return r;
}

}  // namespace camsim
