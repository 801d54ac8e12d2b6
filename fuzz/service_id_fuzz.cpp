// Fuzz target: the camera's service-ID record (stamp day, technician ID, the previous pair) as the
// start-up reads it and the main dialog shows it. A record already naming the technician is kept
// and nothing is written; any other is pushed down one pair under today's stamp and the
// technician, and written back whole. The main dialog shows both pairs as 16-bit hexadecimal.
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <optional>
#include <string>

#include "console/app.h"
#include "console/main_dialog.h"
#include "fuzz_console.h"

namespace {

using orvia::fuzz::Check;
using Record = std::array<uint16_t, 4>;

// What the service-ID library answers: its result and the technician ID.
int32_t gIdResult = 1;
uint16_t gTechnician = 0;

int32_t NcGetUserID(void* buffer) {
    std::memcpy(buffer, &gTechnician, sizeof gTechnician);
    return gIdResult;
}

class ServiceIdLibrary final : public orvia::OutsideLibrary {
  public:
    void* symbol(const char* name) override {
        return std::strcmp(name, "NcGetUserID") == 0 ? reinterpret_cast<void*>(&NcGetUserID)
                                                     : nullptr;
    }
};

class ServiceIdHost final : public orvia::fuzz::BareHost {
  public:
    std::unique_ptr<orvia::OutsideLibrary> loadLibrary(std::string_view name) override {
        if (name != "Ulmora.dll") return nullptr;
        return std::make_unique<ServiceIdLibrary>();
    }
};

// A camera that asks for the service ID (two-language answer) and holds the fuzzer's record.
class ServiceIdCamera final : public orvia::fuzz::QuietCamera {
  public:
    Record stored{};
    int32_t getResult = 0;
    int32_t setResult = 0;
    std::optional<Record> written;

    int32_t get_number_of_lang2() override { return 0x4E430002; }
    int32_t get_ncuser_id(void* buf) override {
        std::memcpy(buf, stored.data(), sizeof stored);
        return getResult;
    }
    int32_t set_ncuser_id(const void* buf) override {
        Check(!written.has_value());
        written.emplace();
        std::memcpy(written->data(), buf, sizeof(Record));
        return setResult;
    }
};

std::string PairText(uint16_t a, uint16_t b) {
    char text[16];
    std::snprintf(text, sizeof text, "%04X%04X", unsigned{a}, unsigned{b});
    return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // The results of the library and of the camera's get and set, the technician, the record.
    orvia::fuzz::Bytes bytes(data, size);
    const uint8_t results = bytes.byte();
    ServiceIdCamera camera;
    gIdResult = (results & 1) != 0 ? 1 : 0;
    camera.getResult = (results & 2) != 0 ? 0 : 1;
    camera.setResult = (results & 4) != 0 ? 0 : 1;
    gTechnician = static_cast<uint16_t>(bytes.byte() | bytes.byte() << 8);
    for (uint16_t& w : camera.stored)
        w = static_cast<uint16_t>(bytes.byte() | bytes.byte() << 8);

    orvia::fuzz::SleptClock clock;
    orvia::fuzz::QuietOperator op;
    ServiceIdHost host;
    orvia::CalibrationApp app(camera, clock, op, host);
    const bool started = app.startUp("");
    const Record& held = app.state().serviceIdRecord.w;

    const bool named = gIdResult != 0 && camera.getResult == 0;
    const bool kept = named && camera.stored[1] == gTechnician;
    if (kept) {
        Check(started && !camera.written && held == camera.stored);
    } else if (named) {
        const Record pushed = {held[0], gTechnician, camera.stored[0], camera.stored[1]};
        Check(camera.written && *camera.written == pushed && held == pushed);
        Check(started == (camera.setResult == 0));
    } else {
        Check(!started && !camera.written);
    }
    if (!started) return 0;

    orvia::MainDialog& dialog = *app.mainWindow();
    dialog.initialise();
    Check(dialog.previousId == PairText(held[0], held[1]));
    Check(dialog.prePreviousId == PairText(held[2], held[3]));
    return 0;
}
