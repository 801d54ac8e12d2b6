// The version block stored in the library file (see version_block.cpp.in).
#pragma once

#include <cstddef>

namespace qorlink {

inline constexpr char kVersionBlockMarker[] = "QORLINK-VERSION-BLOCK";

const char* versionBlock();
size_t versionBlockSize();

}  // namespace qorlink
