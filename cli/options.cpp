#include "cli/options.h"

#include <cstdint>
#include <cstdlib>

namespace orvia::cli {

std::optional<long> number(const std::string& s) {
    if (s.empty()) return std::nullopt;
    char* end = nullptr;
    const long v = std::strtol(s.c_str(), &end, 0);
    if (*end != '\0') return std::nullopt;
    return v;
}

// Options may stand anywhere; the rest are the command's words.
std::optional<Options> parse(int argc, char** argv, std::string& error) {
    Options o;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        auto value = [&]() -> std::optional<std::string> {
            if (i + 1 >= argc) return std::nullopt;
            return std::string(argv[++i]);
        };
        auto numeric = [&](long lo, long hi) -> std::optional<long> {
            const auto v = value();
            const auto n = v ? number(*v) : std::nullopt;
            if (!n || *n < lo || *n > hi) return std::nullopt;
            return n;
        };
        if (a == "--json") {
            o.json = true;
        } else if (a == "--yes" || a == "-y") {
            o.yes = true;
        } else if (a == "--help" || a == "-h") {
            o.help = true;
        } else if (a == "--log") {
            o.log = value();
            if (!o.log) return error = a, std::nullopt;
        } else if (a == "--expect-version") {
            o.expectVersion = value();
            if (!o.expectVersion) return error = a, std::nullopt;
        } else if (a == "--port") {
            const auto n = numeric(1, 255);
            if (!n) return error = a, std::nullopt;
            o.port = static_cast<int32_t>(*n);
        } else if (a == "--speed") {
            const auto n = numeric(1, 5);
            if (!n) return error = a, std::nullopt;
            o.speed = static_cast<int32_t>(*n);
        } else if (a == "--param") {
            const auto n = numeric(INT32_MIN, INT32_MAX);
            if (!n) return error = a, std::nullopt;
            o.param = static_cast<int32_t>(*n);
        } else if (a == "--wait") {
            const auto n = numeric(0, 3600);
            if (!n) return error = a, std::nullopt;
            o.waitSeconds = static_cast<uint32_t>(*n);
        } else if (a.size() > 1 && a[0] == '-' && !number(a)) {
            return error = a, std::nullopt;
        } else {
            o.args.push_back(a);
        }
    }
    return o;
}

}  // namespace orvia::cli
