// A test fixture with the library on a scripted line and a session open on port 1 at speed 5.
#pragma once

#include <gtest/gtest.h>

#include "qorlink.h"
#include "scripted_line.h"

namespace qorlink::test {

class ScriptedSessionTest : public ::testing::Test {
  protected:
    void SetUp() override {
        installPlatform(&line_);
        Cam_reset_dll();
        if (line_.handlerless()) line_.setHandler(IdleCamera);
        ASSERT_EQ(Cam_set_speed(5), 0);
        ASSERT_EQ(Cam_set_port(1), 1);
        ASSERT_EQ(Cam_session_enabled(1), 0);
    }
    void TearDown() override {
        Cam_reset_dll();
        installPlatform(nullptr);
    }

    ScriptedLine line_;
};

}  // namespace qorlink::test
