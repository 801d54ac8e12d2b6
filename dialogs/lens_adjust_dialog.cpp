#include "dialogs/lens_adjust_dialog.h"

#include <cctype>
#include <optional>
#include <span>
#include <vector>

#include "console/app_state.h"
#include "console/camera.h"
#include "console/diags.h"
#include "console/format.h"
#include "console/host.h"
#include "console/model_tables.h"
#include "console/operator.h"
#include "console/result_text.h"
#include "console/texts.h"

namespace orvia {

namespace {

// How a value is typed.
enum class Form {
    SignLetter3,        // "A" or "B" (either case) and 3 digits
    Digits6,            // 1 to 6 digits
    Digits7,            // 7 digits: a 6-digit number and one more digit
    SignDigit3,         // "0" or "1" and 3 digits
    SignDigit4,         // "0" or "1" and 4 digits
    SignDigit3OrEmpty,  // as SignDigit3, or nothing (0)
};

struct LensField {
    int id;
    Form form;
    size_t chars;       // characters the write reads, and the field holds
    size_t scanOffset;  // where the field's piece stands in the code
    size_t scanLength;
    size_t recordOffset;
};

constexpr LensField kLayoutA[] = {
    {15001, Form::SignLetter3, 4, 12, 4, 0}, {15002, Form::SignLetter3, 4, 16, 4, 2},
    {15007, Form::SignLetter3, 4, 20, 4, 4}, {15003, Form::SignLetter3, 4, 24, 4, 6},
    {15004, Form::SignLetter3, 4, 28, 4, 8},
};

// The last piece of the code is five characters, of which the field takes four.
constexpr LensField kLayoutB[] = {
    {15015, Form::Digits6, 6, 0, 6, 0},      {15016, Form::Digits7, 7, 6, 7, 4},
    {15017, Form::SignDigit3, 4, 13, 4, 10}, {15018, Form::SignDigit3, 4, 17, 4, 12},
    {15019, Form::SignDigit3, 4, 21, 4, 14}, {15009, Form::SignDigit4, 5, 25, 5, 16},
    {15010, Form::SignDigit3, 4, 30, 4, 18}, {15011, Form::SignDigit3, 4, 34, 4, 20},
    {15013, Form::SignDigit4, 5, 38, 5, 22}, {15020, Form::SignDigit3OrEmpty, 4, 43, 5, 24},
};

std::span<const LensField> fieldsOf(LensLayout layout) {
    if (layout == LensLayout::A) return kLayoutA;
    return kLayoutB;
}

bool allDigits(std::string_view s) {
    for (char c : s) {
        if (!std::isdigit(static_cast<unsigned char>(c))) return false;
    }
    return true;
}

int32_t decimal(std::string_view digits) {
    int32_t v = 0;
    for (char c : digits)
        v = v * 10 + (c - '0');
    return v;
}

// A typed value and, for the 7-character form, its last digit. Nothing when the text does not
// have the field's form.
struct Typed {
    int32_t value = 0;
    int32_t extra = 0;
};
std::optional<Typed> readTyped(std::string_view t, Form form) {
    const auto signed3or4 = [&](size_t digits, char positive, char negative,
                                char negativeOther) -> std::optional<Typed> {
        if (t.size() != digits + 1 || !allDigits(t.substr(1))) return std::nullopt;
        const char sign = t[0];
        const bool isNegative = sign == negative || sign == negativeOther;
        if (!isNegative && sign != positive && sign != std::tolower(positive)) return std::nullopt;
        const int32_t magnitude = decimal(t.substr(1));
        return Typed{isNegative ? -magnitude : magnitude, 0};
    };
    switch (form) {
        case Form::SignLetter3:
            return signed3or4(3, 'A', 'B', 'b');
        case Form::Digits6:
            if (t.empty() || t.size() > 6 || !allDigits(t)) return std::nullopt;
            return Typed{decimal(t), 0};
        case Form::Digits7:
            if (t.size() != 7 || !allDigits(t)) return std::nullopt;
            return Typed{decimal(t.substr(0, 6)), decimal(t.substr(6))};
        case Form::SignDigit3OrEmpty:
            if (t.empty()) return Typed{};
            [[fallthrough]];
        case Form::SignDigit3:
            return signed3or4(3, '0', '1', '1');
        case Form::SignDigit4:
            return signed3or4(4, '0', '1', '1');
    }
    return std::nullopt;
}

void put16(uint8_t* at, int32_t v) {
    const auto u = static_cast<uint16_t>(v);
    at[0] = static_cast<uint8_t>(u);
    at[1] = static_cast<uint8_t>(u >> 8);
}
void put32(uint8_t* at, int32_t v) {
    const auto u = static_cast<uint32_t>(v);
    for (int i = 0; i < 4; ++i)
        at[i] = static_cast<uint8_t>(u >> (8 * i));
}
int32_t get16(const uint8_t* at) {
    return static_cast<int16_t>(static_cast<uint16_t>(at[0] | at[1] << 8));
}
int32_t get32(const uint8_t* at) {
    return static_cast<int32_t>(at[0] | at[1] << 8 | at[2] << 16 |
                                static_cast<uint32_t>(at[3]) << 24);
}

// A value as the read-back shows it: the sign digit and the magnitude.
std::string shownSigned(int32_t v, Form form) {
    const char sign = v < 0 ? '1' : '0';
    const int magnitude = v < 0 ? -v : v;
    return format(form == Form::SignDigit4 ? text::kLensAdjShowSign4 : text::kLensAdjShowSign3,
                  sign, magnitude);
}

// What a code reader types: digits, letters as capitals, "-" and "+"; nothing else.
std::string readerCharacters(std::string_view typed) {
    std::string out;
    for (char c : typed) {
        const auto u = static_cast<unsigned char>(c);
        if (std::isdigit(u) || c == '-' || c == '+') {
            out += c;
        } else if (std::isalpha(u) && u < 0x80) {
            out += static_cast<char>(std::toupper(u));
        }
    }
    return out;
}

// A field's value in the outcome.
void measureField(Outcome& outcome, size_t index, Form form, int32_t value, int32_t extra) {
    const std::string name = "lens_adj_value_" + std::to_string(index + 1);
    outcome.measure(name, value);
    if (form == Form::Digits7) outcome.measure(name + "_digit", extra);
}

// The record, in a buffer as large as any record the link library moves: the camera names the
// size it sends and reads, and it may name more than the layout fills.
using LensRecord = std::array<uint8_t, diag::kLensAdjMaxBytes>;

std::vector<ControlDef> lensTable(LensLayout layout) {
    using namespace controls;
    using namespace lens;
    const std::span<const LensField> fields = fieldsOf(layout);
    // Values in columns of five below the code reader's line.
    constexpr int kFirstRow = 2, kPerColumn = 5;
    // The code field takes the reader's code whichever control has the focus, and comes first
    // so that it also has the focus when the window opens.
    std::vector<ControlDef> t = {
        edit(kScan).labelled(text::kQrCodeLabel).takesTypingAnywhere().at(1, 0, 4),
        defaultButton(kScanEnter, text::kQrEnter).at(1, 4),
        check(kReaderInput, text::kCodeReaderInput).at(0, 0, 2),
    };
    for (size_t i = 0; i < fields.size(); ++i) {
        const int row = kFirstRow + static_cast<int>(i) % kPerColumn;
        const int column = static_cast<int>(i) / kPerColumn * 2;
        t.push_back(edit(fields[i].id, static_cast<int>(fields[i].chars))
                        .labelled(format(text::kLensAdjValue, static_cast<int>(i) + 1))
                        .at(row, column, 2));
    }
    constexpr int kLastRow = kFirstRow + kPerColumn;
    t.push_back(label(kStatus).statusLine(50).at(kLastRow, 0, 5));
    t.push_back(button(kWrite, text::kLensAdjWrite).at(kLastRow + 1, 0));
    if (layout == LensLayout::B) t.push_back(button(kRead, text::kLensAdjRead).at(kLastRow + 1, 1));
    t.push_back(button(kClose, text::kClose).at(kLastRow + 1, 2));
    t.push_back(button(kIdOk, text::kOk).at(kLastRow + 1, 3));
    t.push_back(button(kIdCancel, text::kCancel).at(kLastRow + 1, 4));
    return t;
}

}  // namespace

LensLayout lensLayoutFor(const std::string& cameraType) {
    return models::LensAdjLayoutBModels.matches(cameraType) ? LensLayout::B : LensLayout::A;
}

LensAdjustDialog::LensAdjustDialog(DialogContext& ctx, LensLayout layout)
    : DialogModel(layout == LensLayout::A ? lens::kTemplateA : lens::kTemplateB,
                  text::kLensAdjTitle, lensTable(layout)),
      ctx_(ctx),
      layout_(layout) {
    using namespace lens;
    setHandler(kReaderInput, [this] { toggleReaderInput(); });
    setHandler(kScanEnter, [this] { takeScan(); });
    setProcedure(kWrite, ctx_.op, [this] { return write(); });
    if (layout == LensLayout::B) setProcedure(kRead, ctx_.op, [this] { return readBack(); });
    setHandler(kClose, [this] { end(kClose); });
}

void LensAdjustDialog::exchange(DataExchange& dx) {
    const std::span<const LensField> f = fieldsOf(layout_);
    for (size_t i = 0; i < f.size(); ++i)
        dx.text(f[i].id, fields[i]);
    dx.text(lens::kScan, scan);
    dx.check(lens::kReaderInput, readerInput);
    dx.text(lens::kStatus, status);
}

void LensAdjustDialog::initialise() {
    readerInput = 1;
    scan.clear();
    writeBack();
    if (layout_ == LensLayout::B) setVisible(lens::kRead, ctx_.state.lensReadBackAllowed);
    applyEnabling();
}

void LensAdjustDialog::toggleReaderInput() {
    readControls();
    applyEnabling();
}

void LensAdjustDialog::applyEnabling() {
    const bool reader = control(lens::kReaderInput).checked;
    for (const LensField& f : fieldsOf(layout_))
        setEnabled(f.id, !reader);
    setEnabled(lens::kScan, reader);
    setEnabled(lens::kScanEnter, reader);
}

void LensAdjustDialog::takeScan() {
    readControls();
    if (readerInput == 0) return;  // the reader's Enter is taken only while its input is on
    const std::string code = readerCharacters(scan);
    if (!code.empty()) {
        const std::span<const LensField> f = fieldsOf(layout_);
        for (size_t i = 0; i < f.size(); ++i) {
            const std::string piece =
                f[i].scanOffset < code.size() ? code.substr(f[i].scanOffset, f[i].scanLength) : "";
            fields[i] = piece.substr(0, f[i].chars);
        }
    }
    scan.clear();
    writeBack();
}

void LensAdjustDialog::show(const std::string& text) {
    status = text;
    writeBack();
    ctx_.op.refresh(*this);
}

Outcome LensAdjustDialog::write() {
    readControls();
    // Every value is checked before anything is sent.
    const std::span<const LensField> f = fieldsOf(layout_);
    std::vector<Typed> values;
    for (size_t i = 0; i < f.size(); ++i) {
        const std::string_view typed = std::string_view(fields[i]).substr(0, f[i].chars);
        const std::optional<Typed> v = readTyped(typed, f[i].form);
        if (!v) {
            show(text::kStatusInputError);
            return Outcome::failed(0, text::kStatusInputError);
        }
        values.push_back(*v);
    }
    WaitCursor busy(ctx_.op);
    show(text::kStatusLensAdjStart);
    LensRecord record{};
    for (size_t i = 0; i < f.size(); ++i) {
        uint8_t* at = record.data() + f[i].recordOffset;
        if (f[i].form == Form::Digits6 || f[i].form == Form::Digits7) {
            put32(at, values[i].value);
            if (f[i].form == Form::Digits7) put16(at + 4, values[i].extra);
        } else {
            put16(at, values[i].value);
        }
    }
    if (const int32_t r = ctx_.camera.set_lens_adj_param(record.data()); r != 0) {
        std::string shown = format(text::kStatusError, ctx_.texts.text(r).c_str());
        show(shown);
        return Outcome::failed(r, std::move(shown));
    }
    // The values written are cleared: the next camera gets only the values of its own code, and
    // a second Write without a new code or typing is refused as an input error.
    for (std::string& field : fields)
        field.clear();
    show(text::kStatusLensAdjEnd);
    Outcome outcome;
    for (size_t i = 0; i < f.size(); ++i)
        measureField(outcome, i, f[i].form, values[i].value, values[i].extra);
    return outcome;
}

Outcome LensAdjustDialog::readBack() {
    WaitCursor busy(ctx_.op);
    readControls();
    LensRecord record{};
    if (const int32_t r = ctx_.camera.get_lens_adj_param(record.data()); r != 0) {
        std::string shown = format(text::kStatusError, ctx_.texts.text(r).c_str());
        show(shown);
        return Outcome::failed(r, std::move(shown));
    }
    Outcome outcome;
    const std::span<const LensField> f = fieldsOf(layout_);
    for (size_t i = 0; i < f.size(); ++i) {
        const uint8_t* at = record.data() + f[i].recordOffset;
        switch (f[i].form) {
            case Form::Digits6:
                fields[i] = format(text::kLensAdjShow6, static_cast<long>(get32(at)));
                measureField(outcome, i, f[i].form, get32(at), 0);
                break;
            case Form::Digits7:
                fields[i] = format(text::kLensAdjShow7, static_cast<long>(get32(at)),
                                   static_cast<int>(get16(at + 4)));
                measureField(outcome, i, f[i].form, get32(at), get16(at + 4));
                break;
            default:
                fields[i] = shownSigned(get16(at), f[i].form);
                measureField(outcome, i, f[i].form, get16(at), 0);
                break;
        }
    }
    show(text::kStatusLensAdjGetEnd);
    return outcome;
}

Outcome openLensAdjustDialog(DialogContext& ctx) {
    const LensLayout layout = lensLayoutFor(ctx.state.cameraType);
    if (layout == LensLayout::B) {
        const BuildIdentity identity = ctx.host.linkBuildIdentity();
        if (identity.hasBlock && !identity.privateBuild()) ctx.state.lensReadBackAllowed = true;
    }
    LensAdjustDialog dialog(ctx, layout);
    return runDialog(ctx.op, dialog);
}

}  // namespace orvia
