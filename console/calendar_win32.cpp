#include "console/calendar.h"

namespace orvia {

std::tm localParts(std::time_t t) {
    std::tm parts{};
    if (localtime_s(&parts, &t) != 0) return {};
    return parts;
}

std::tm utcParts(std::time_t t) {
    std::tm parts{};
    if (gmtime_s(&parts, &t) != 0) return {};
    return parts;
}

}  // namespace orvia
