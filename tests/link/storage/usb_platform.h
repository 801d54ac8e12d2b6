// A virtual platform with camera drives: the scripted serial line and its virtual clock, plus
// named SCSI drives on a bus. Drives wait in the same virtual time the library sleeps in.
#pragma once

#include "scripted_line.h"
#include "virtual_scsi.h"

namespace qorlink::test {

class UsbPlatform : public ScriptedLine, public ScsiClock {
  public:
    using ScriptedLine::ScriptedLine;
    VirtualScsiBus& bus() { return bus_; }

    std::vector<std::string> listRemovableScsi() override { return bus_.names(); }
    std::unique_ptr<ScsiDevice> openScsi(const std::string& name) override {
        return bus_.open(name);
    }
    uint64_t nowUs() override { return nowMs() * 1000; }
    void advanceToUs(uint64_t us) override {
        const uint64_t now = nowUs();
        if (us > now) sleepMs(static_cast<uint32_t>((us - now + 999) / 1000));
    }

  private:
    VirtualScsiBus bus_;
};

}  // namespace qorlink::test
