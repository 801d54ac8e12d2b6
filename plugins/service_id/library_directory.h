// The folder this library was loaded from, one implementation per system
// (library_directory_posix.cpp, library_directory_win32.cpp).
#pragma once

#include <string>

namespace ulmora {

// The folder holding this library file; "." when the system does not tell.
std::string libraryDirectory();

}  // namespace ulmora
