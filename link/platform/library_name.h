// The one rule that maps an outside library's Windows name to its file name on this host. Header
// only, so that the console (which links only the shared library) uses the same rule.
#pragma once

#include <cctype>
#include <string>
#include <string_view>

namespace qorlink {

// The file name of a Windows library name on this host, with any leading directory (".\",
// "C:\Tools\", "dir/") dropped. On Windows it is the base name, with ".dll" when it has no
// extension: ".\Judvane.dll" -> "Judvane.dll", "qorlink" -> "qorlink.dll". On POSIX it is the
// shared-object name: the base name without its extension, in lower case, with the lib prefix
// and the .so extension: "Ravik.dll" -> "libravik.so", "qorlink" -> "libqorlink.so".
inline std::string nativeLibraryName(std::string_view windowsName) {
    const size_t separator = windowsName.find_last_of("\\/:");
    std::string_view base =
        separator == std::string_view::npos ? windowsName : windowsName.substr(separator + 1);
    const size_t dot = base.rfind('.');
#if defined(_WIN32)
    std::string file(base);
    if (dot == std::string_view::npos || dot == 0) file += ".dll";
    return file;
#else
    if (dot != std::string_view::npos && dot > 0) base = base.substr(0, dot);
    std::string file = "lib";
    for (const char ch : base)
        file += static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
    return file + ".so";
#endif
}

}  // namespace qorlink
