// Fuzz target: the LCD information record (eight signed words) as the register lists take it, for
// every panel class. A word becomes its list's selection after the list's offset; a value the list
// does not hold leaves the list without a selection, and a list the class does not read keeps
// none.
#include <cstddef>
#include <cstdint>
#include <optional>

#include "console/lcd_registers.h"
#include "console/main_dialog.h"
#include "fuzz_console.h"

namespace {

using orvia::fuzz::Check;
namespace idc = orvia::idc;

struct Register {
    int list;
    int32_t orvia::MainDialog::*member;
};
constexpr Register kRegisters[] = {
    {idc::kRBright, &orvia::MainDialog::rBright},     {idc::kBBright, &orvia::MainDialog::bBright},
    {idc::kRgbOffset, &orvia::MainDialog::rgbOffset}, {idc::kGain, &orvia::MainDialog::gain},
    {idc::kTint, &orvia::MainDialog::tint},           {idc::kPhase, &orvia::MainDialog::phase},
    {idc::kHAfc, &orvia::MainDialog::hAfc},           {idc::kVcompp, &orvia::MainDialog::vcompp},
    {idc::kVcomdc, &orvia::MainDialog::vcomdc},
};

// What each list is given from the record words `i` (word and offset), nothing for a list left
// alone: `panelOnly` for the part every class but 5 shares.
std::optional<int64_t> Expected(int list, int32_t cls, const int32_t (&i)[8], bool panelOnly) {
    const bool panel = panelOnly || cls != 5;
    switch (list) {
        case idc::kRgbOffset:
            return panel ? std::optional<int64_t>(i[1]) : std::nullopt;
        case idc::kGain:
            return panel ? std::optional<int64_t>(i[3]) : std::nullopt;
        case idc::kTint:
            return panel ? std::optional<int64_t>(int64_t{i[4]} - 11) : std::nullopt;
        case idc::kRBright:
            return panel ? std::optional<int64_t>(i[5]) : std::nullopt;
        case idc::kBBright:
            return panel ? std::optional<int64_t>(i[6]) : std::nullopt;
        case idc::kHAfc:
            return panel ? std::optional<int64_t>(int64_t{i[2]} + 14) : std::nullopt;
        case idc::kVcompp:
            return !panelOnly && (cls == 5 || cls == 2 || cls == 3) ? std::optional<int64_t>(i[7])
                                                                    : std::nullopt;
        case idc::kVcomdc:
            return !panelOnly && (cls == 5 || cls == 2) ? std::optional<int64_t>(i[0])
                                                        : std::nullopt;
        case idc::kPhase:
            return !panelOnly && cls != 5 && cls != 2 && cls != 3
                       ? std::optional<int64_t>(int64_t{i[7]} - 11)
                       : std::nullopt;
        default:
            return std::nullopt;
    }
}

void CheckLists(orvia::MainDialog& dialog, int32_t cls, const int32_t (&i)[8], bool panelOnly) {
    dialog.writeBack();
    dialog.readControls();
    for (const Register& r : kRegisters) {
        const auto items = static_cast<int64_t>(dialog.control(r.list).items.size());
        const std::optional<int64_t> e = Expected(r.list, cls, i, panelOnly);
        const int64_t shown = e && *e >= 0 && *e < items ? *e : -1;
        Check(dialog.*r.member == shown);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // The panel class (0-15), then the record's words, little-endian.
    orvia::fuzz::Bytes bytes(data, size);
    const int32_t cls = bytes.byte() % 16;
    int32_t i[8];
    for (int32_t& w : i)
        w = bytes.word();

    orvia::fuzz::QuietCamera camera;
    orvia::fuzz::Bench bench(camera);
    orvia::MainDialog lcd(bench.context);
    lcd.lcdType = cls;
    orvia::assignLcdRegisters(lcd, i);
    CheckLists(lcd, cls, i, false);

    orvia::fuzz::Bench viewfinderBench(camera);
    orvia::MainDialog viewfinder(viewfinderBench.context);
    viewfinder.lcdType = cls;
    orvia::assignPanelRegisters(viewfinder, i);
    CheckLists(viewfinder, cls, i, true);
    return 0;
}
