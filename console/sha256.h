// SHA-256 of a file, so that a station record names exactly which bytes went into a camera.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace orvia {

// The digest of `n` bytes at `data`, in lower-case hexadecimal.
std::string sha256Hex(const uint8_t* data, size_t n);

// The digest of the file at `path`, in lower-case hexadecimal; nothing when it cannot be read.
std::optional<std::string> fileSha256(const std::string& path);

}  // namespace orvia
