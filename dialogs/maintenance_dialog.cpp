#include "dialogs/maintenance_dialog.h"

#include <charconv>
#include <cstring>
#include <optional>

#include "console/app_state.h"
#include "console/camera.h"
#include "console/format.h"
#include "console/operator.h"
#include "console/texts.h"
#include "dialogs/adjust_support.h"

namespace orvia {

namespace {

constexpr int kHistoryGroup = -60, kCounterGroup = -61;
constexpr int kStatusHeading = -62, kReleaseHeading = -63;
constexpr int kLastLabel = -64, kSecondLabel = -65, kThirdLabel = -66;
constexpr int kStatusChars = 50;
constexpr size_t kWords = 7;  // the size word and six fields

// A field: its edit, record (0: information 4, 1: information 5), word, form, dirty bit and the
// name it is measured by.
struct Field {
    int edit;
    size_t record;
    size_t word;
    bool hex;
    uint32_t bit;
    const char* name;
};
constexpr std::array<Field, 12> kFields = {{
    {1094, 0, 1, true, 0x01, "error_status_1"},
    {1096, 0, 3, true, 0x02, "error_status_2"},
    {1098, 0, 5, true, 0x04, "error_status_3"},
    {1095, 0, 2, false, 0x08, "error_release_1"},
    {1097, 0, 4, false, 0x10, "error_release_2"},
    {1099, 0, 6, false, 0x20, "error_release_3"},
    {1100, 1, 1, false, 0x01, "release_count"},
    {1101, 1, 2, false, 0x02, "flush_count"},
    {1102, 1, 3, false, 0x04, "zoom_count"},
    {1103, 1, 4, false, 0x08, "sw1_count"},
    {1104, 1, 5, false, 0x10, "sw2_count"},
    {1105, 1, 6, false, 0x20, "sw3_count"},
}};

// The texts and size tests of the two records.
struct RecordTexts {
    const char* sizeError;
    const char* readDone;
    const char* readError;
    const char* setDone;
    const char* setError;
    const char* setError2;
    const char* badData;
    int32_t entryBytes;  // (size - 4) / entryBytes must be...
    int32_t entries;     // ...this
};
const RecordTexts kRecordTexts[2] = {
    {text::kInfo4SizeError, text::kInfo4ReadDone, text::kInfo4ReadError, text::kInfo4SetDone,
     text::kInfo4SetError, text::kInfo4SetError2, text::kInfo4BadData, 8, 3},
    {text::kInfo5SizeError, text::kInfo5ReadDone, text::kInfo5ReadError, text::kInfo5SetDone,
     text::kInfo5SetError, text::kInfo5SetError2, text::kInfo5BadData, 4, 6},
};

std::vector<ControlDef> maintenanceTable() {
    using namespace controls;
    using namespace idc::maint;
    std::vector<ControlDef> t = {
        groupBox(kHistoryGroup, "&Error History ").at(0, 0, 4),
        label(kStatusHeading, "Status(HEX)").in(kHistoryGroup).at(0, 1),
        label(kReleaseHeading, "Release No.").in(kHistoryGroup).at(0, 2),
        label(kLastLabel, "LAST :").in(kHistoryGroup).at(1, 0),
        label(kSecondLabel, "2nd :").in(kHistoryGroup).at(2, 0),
        label(kThirdLabel, "3rd :").in(kHistoryGroup).at(3, 0),
        groupBox(kCounterGroup, "&Counter Number ").at(1, 0, 4),
        label(kStatus, " Stauts:").statusLine(kStatusChars).at(2, 0, 4),
        button(kApply, "&Apply").disabled().at(3, 0),
        button(kReload, "&Reload").at(3, 1),
        defaultButton(kIdOk, text::kOk).at(3, 2),
        button(kIdCancel, "Cancel").at(3, 3),
    };
    for (size_t i = 0; i < 6; ++i) {
        const int row = static_cast<int>(i % 3) + 1;
        const int column = i < 3 ? 1 : 2;
        t.push_back(edit(kFields[i].edit).in(kHistoryGroup).at(row, column));
    }
    const char* counters[] = {"Release :", "Flush :", "Zoom :", "SW1 :", "SW2 :", "SW3 :"};
    for (size_t i = 0; i < 6; ++i) {
        const int row = static_cast<int>(i / 2);
        const int column = static_cast<int>(i % 2);
        t.push_back(
            edit(kFields[6 + i].edit).labelled(counters[i]).in(kCounterGroup).at(row, column));
    }
    return t;
}

// A status as an unsigned hexadecimal number, "0x" allowed; a count as a signed decimal.
std::optional<int32_t> parseField(const std::string& text, bool hex) {
    if (hex) {
        const bool prefixed =
            text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
        return parseHex(prefixed ? text.substr(2) : text);
    }
    int32_t v = 0;
    const char* last = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), last, v);
    if (text.empty() || ec != std::errc() || ptr != last) return std::nullopt;
    return v;
}

std::string fieldText(int32_t v, bool hex) {
    return hex ? format(text::kErrorStatusFormat, static_cast<unsigned>(v)) : std::to_string(v);
}

int32_t querySize(Camera& camera, size_t which) {
    return which == 0 ? camera.get_diag_info4_size() : camera.get_diag_info5_size();
}

}  // namespace

int32_t InfoRecord::word(size_t i) const {
    int32_t v = 0;
    std::memcpy(&v, block.data() + 4 * i, sizeof v);
    return v;
}

void InfoRecord::setWord(size_t i, int32_t v) {
    std::memcpy(block.data() + 4 * i, &v, sizeof v);
}

