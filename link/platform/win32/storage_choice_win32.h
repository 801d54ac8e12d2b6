// Which storage backend reaches camera drives on this system.
//
// Windows 9x systems (major version 4 with a non-zero minor) have no pass-through and use the
// ASPI layer; NT systems above version 4 use the direct SCSI pass-through; any other system
// reaches no camera drives. The environment variable QORLINK_STORAGE, when it holds
// "passthrough", "aspi" or "none", chooses instead (to try the ASPI layer on an NT system, or to
// keep the library away from drives altogether).
#pragma once

#include <cstdint>
#include <optional>

namespace qorlink::win32 {

enum class StorageChoice { None, PassThrough, Aspi };

// The backend for a system version as GetVersionEx reports it.
StorageChoice chooseStorage(uint32_t platformId, uint32_t major, uint32_t minor);
// The choice a QORLINK_STORAGE value names; nullopt for a null, empty or unknown value.
std::optional<StorageChoice> parseStorageChoice(const char* text);

// This process's choice, decided at its first use from the variable or the system's version.
StorageChoice storageChoice();
// Replaces the process's choice; nullopt decides it afresh at the next use. For tests, which
// reach each backend on one system.
void overrideStorageChoice(std::optional<StorageChoice> choice);

}  // namespace qorlink::win32
