#include "console/judgement.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <memory>

#include "console/diag_run.h"
#include "console/host.h"

namespace orvia {

bool judge(Host& host, const std::string& cameraType, JudgedKind kind, std::string& text) {
    const std::unique_ptr<OutsideLibrary> library = host.loadLibrary(kJudgementLibrary);
    if (library == nullptr) return false;
    const auto entry = reinterpret_cast<JudgementEntry>(library->symbol(kJudgementEntry));
    if (entry == nullptr) return false;
    // One byte beyond the library's buffer stays zero, so the text ends inside it whatever the
    // library writes.
    std::array<char, kDiagTextBytes + 1> buffer{};
    std::memcpy(buffer.data(), text.data(), std::min(text.size(), kDiagTextBytes - 1));
    const bool passed = entry(cameraType.c_str(), static_cast<int32_t>(kind), buffer.data()) == 1;
    text.assign(buffer.data(), strnlen(buffer.data(), kDiagTextBytes));
    return passed;
}

}  // namespace orvia
