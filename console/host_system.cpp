#include <algorithm>
#include <cctype>
#include <filesystem>
#include <system_error>
#include <vector>

#include "console/host.h"
#include "console/host_system_os.h"
#include "link/platform/library_name.h"

namespace orvia {

namespace {

// An installed system keeps the outside libraries in this folder beside the link library.
constexpr char kInstalledLibraryFolder[] = "orvia";

std::string lower(std::string_view s) {
    std::string out(s);
    std::transform(out.begin(), out.end(), out.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return out;
}

}  // namespace

std::string HostSystem::programDirectory() {
    const std::string program = os::programPath();
    if (program.empty()) return ".";
    return std::filesystem::path(program).parent_path().string();
}

bool HostSystem::markerFilePresent(std::string_view name) {
    std::error_code ec;
    const std::string wanted = lower(name);
    for (const auto& entry : std::filesystem::directory_iterator(".", ec)) {
        if (lower(entry.path().filename().string()) == wanted) return true;
    }
    return false;
}

namespace {

// Where loadLibrary() looks for `file`: beside the program, then in the installed folder.
std::vector<std::filesystem::path> libraryPlaces(const std::string& file) {
    std::vector<std::filesystem::path> places = {
        std::filesystem::path(HostSystem::programDirectory()) / file};
    const std::string link = os::linkLibraryPath();
    if (!link.empty())
        places.push_back(std::filesystem::path(link).parent_path() / kInstalledLibraryFolder /
                         file);
    return places;
}

}  // namespace

std::unique_ptr<OutsideLibrary> HostSystem::loadLibrary(std::string_view windowsName) {
    for (const auto& place : libraryPlaces(qorlink::nativeLibraryName(windowsName))) {
        if (auto library = os::openLibrary(place.string())) return library;
    }
    return nullptr;
}

bool HostSystem::libraryOnlyInWorkingDirectory(std::string_view windowsName) {
    const std::string file = qorlink::nativeLibraryName(windowsName);
    std::error_code ec;
    if (!std::filesystem::is_regular_file(std::filesystem::path(".") / file, ec)) return false;
    for (const auto& place : libraryPlaces(file)) {
        if (std::filesystem::exists(place, ec)) return false;
    }
    return true;
}

BuildIdentity HostSystem::linkBuildIdentity() {
    std::error_code ec;
    const auto beside =
        std::filesystem::path(programDirectory()) / qorlink::nativeLibraryName("qorlink");
    if (std::filesystem::exists(beside, ec)) return readLibraryBuildIdentity(beside.string());
    const std::string link = os::linkLibraryPath();
    if (!link.empty()) return readLibraryBuildIdentity(link);
    return {};
}

}  // namespace orvia
