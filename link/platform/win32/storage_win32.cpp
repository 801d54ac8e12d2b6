#include "win32/storage_win32.h"

namespace qorlink::win32 {

std::vector<std::string> listCameraDrives() {
    return {};
}

std::unique_ptr<ScsiDevice> openCameraDrive(const std::string&) {
    return nullptr;
}

}  // namespace qorlink::win32
