// Service-ID stand-in: tells the console which technician is at the bench.
//
// NcGetUserID(buffer) fills the first 16-bit word of a 4-byte buffer with the technician ID and
// returns non-zero; it returns 0 when no ID is configured. The ID comes from the environment
// variable ULMORA_TECHNICIAN_ID, or else from the line "technician_id = N" of the settings file
// ulmora.conf beside this library. N is decimal or 0x-prefixed hexadecimal, 0 to 65535.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <optional>
#include <string>

#include "library_directory.h"

#if defined(_WIN32)
#define ULMORA_EXPORT extern "C" __declspec(dllexport)
#else
#define ULMORA_EXPORT extern "C" __attribute__((visibility("default")))
#endif

namespace {

constexpr char kEnvironmentName[] = "ULMORA_TECHNICIAN_ID";
constexpr char kSettingsFile[] = "ulmora.conf";
constexpr char kSettingName[] = "technician_id";

std::optional<uint16_t> parseId(const std::string& text) {
    const char* begin = text.c_str();
    while (*begin == ' ' || *begin == '\t')
        ++begin;
    if (*begin == '\0' || *begin == '-') return std::nullopt;
    char* end = nullptr;
    const unsigned long value = std::strtoul(begin, &end, 0);
    while (*end == ' ' || *end == '\t' || *end == '\r' || *end == '\n')
        ++end;
    if (*end != '\0' || value > 0xFFFF) return std::nullopt;
    return static_cast<uint16_t>(value);
}

std::optional<uint16_t> idFromSettings() {
    std::ifstream in(ulmora::libraryDirectory() + "/" + kSettingsFile);
    std::string line;
    while (std::getline(in, line)) {
        const size_t eq = line.find('=');
        if (eq == std::string::npos) continue;
        std::string name = line.substr(0, eq);
        name.erase(name.find_last_not_of(" \t") + 1);
        name.erase(0, name.find_first_not_of(" \t"));
        if (name == kSettingName) return parseId(line.substr(eq + 1));
    }
    return std::nullopt;
}

}  // namespace

ULMORA_EXPORT int32_t NcGetUserID(void* buffer) {
    if (buffer == nullptr) return 0;
    std::optional<uint16_t> id;
    if (const char* env = std::getenv(kEnvironmentName)) {
        id = parseId(env);
    } else {
        id = idFromSettings();
    }
    if (!id) return 0;
    std::memcpy(buffer, &*id, sizeof(uint16_t));
    return 1;
}
