// printf-style formatting into a std::string, for the texts whose form is fixed as a format.
#pragma once

#include <cstdio>
#include <string>

namespace orvia {

template <typename... Args>
std::string format(const char* fmt, Args... args) {
    int n = std::snprintf(nullptr, 0, fmt, args...);
    if (n <= 0) return {};
    std::string out(static_cast<size_t>(n) + 1, '\0');
    std::snprintf(out.data(), out.size(), fmt, args...);
    out.resize(static_cast<size_t>(n));
    return out;
}

}  // namespace orvia
