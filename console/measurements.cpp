#include "console/measurements.h"

#include <cmath>
#include <cstdlib>
#include <string>

#include "console/outcome.h"

namespace orvia {

namespace {

// The longest number text a result line carries.
constexpr size_t kNumberChars = 32;

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

// True when `at` starts a line (or the text).
bool startsLine(std::string_view text, size_t at) {
    size_t i = at;
    while (i > 0 && isBlank(text[i - 1]))
        --i;
    return i == 0 || text[i - 1] == '\n' || text[i - 1] == '\r';
}

std::optional<double> parseNumber(std::string_view rest) {
    size_t i = 0;
    while (i < rest.size() && isBlank(rest[i]))
        ++i;
    const std::string digits(rest.substr(i, kNumberChars));
    if (digits.empty()) return std::nullopt;
    char* end = nullptr;
    const double value = std::strtod(digits.c_str(), &end);
    if (end == digits.c_str() || !std::isfinite(value)) return std::nullopt;
    return value;
}

}  // namespace

std::optional<double> numberAfterName(std::string_view text, std::string_view name) {
    if (name.empty()) return std::nullopt;
    for (size_t at = text.find(name); at != std::string_view::npos; at = text.find(name, at + 1)) {
        if (!startsLine(text, at)) continue;
        size_t i = at + name.size();
        while (i < text.size() && isBlank(text[i]))
            ++i;
        if (i >= text.size() || (text[i] != ':' && text[i] != '=')) continue;
        return parseNumber(text.substr(i + 1));
    }
    return std::nullopt;
}

void addAwbGains(Outcome& outcome, std::string_view awbText) {
    struct Gain {
        const char* line;
        const char* name;
    };
    static constexpr Gain kGains[] = {
        {"R Gain", "awb_r_gain"}, {"B Gain", "awb_b_gain"}, {"AGC Gain", "agc_gain"}};
    for (const Gain& g : kGains) {
        if (const auto v = numberAfterName(awbText, g.line)) outcome.measure(g.name, *v);
    }
}

void addFocusError(Outcome& outcome, std::string_view focusText) {
    if (const auto v = numberAfterName(focusText, "AF_DIFF"))
        outcome.measure("af_diff", *v, "pulse");
}

}  // namespace orvia
