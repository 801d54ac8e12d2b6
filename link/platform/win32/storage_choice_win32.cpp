#include "win32/storage_choice_win32.h"

#include <cstdlib>
#include <cstring>
#include <mutex>

#include "win32/storage_constants_win32.h"

namespace qorlink::win32 {
namespace {

struct ChoiceName {
    const char* name;
    StorageChoice choice;
};
constexpr ChoiceName kChoiceNames[] = {
    {"passthrough", StorageChoice::PassThrough},
    {"aspi", StorageChoice::Aspi},
    {"none", StorageChoice::None},
};

StorageChoice ChoiceForThisSystem() {
    OSVERSIONINFOA version{};
    version.dwOSVersionInfoSize = sizeof version;
    if (!GetVersionExA(&version)) return StorageChoice::None;
    return chooseStorage(version.dwPlatformId, version.dwMajorVersion, version.dwMinorVersion);
}

StorageChoice DecideChoice() {
    if (const std::optional<StorageChoice> named =
            parseStorageChoice(std::getenv(kStorageVariable)))
        return *named;
    return ChoiceForThisSystem();
}

std::mutex gGuard;
std::optional<StorageChoice> gChoice;

}  // namespace

StorageChoice chooseStorage(uint32_t platformId, uint32_t major, uint32_t minor) {
    if (platformId == kPlatformWindows9x && major == kAspiMajorVersion && minor != 0)
        return StorageChoice::Aspi;
    if (platformId == kPlatformWindowsNt && major >= kPassThroughFirstMajor)
        return StorageChoice::PassThrough;
    return StorageChoice::None;
}

std::optional<StorageChoice> parseStorageChoice(const char* text) {
    if (text == nullptr) return std::nullopt;
    for (const ChoiceName& c : kChoiceNames) {
        if (std::strcmp(text, c.name) == 0) return c.choice;
    }
    return std::nullopt;
}

StorageChoice storageChoice() {
    const std::lock_guard<std::mutex> lock(gGuard);
    if (!gChoice) gChoice = DecideChoice();
    return *gChoice;
}

void overrideStorageChoice(std::optional<StorageChoice> choice) {
    const std::lock_guard<std::mutex> lock(gGuard);
    gChoice = choice;
}

}  // namespace qorlink::win32
