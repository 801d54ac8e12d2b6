// Reading a caller's open file on POSIX hosts.
#pragma once

#include <cstdint>
#include <vector>

#include "platform.h"

namespace qorlink::posix {

// Reads the whole of open file descriptor `fd` from its start: SizeUnknown when fstat fails,
// Failed when it cannot seek to the start, a read fails or the file ends before its size.
FileRead readWholeFile(int fd, std::vector<uint8_t>* bytes);

}  // namespace qorlink::posix
