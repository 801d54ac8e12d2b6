#include "console/link_camera.h"

#include <atomic>
#include <type_traits>

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

// Each call's parameters are the library function's own, so no argument is converted (and
// perhaps narrowed) on its way into the library.
#define ORVIA_CAMERA_SAME_PARAMETERS(name, params, args) \
    static_assert(std::is_same_v<int32_t(QORLINK_CALL*) params, decltype(&Cam_##name)>);
ORVIA_CAMERA_CALLS(ORVIA_CAMERA_SAME_PARAMETERS)
#undef ORVIA_CAMERA_SAME_PARAMETERS

#define ORVIA_CAMERA_FORWARD(name, params, args)             \
    int32_t LinkCamera::name params {                        \
        return runner_.run([&] { return Cam_##name args; }); \
    }
ORVIA_CAMERA_CALLS(ORVIA_CAMERA_FORWARD)
#undef ORVIA_CAMERA_FORWARD

}  // namespace orvia
