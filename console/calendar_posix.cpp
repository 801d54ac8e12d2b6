#include "console/calendar.h"

namespace orvia {

std::tm localParts(std::time_t t) {
    std::tm parts{};
    if (localtime_r(&t, &parts) == nullptr) return {};
    return parts;
}

std::tm utcParts(std::time_t t) {
    std::tm parts{};
    if (gmtime_r(&t, &parts) == nullptr) return {};
    return parts;
}

}  // namespace orvia
