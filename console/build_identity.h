// The link library's build identity, read from the library file on disk.
//
// On POSIX the library carries a version block: the marker "QORLINK-VERSION-BLOCK", a NUL, then
// "Name\0Value\0" pairs ended by an empty name. On Windows it carries a version resource, read
// through the system's version-information functions. Its PrivateBuild value names the customer
// build, which adapts the console's menus.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace orvia {

inline constexpr char kVersionBlockMarker[] = "QORLINK-VERSION-BLOCK";

struct BuildIdentity {
    bool hasBlock = false;                      // the file carries a version block
    std::map<std::string, std::string> values;  // its values by name

    // The PrivateBuild value, when the block holds one.
    std::optional<std::string> privateBuild() const;
};

// Reads the version block from the bytes of a library file. A file without a complete block
// gives an identity without one.
BuildIdentity parseBuildIdentity(std::string_view fileBytes);
// Reads the block from the file at `path`; no block when the file cannot be read.
BuildIdentity readBuildIdentity(const std::string& path);
// The identity of the library file at `path` as this system keeps it: the version block on
// POSIX; on Windows the version resource, which counts as a block when it has a translation, and
// whose values are the strings of its first translation.
BuildIdentity readLibraryBuildIdentity(const std::string& path);

// Builds whose language question is asked even without the service-ID library: those whose
// block has no PrivateBuild value, or names one of the two service builds.
bool asksLanguageWithoutServiceId(const BuildIdentity& identity);

}  // namespace orvia
