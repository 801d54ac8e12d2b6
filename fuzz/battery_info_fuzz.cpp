// Fuzz target: a battery information record as the battery dialog lists it and a station records
// it. Whatever its kind and however short, the record gives one line and one measured value per
// field it holds, each a 16-bit value at most, and the dialog reads only the record's 22 bytes.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <string>

#include "console/diags.h"
#include "console/outcome.h"
#include "dialogs/battery_dialogs.h"
#include "fuzz_console.h"

namespace {

using orvia::fuzz::Check;

// Fields a whole record holds: 12 of kind 1, 14 of kind 2.
size_t FieldsOfKind(int32_t kind) {
    return kind == 1 ? 12 : kind == 2 ? 14 : 0;
}

// Lines of `text`, each ending in CR LF; -1 when the text does not end a line.
long LinesOf(const std::string& text) {
    long lines = 0;
    for (size_t at = 0; at < text.size(); ++lines) {
        const size_t end = text.find("\r\n", at);
        if (end == std::string::npos) return -1;
        at = end + 2;
    }
    return lines;
}

void CheckRecord(std::span<const uint8_t> record, int32_t kind) {
    const std::string text = orvia::batteryInfoText(record, kind);
    orvia::Outcome outcome;
    orvia::addBatteryInfo(outcome, record, kind);
    Check(LinesOf(text) == static_cast<long>(outcome.values.size()));
    Check(outcome.values.size() <= FieldsOfKind(kind));
    if (record.size() >= orvia::diag::kBatteryInfoBytes)
        Check(outcome.values.size() == FieldsOfKind(kind));
    for (const orvia::Measurement& m : outcome.values)
        Check(m.number.has_value() && *m.number >= 0 && *m.number <= 0xFFFF);
}

// A camera whose battery information record is the fuzzer's bytes, as much of them as the
// library writes.
class BatteryCamera final : public orvia::fuzz::QuietCamera {
  public:
    BatteryCamera(std::span<const uint8_t> record, int32_t result)
        : record_(record), result_(result) {}
    int32_t get_battery_info(void* buf, int32_t kind) override {
        Check(kind == 1 || kind == 2);
        const size_t n = std::min(record_.size(), orvia::diag::kBatteryInfoBytes);
        if (n > 0) std::memcpy(buf, record_.data(), n);
        return result_;
    }

  private:
    std::span<const uint8_t> record_;
    int32_t result_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // The kind (as the record's caller gives it, 0-3), a result code, then the record.
    orvia::fuzz::Bytes bytes(data, size);
    const int32_t kind = bytes.byte() % 4;
    const int32_t result = bytes.byte() % 3 == 0 ? 0 : 1;
    const std::span<const uint8_t> record = bytes.rest();
    CheckRecord(record, kind);

    BatteryCamera camera(record, result);
    orvia::fuzz::Bench bench(camera);
    orvia::BatteryInfoDialog dialog(bench.context);
    dialog.initialise();
    dialog.kindSelection = kind == 2 ? 1 : 0;
    dialog.writeBack();
    Check(dialog.command(orvia::kIdOk));
    const orvia::Outcome& outcome = *dialog.lastOutcome();
    if (result != 0) {
        Check(outcome.ending != orvia::Ending::Completed && dialog.info.empty());
    } else {
        // The kind, then every field of the kind.
        Check(outcome.values.size() == 1 + FieldsOfKind(dialog.kindSelection + 1));
        Check(LinesOf(dialog.info) == static_cast<long>(outcome.values.size() - 1));
    }
    return 0;
}
