// A session with the software camera and its catalogue model on the virtual platform, for the
// catalogue tests that need a whole camera.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "camsim/catalogue_profile.h"
#include "qorlink.h"
#include "virtual_platform.h"

namespace qorlink::test {

inline camsim::Profile CatalogueProfile() {
    camsim::Profile p = camsim::defaultProfile();
    camsim::addCatalogueRecords(p);
    return p;
}

inline std::vector<uint8_t> Pattern(size_t n, unsigned salt = 0) {
    std::vector<uint8_t> b(n);
    for (size_t i = 0; i < n; ++i)
        b[i] = static_cast<uint8_t>(i * 31 + i / 253 + salt);
    return b;
}

class CamsimSessionTest : public ::testing::Test {
  protected:
    void SetUp() override {
        platform_.attach(1, camera_);
        Cam_reset_dll();
        ASSERT_EQ(Cam_set_speed(5), 0);
        ASSERT_EQ(Cam_set_port(1), 1);
        ASSERT_EQ(Cam_session_enabled(1), 0);
    }
    void TearDown() override { Cam_reset_dll(); }

    uint64_t nowMs() { return platform_.clock().nowUs() / 1000; }

    camsim::Camera camera_{CatalogueProfile()};
    camsim::CatalogueModel model_{camera_};
    VirtualPlatform platform_;
    ScopedPlatform installed_{platform_};
};

}  // namespace qorlink::test
