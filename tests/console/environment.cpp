#include "environment.h"

#include <cstdlib>
#include <filesystem>
#include <random>
#include <system_error>

namespace orvia::testing {

namespace {

constexpr char kTimeZone[] = "TZ";

std::optional<std::string> currentValue(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? std::optional<std::string>(value) : std::nullopt;
}

void restore(const char* name, const std::optional<std::string>& saved) {
    if (saved) {
        setEnvironment(name, saved->c_str());
    } else {
        removeEnvironment(name);
    }
}

}  // namespace

ScopedEnvironment::ScopedEnvironment(const char* name, const char* value)
    : name_(name), saved_(currentValue(name)) {
    setEnvironment(name, value);
}

ScopedEnvironment::~ScopedEnvironment() {
    restore(name_.c_str(), saved_);
}

ScopedTimeZone::ScopedTimeZone(const char* tz) : saved_(currentValue(kTimeZone)) {
    setEnvironment(kTimeZone, tz);
    reloadTimeZone();
}

ScopedTimeZone::~ScopedTimeZone() {
    restore(kTimeZone, saved_);
    reloadTimeZone();
}

std::string makeTemporaryFolder(const std::string& prefix) {
    std::error_code ec;
    const std::filesystem::path base = std::filesystem::temp_directory_path(ec);
    if (ec) return {};
    std::random_device seed;
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::filesystem::path folder = base / (prefix + std::to_string(seed()));
        if (std::filesystem::create_directory(folder, ec)) return folder.string();
    }
    return {};
}

}  // namespace orvia::testing
