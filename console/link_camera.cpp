#include "console/link_camera.h"

#include <atomic>

namespace orvia {

namespace {
// The camera whose progress function the library's callback reaches.
std::atomic<LinkCamera*> progressOwner{nullptr};
}  // namespace

LinkCamera::~LinkCamera() {
    LinkCamera* self = this;
    progressOwner.compare_exchange_strong(self, nullptr);
}

int32_t QORLINK_CALL LinkCamera::progressTrampoline(int32_t user, int32_t zero, int32_t percent) {
    LinkCamera* owner = progressOwner.load();
    if (owner == nullptr || !owner->progress_) return 1;
    int32_t result = 1;
    owner->runner_.onCallerThread([&] { result = owner->progress_(user, zero, percent); });
    return result;
}

int32_t LinkCamera::setup_callback(ProgressFn fn, int32_t user) {
    progress_ = std::move(fn);
    const bool active = static_cast<bool>(progress_);
    if (active) progressOwner.store(this);
    return runner_.run(
        [&] { return Cam_setup_callback(active ? &progressTrampoline : nullptr, user); });
}

#define ORVIA_CAMERA_FORWARD(name, params, args)             \
    int32_t LinkCamera::name params {                        \
        return runner_.run([&] { return Cam_##name args; }); \
    }
ORVIA_CAMERA_CALLS(ORVIA_CAMERA_FORWARD)
#undef ORVIA_CAMERA_FORWARD

}  // namespace orvia