bool InfoRecord::valid(int32_t entryBytes, int32_t entries) const {
    if (!held || block.size() < 4 * kWords) return false;
    const auto size = static_cast<uint32_t>(word(0));
    return (size - 4) / static_cast<uint32_t>(entryBytes) == static_cast<uint32_t>(entries);
}

MaintenanceDialog::MaintenanceDialog(DialogContext& ctx)
    : DialogModel(kMaintenanceTemplate, text::kMaintenanceTitle, maintenanceTable()), ctx_(ctx) {
    using namespace idc::maint;
    setProcedure(kApply, ctx_.op, [this] { return apply(); });
    setProcedure(kReload, ctx_.op, [this] {
        Outcome outcome = readAll();
        if (outcome.ending == Ending::Completed) status(text::kMaintenanceReloadDone);
        return outcome;
    });
    for (size_t i = 0; i < kFields.size(); ++i)
        setHandler(kFields[i].edit, [this, i] { fieldChanged(i); });
}

void MaintenanceDialog::exchange(DataExchange& dx) {
    for (size_t i = 0; i < kFields.size(); ++i)
        dx.text(kFields[i].edit, fields[i]);
}

void MaintenanceDialog::status(const char* text) {
    setText(idc::maint::kStatus, text);
    ctx_.op.refresh(*this);
}

void MaintenanceDialog::initialise() {
    if (readAll().ending == Ending::Completed) status(text::kMaintenanceInitDone);
}

Outcome MaintenanceDialog::readAll() {
    Outcome history = read(0);
    Outcome outcome = read(1);
    writeBack();
    if (outcome.ending == Ending::Completed)
        outcome.values.insert(outcome.values.begin(), history.values.begin(), history.values.end());
    return outcome;
}

// Reads one record and shows its fields; completed, with the fields' values, when it was read
// and passed its size test.
Outcome MaintenanceDialog::read(size_t which) {
    InfoRecord& r = records_[which];
    const RecordTexts& t = kRecordTexts[which];
    const int32_t size = querySize(ctx_.camera, which);
    if (size <= 0) {
        status(t.sizeError);
        // Below 0 the query's own failure; 0 a camera without the record.
        return Outcome::failed(size, t.sizeError);
    }
    // The block always matches the size the camera is asked for, so a camera whose record grew
    // since the last read cannot write past it.
    r.block.assign(static_cast<size_t>(size), 0);
    r.held = true;
    const int32_t result = which == 0 ? ctx_.camera.get_diag_info4(r.block.data(), size)
                                      : ctx_.camera.get_diag_info5(r.block.data(), size);
    if (result != 0) {
        status(t.readError);
        r.block.clear();
        r.held = false;
        return Outcome::failed(result, t.readError);
    }
    status(t.readDone);
    if (!r.valid(t.entryBytes, t.entries)) {
        status(t.readError);
        return Outcome::failed(0, t.readError);
    }
    Outcome outcome;
    for (size_t i = 0; i < kFields.size(); ++i) {
        if (kFields[i].record != which) continue;
        const int32_t v = r.word(kFields[i].word);
        fields[i] = fieldText(v, kFields[i].hex);
        // A status is a bit pattern, a count a signed number.
        const double value = kFields[i].hex ? static_cast<double>(static_cast<uint32_t>(v)) : v;
        outcome.measure(kFields[i].name, value);
    }
    return outcome;
}

void MaintenanceDialog::fieldChanged(size_t i) {
    readControls();
    const Field& f = kFields[i];
    InfoRecord& r = records_[f.record];
    if (!r.held || r.block.size() < 4 * kWords) return;
    // Until the text is a number the record keeps the value it held.
    const std::optional<int32_t> v = parseField(fields[i], f.hex);
    if (!v) return;
    r.setWord(f.word, *v);
    r.dirty |= f.bit;
    setEnabled(idc::maint::kApply, true);
}

Outcome MaintenanceDialog::apply() {
    readControls();
    // A field that holds no number shows what the record holds, after the prompt.
    bool refused = false;
    for (size_t i = 0; i < kFields.size(); ++i) {
        const InfoRecord& r = records_[kFields[i].record];
        if (!r.held || parseField(fields[i], kFields[i].hex)) continue;
        refused = true;
        fields[i] = fieldText(r.word(kFields[i].word), kFields[i].hex);
    }
    if (refused) {
        ctx_.op.message(text::kEnterInteger);
        writeBack();
    }
    std::optional<Outcome> failure;
    for (size_t which = 0; which < records_.size(); ++which) {
        InfoRecord& r = records_[which];
        const RecordTexts& t = kRecordTexts[which];
        if (r.dirty == 0) continue;
        // The size word says how much is sent: never more than the block holds.
        const int32_t size = r.held ? r.word(0) : 0;
        if (size <= 0 || static_cast<size_t>(size) > r.block.size()) {
            status(t.badData);
            status(t.setError2);
            if (!failure) failure = Outcome::failed(0, t.badData);
            continue;
        }
        const int32_t result = which == 0 ? ctx_.camera.set_diag_info4(r.block.data(), size)
                                          : ctx_.camera.set_diag_info5(r.block.data(), size);
        if (result == 0) {
            status(t.setDone);
            r.dirty = 0;
        } else {
            status(t.setError);
            status(t.setError2);
            if (!failure) failure = Outcome::failed(result, t.setError);
        }
    }
    if (records_[0].dirty == 0 && records_[1].dirty == 0) {
        setEnabled(idc::maint::kApply, false);
        status(text::kMaintenanceApplyDone);
    }
    writeBack();
    return failure ? *failure : Outcome::completed();
}

Outcome openMaintenanceDialog(DialogContext& ctx) {
    MaintenanceDialog dialog(ctx);
    return runDialog(ctx.op, dialog);
}

}  // namespace orvia
