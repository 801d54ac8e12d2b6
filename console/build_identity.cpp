#include "console/build_identity.h"

#include <fstream>
#include <iterator>

namespace orvia {

namespace {

constexpr char kPrivateBuild[] = "PrivateBuild";
constexpr std::string_view kServiceBuilds[] = {"DOVRA", "GORVIK"};

bool printable(std::string_view s) {
    for (char c : s) {
        if (static_cast<unsigned char>(c) < 0x20 || static_cast<unsigned char>(c) > 0x7E) {
            return false;
        }
    }
    return true;
}

// Reads the NUL-terminated text at `pos`; false when the bytes end first.
bool takeText(std::string_view bytes, size_t& pos, std::string_view& out) {
    size_t end = bytes.find('\0', pos);
    if (end == std::string_view::npos) return false;
    out = bytes.substr(pos, end - pos);
    pos = end + 1;
    return true;
}

// Parses the pairs following a marker at `pos`. Only a well-formed, terminated list with at
// least one pair counts, so a stray copy of the marker text is passed over.
std::optional<std::map<std::string, std::string>> parsePairs(std::string_view bytes, size_t pos) {
    std::map<std::string, std::string> values;
    for (;;) {
        std::string_view name, value;
        if (!takeText(bytes, pos, name)) return std::nullopt;
        if (name.empty()) break;
        if (!printable(name) || !takeText(bytes, pos, value) || !printable(value)) {
            return std::nullopt;
        }
        values.emplace(name, value);
    }
    if (values.empty()) return std::nullopt;
    return values;
}

}  // namespace

std::optional<std::string> BuildIdentity::privateBuild() const {
    auto it = values.find(kPrivateBuild);
    if (it == values.end()) return std::nullopt;
    return it->second;
}

BuildIdentity parseBuildIdentity(std::string_view bytes) {
    const std::string_view marker(kVersionBlockMarker, sizeof kVersionBlockMarker);  // with NUL
    for (size_t at = bytes.find(marker); at != std::string_view::npos;
         at = bytes.find(marker, at + 1)) {
        if (auto values = parsePairs(bytes, at + marker.size())) {
            return BuildIdentity{true, std::move(*values)};
        }
    }
    return {};
}

BuildIdentity readBuildIdentity(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return {};
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return parseBuildIdentity(bytes);
}

bool asksLanguageWithoutServiceId(const BuildIdentity& identity) {
    if (!identity.hasBlock) return false;
    auto build = identity.privateBuild();
    if (!build) return true;
    for (std::string_view s : kServiceBuilds) {
        if (*build == s) return true;
    }
    return false;
}

}  // namespace orvia
