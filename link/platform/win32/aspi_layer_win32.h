// The ASPI for Win32 layer, loaded from wnaspi32.dll by name, and how its completions are
// awaited.
#pragma once

#include <memory>

#include "platform.h"
#include "win32/aspi_layout.h"

namespace qorlink::win32 {

// Waits for a request's completion event.
class EventWaiter {
  public:
    virtual ~EventWaiter() = default;
    // WAIT_OBJECT_0 when `event` is signalled within `ms` milliseconds, else WAIT_TIMEOUT.
    virtual DWORD wait(HANDLE event, DWORD ms) = 0;
};

// Waits on the event itself.
EventWaiter& hostEventWaiter();

// The loaded library and its two entry points; devices share it, so it stays loaded while any of
// them is open.
class AspiLayer {
  public:
    // Null when the library or either entry point is missing.
    static std::shared_ptr<AspiLayer> load(EventWaiter& waiter);

    AspiLayer(std::unique_ptr<LoadedLibrary> library, aspi::SupportInfoFn supportInfo,
              aspi::SendCommandFn send, EventWaiter& waiter)
        : library_(std::move(library)), supportInfo_(supportInfo), send_(send), waiter_(waiter) {}

    DWORD supportInfo() const { return supportInfo_(); }
    DWORD send(void* request) const { return send_(request); }
    EventWaiter& waiter() const { return waiter_; }

  private:
    std::unique_ptr<LoadedLibrary> library_;
    aspi::SupportInfoFn supportInfo_;
    aspi::SendCommandFn send_;
    EventWaiter& waiter_;
};

}  // namespace qorlink::win32
