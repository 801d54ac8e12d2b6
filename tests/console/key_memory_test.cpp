// Key memory: zeroed pages of their own that a core dump leaves out.
#include "console/key_memory.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <sstream>
#include <string>

namespace orvia {
namespace {

#ifdef __linux__
// The VmFlags line of the mapping that holds `p`, from the kernel's own account.
std::string mappingFlags(const void* p) {
    const auto at = reinterpret_cast<uintptr_t>(p);
    std::ifstream maps("/proc/self/smaps");
    bool inside = false;
    for (std::string line; std::getline(maps, line);) {
        uintptr_t from = 0, to = 0;
        char dash = 0;
        std::istringstream range(line);
        if (range >> std::hex >> from >> dash >> to && dash == '-') {
            inside = at >= from && at < to;
        } else if (inside && line.starts_with("VmFlags:")) {
            return line;
        }
    }
    return {};
}

TEST(KeyMemory, IsZeroedAndLeftOutOfCoreDumps) {
    KeyMemory key(300);
    ASSERT_NE(key.data(), nullptr);
    for (size_t i = 0; i < key.size(); ++i)
        ASSERT_EQ(key.data()[i], 0) << i;
    EXPECT_TRUE(key.excludedFromDumps());
    const std::string flags = mappingFlags(key.data());
    EXPECT_NE(flags.find(" dd"), std::string::npos) << flags;
}
#endif

}  // namespace
}  // namespace orvia
