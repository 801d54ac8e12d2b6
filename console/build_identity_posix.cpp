#include "console/build_identity.h"

namespace orvia {

BuildIdentity readLibraryBuildIdentity(const std::string& path) {
    return readBuildIdentity(path);
}

}  // namespace orvia
