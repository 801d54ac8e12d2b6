// Judgement stand-in: says whether a calibration's result text is a pass.
//
// fnJudvane(cameraType, kind, text) returns 1 for a pass and 0 otherwise; it reads the text and
// never writes it. The camera type is not consulted: every type is judged by the same rule.
// - kind 2, AWB: every line whose name (the part before ':') ends in "Gain" must carry a
//   number within kGainTolerance of 1.000, and there must be at least one such line.
// - kind 1, Focus: the text must carry "AF_DIFF = n", the focus error in lens pulses, with
//   |n| at most kFocusTolerance.
// Any other kind, or a missing text, is not a pass. README.md in this folder has the details.
#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#if defined(_WIN32)
#define JUDVANE_EXPORT extern "C" __declspec(dllexport)
#define JUDVANE_CALL __stdcall
#else
#define JUDVANE_EXPORT extern "C" __attribute__((visibility("default")))
#define JUDVANE_CALL
#endif

namespace {

constexpr int32_t kKindFocus = 1;
constexpr int32_t kKindAwb = 2;
// Gains are compared in thousandths, the precision the camera reports them in.
constexpr long kGainTolerance = 50;  // 0.050
constexpr long kFocusTolerance = 10;
constexpr std::string_view kGainSuffix = "Gain";
constexpr std::string_view kFocusKey = "AF_DIFF = ";

// The buffer the console passes is 1024 bytes; nothing beyond it is read.
constexpr size_t kTextBytes = 1024;

std::string_view trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r'))
        s.remove_suffix(1);
    return s;
}

// The whole of `s` as a decimal number.
bool readNumber(std::string_view s, double& out) {
    const std::string copy(trim(s));
    if (copy.empty()) return false;
    char* end = nullptr;
    errno = 0;
    out = std::strtod(copy.c_str(), &end);
    return errno == 0 && end == copy.c_str() + copy.size() && std::isfinite(out);
}

bool awbPasses(std::string_view text) {
    int gains = 0;
    while (!text.empty()) {
        const size_t eol = text.find('\n');
        const std::string_view line = text.substr(0, eol);
        text = eol == std::string_view::npos ? std::string_view{} : text.substr(eol + 1);
        const size_t colon = line.find(':');
        if (colon == std::string_view::npos) continue;
        if (!trim(line.substr(0, colon)).ends_with(kGainSuffix)) continue;
        double gain = 0;
        if (!readNumber(line.substr(colon + 1), gain)) return false;
        if (std::fabs(gain - 1.0) >= 1.0 ||
            std::labs(std::lround(gain * 1000.0) - 1000) > kGainTolerance) {
            return false;
        }
        ++gains;
    }
    return gains > 0;
}

bool focusPasses(std::string_view text) {
    const size_t at = text.find(kFocusKey);
    if (at == std::string_view::npos) return false;
    const std::string rest(text.substr(at + kFocusKey.size(), 12));
    char* end = nullptr;
    errno = 0;
    const long diff = std::strtol(rest.c_str(), &end, 10);
    if (errno != 0 || end == rest.c_str()) return false;
    return std::labs(diff) <= kFocusTolerance;
}

}  // namespace

JUDVANE_EXPORT int32_t JUDVANE_CALL fnJudvane(const char* cameraType, int32_t kind, char* text) {
    (void)cameraType;
    if (text == nullptr) return 0;
    const std::string_view t(text, strnlen(text, kTextBytes));
    switch (kind) {
        case kKindAwb:
            return awbPasses(t) ? 1 : 0;
        case kKindFocus:
            return focusPasses(t) ? 1 : 0;
        default:
            return 0;
    }
}
