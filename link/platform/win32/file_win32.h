// Reading the caller's open file on Windows.
#pragma once

#include <cstdint>
#include <vector>

#include "platform.h"

namespace qorlink::win32 {

// Reads the whole file behind the Windows file handle `file` from its start.
FileRead readWholeFile(intptr_t file, std::vector<uint8_t>* bytes);

}  // namespace qorlink::win32
