#include "service/param_dialog.h"

#include <cctype>
#include <cstdlib>
#include <limits>

#include "console/format.h"
#include "console/operator.h"
#include "console/texts.h"

namespace orvia {

namespace {

std::vector<ControlDef> paramTable() {
    using namespace controls;
    return {
        label(idc::kParamLabel, text::kParamLabel).naming(idc::kParamEdit).at(0, 0),
        edit(idc::kParamEdit).at(0, 1, 2),
        button(kIdOk, text::kParamSet).at(1, 1),
        defaultButton(kIdCancel, text::kParamCancel).at(1, 2),
    };
}

}  // namespace

std::optional<int32_t> parseParameter(std::string_view t) {
    size_t at = 0;
    while (at < t.size() && std::isspace(static_cast<unsigned char>(t[at])))
        ++at;
    const bool hex = t.size() >= at + 2 && t[at] == '0' && (t[at + 1] == 'x' || t[at + 1] == 'X');
    if (hex) {
        at += 2;
        uint64_t v = 0;
        size_t digits = 0;
        for (; at < t.size() && std::isxdigit(static_cast<unsigned char>(t[at])); ++at, ++digits) {
            const char c = static_cast<char>(std::tolower(static_cast<unsigned char>(t[at])));
            v = v * 16 + static_cast<uint64_t>(c <= '9' ? c - '0' : c - 'a' + 10);
            if (v > std::numeric_limits<uint32_t>::max()) return std::nullopt;
        }
        if (digits == 0) return std::nullopt;
        return static_cast<int32_t>(static_cast<uint32_t>(v));
    }
    bool negative = false;
    if (at < t.size() && (t[at] == '-' || t[at] == '+')) negative = t[at++] == '-';
    int64_t v = 0;
    size_t digits = 0;
    for (; at < t.size() && std::isdigit(static_cast<unsigned char>(t[at])); ++at, ++digits) {
        v = v * 10 + (t[at] - '0');
        if (v > int64_t{std::numeric_limits<int32_t>::max()} + 1) return std::nullopt;
    }
    if (digits == 0) return std::nullopt;
    if (negative) v = -v;
    if (v > std::numeric_limits<int32_t>::max()) return std::nullopt;
    return static_cast<int32_t>(v);
}

ParamDialog::ParamDialog(Operator& op, int32_t value)
    : DialogModel(kParamTemplate, text::kParamTitle, paramTable()), parameter(value), op_(op) {
    setHandler(kIdOk, [this] { set(); });
}

void ParamDialog::initialise() {
    text = format(text::kParamFormat, static_cast<unsigned>(parameter));
    writeBack();
}

void ParamDialog::exchange(DataExchange& dx) {
    dx.text(idc::kParamEdit, text);
}

void ParamDialog::set() {
    readControls();
    const std::optional<int32_t> value = parseParameter(text);
    if (!value) {
        op_.message(text::kParamNotANumber);
        return;
    }
    parameter = *value;
    if (parameter == 0) {
        op_.message(text::kParamZero);
        return;
    }
    end(kIdOk);
}

}  // namespace orvia
