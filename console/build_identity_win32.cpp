#include <windows.h>

#include <cstdio>
#include <cstring>
#include <optional>
#include <vector>

#include "console/build_identity.h"

namespace orvia {

namespace {

constexpr char kTranslationQuery[] = "\\VarFileInfo\\Translation";
// The string table of one translation: language (low word) first, then code page.
constexpr char kStringQueryFormat[] = "\\StringFileInfo\\%04x%04x\\%s";
constexpr const char* kValueNames[] = {"FileVersion",  "ProductVersion",   "FileDescription",
                                       "InternalName", "OriginalFilename", "SpecialBuild",
                                       "PrivateBuild"};

struct Translation {
    WORD language;
    WORD codePage;
};

// The file's whole version information; empty when it has none.
std::vector<char> versionInfo(const std::string& path) {
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeA(path.c_str(), &ignored);
    if (size == 0) return {};
    std::vector<char> info(size);
    if (!GetFileVersionInfoA(path.c_str(), 0, size, info.data())) return {};
    return info;
}

// The string value `name` of the table of `t`, up to its terminating zero.
std::optional<std::string> stringValue(std::vector<char>& info, Translation t, const char* name) {
    char query[96];
    std::snprintf(query, sizeof query, kStringQueryFormat, unsigned{t.language},
                  unsigned{t.codePage}, name);
    char* value = nullptr;
    UINT length = 0;
    if (!VerQueryValueA(info.data(), query, reinterpret_cast<void**>(&value), &length) ||
        value == nullptr)
        return std::nullopt;
    return std::string(value, strnlen(value, length));
}

}  // namespace

BuildIdentity readLibraryBuildIdentity(const std::string& path) {
    std::vector<char> info = versionInfo(path);
    if (info.empty()) return {};
    Translation* translations = nullptr;
    UINT bytes = 0;
    if (!VerQueryValueA(info.data(), kTranslationQuery, reinterpret_cast<void**>(&translations),
                        &bytes) ||
        translations == nullptr || bytes < sizeof(Translation))
        return {};
    BuildIdentity identity;
    identity.hasBlock = true;
    for (const char* name : kValueNames) {
        if (auto value = stringValue(info, translations[0], name))
            identity.values.emplace(name, std::move(*value));
    }
    return identity;
}

}  // namespace orvia
