// The camera facade over the real link library exports.
#pragma once

#include "console/call_runner.h"
#include "console/camera.h"

namespace orvia {

class LinkCamera final : public Camera {
  public:
    // `runner` must outlive the camera. Only one LinkCamera may hold the progress callback at a
    // time, as the library keeps one connection per process.
    explicit LinkCamera(CallRunner& runner) : runner_(runner) {}
    ~LinkCamera() override;
    LinkCamera(const LinkCamera&) = delete;
    LinkCamera& operator=(const LinkCamera&) = delete;

    int32_t setup_callback(ProgressFn fn, int32_t user) override;

#define ORVIA_CAMERA_OVERRIDE(name, params, args) int32_t name params override;
    ORVIA_CAMERA_CALLS(ORVIA_CAMERA_OVERRIDE)
#undef ORVIA_CAMERA_OVERRIDE

  private:
    static int32_t QORLINK_CALL progressTrampoline(int32_t user, int32_t zero, int32_t percent);

    CallRunner& runner_;
    ProgressFn progress_;
};

}  // namespace orvia
