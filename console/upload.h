// The Upload group's procedures: firmware, and the image, font and NAND data files.
//
// A firmware upload sends the chosen file with the firmware load selector, commits it, waits for
// the camera to restart with it and reads the new version. A data upload tells the kind of file
// from its name (".JPG" image, ".BIN" font or NAND data) and, for ".BIN", from its first bytes,
// then sends and commits it. Every bad file (missing, unreadable, empty, too large, of another
// kind) ends the procedure with a box before anything reaches the camera.
#pragma once

#include <optional>
#include <string>

#include "console/dialog_context.h"
#include "console/outcome.h"

namespace orvia {

// Firmware (button 1015). The outcome holds the file, its SHA-256 ("file_sha256") and the
// versions before and after ("firmware_before", "firmware_after") where they were read. A commit
// the camera refuses and a camera that does not answer after its restart are failures; the
// models that restart quickly are not asked for their version, and the box says so.
Outcome uploadFirmware(DialogContext& ctx);
// Data (button 1016). A commit the camera refuses is a failure.
Outcome uploadData(DialogContext& ctx);

enum class DataKind { Image, FontData, NandData };

// The kind of a data file, from the text after the last '.' of `path` (letter case ignored)
// and, for ".BIN", from the file's first bytes; nothing for any other name.
std::optional<DataKind> dataKindOf(const std::string& path);

}  // namespace orvia
