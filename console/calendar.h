// Calendar parts of a point in time, in local time or UTC, safe to use from any thread. One
// implementation per system (calendar_posix.cpp, calendar_win32.cpp).
#pragma once

#include <ctime>

namespace orvia {

// The parts of `t` in the local time zone; all zero when the system cannot convert it.
std::tm localParts(std::time_t t);
// The parts of `t` in UTC; all zero when the system cannot convert it.
std::tm utcParts(std::time_t t);

}  // namespace orvia
