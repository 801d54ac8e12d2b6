#include "win32/aspi_layer_win32.h"

#include "win32/library_win32.h"

namespace qorlink::win32 {
namespace {

class HostEventWaiter final : public EventWaiter {
  public:
    DWORD wait(HANDLE event, DWORD ms) override { return WaitForSingleObject(event, ms); }
};

template <typename Fn>
Fn EntryPoint(LoadedLibrary& library, const char* name) {
    return reinterpret_cast<Fn>(library.symbol(name));
}

}  // namespace

EventWaiter& hostEventWaiter() {
    static HostEventWaiter waiter;
    return waiter;
}

std::shared_ptr<AspiLayer> AspiLayer::load(EventWaiter& waiter) {
    std::unique_ptr<LoadedLibrary> library = loadDll(aspi::kLibrary);
    if (!library) return nullptr;
    const auto supportInfo = EntryPoint<aspi::SupportInfoFn>(*library, aspi::kSupportInfoEntry);
    const auto send = EntryPoint<aspi::SendCommandFn>(*library, aspi::kSendCommandEntry);
    if (supportInfo == nullptr || send == nullptr) return nullptr;
    return std::make_shared<AspiLayer>(std::move(library), supportInfo, send, waiter);
}

}  // namespace qorlink::win32
