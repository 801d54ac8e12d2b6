#include "cli/station.h"

#include <strings.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <functional>
#include <optional>

#include "cli/exit_status.h"
#include "console/calibrations.h"
#include "console/camera.h"
#include "console/diag_run.h"
#include "console/format.h"
#include "console/main_dialog.h"
#include "console/station_log.h"
#include "console/texts.h"
#include "console/upload.h"
#include "service/test_menu.h"

namespace orvia::cli {
namespace {

// The highest program number the execute command can carry.
constexpr int64_t kLastDiagProgram = 255;

// A named value: its query and its set.
struct NamedValue {
    const char* name;
    int32_t (Camera::*get)();
    int32_t (Camera::*set)(int32_t);
};

constexpr NamedValue kNamedValues[] = {
    {"factory_code", &Camera::get_factory_code, &Camera::set_factory_code},
    {"number_of_lang", &Camera::get_number_of_lang, &Camera::set_number_of_lang},
    {"number_of_lang2", &Camera::get_number_of_lang2, &Camera::set_number_of_lang2},
    {"lcd_disp_language", &Camera::get_lcd_disp_language, &Camera::set_lcd_disp_language},
    {"lcd_date_format", &Camera::get_lcd_date_format, &Camera::set_lcd_date_format},
    {"timezone", &Camera::get_timezone, &Camera::set_timezone},
    {"video_signal_mode", &Camera::get_video_signal_mode, &Camera::set_video_signal_mode},
    {"battery_type", &Camera::get_battery_type, &Camera::set_battery_type},
    {"backrush_pulse", &Camera::get_backrush_pulse, &Camera::set_backrush_pulse},
    {"lens_second_pulse", &Camera::get_lens_second_pulse, &Camera::set_lens_second_pulse},
    {"shade_status", &Camera::get_shade_status, &Camera::set_shade_status},
    {"color_shade", &Camera::get_color_shade, &Camera::set_color_shade},
    {"pafdisp_mode", &Camera::get_pafdisp_mode, &Camera::set_pafdisp_mode},
    {"diag_long", &Camera::get_diag_long, &Camera::set_diag_long},
};

const NamedValue* findValue(const std::string& name) {
    for (const NamedValue& v : kNamedValues) {
        if (name == v.name) return &v;
    }
    return nullptr;
}

}  // namespace

std::vector<std::string> namedValues() {
    std::vector<std::string> names;
    for (const NamedValue& v : kNamedValues)
        names.emplace_back(v.name);
    return names;
}

Outcome Station::run() {
    const std::string& c = o_.args[0];
    if (c == "info") return info();
    if (c == "get" || c == "set") return value(c == "set");
    if (c == "diag") return diag();
    if (c == "calibrate") return calibrate();
    if (c == "upload") return upload();
    return test();
}

int Station::status(const Outcome& outcome) const {
    if (usageError_) return kExitUsage;
    if (wrongVersion_) return kExitWrongVersion;
    return exitFor(outcome);
}

Outcome Station::usage(const std::string& what) {
    usageError_ = true;
    Outcome refused = op_.fail(format(text::kCliBadArgument, what.c_str()));
    std::fputs(text::kCliShortUsage, stderr);
    return refused;
}

Outcome Station::procedure(const std::function<Outcome()>& run) {
    return runProcedure(op_, run);
}

Outcome Station::info() {
    if (o_.args.size() != 1) return usage(o_.args[1]);
    const StationIdentity id = readStationIdentity(app_.camera());
    const int32_t lcd = app_.camera().get_lcd_type();
    int32_t words[2] = {};

    const int32_t r = app_.camera().get_mac_address(words);
    if (r != QORLINK_OK) return op_.cameraFailure(r);
    std::string mac;
    for (int i = 0; i < 8; ++i) {
        const auto word = static_cast<uint32_t>(words[i / 4]);
        if (i > 0) mac += ':';
        mac += format(text::kMacByteFormat, (word >> (24 - 8 * (i % 4))) & 0xFFu);
    }
    op_.field("firmware", id.firmware);
    op_.field("camera_type", id.cameraType);
    op_.field("serial", id.serial);
    op_.field("lcd_type", lcd);
    op_.field("mac", mac);
    // The same as values, for a recipe's limits and the unit record.
    Outcome outcome;
    outcome.note("firmware", id.firmware).note("camera_type", id.cameraType);
    outcome.note("serial", id.serial).measure("lcd_type", lcd).note("mac", mac);
    return outcome;
}

Outcome Station::value(bool set) {
    if (o_.args.size() != (set ? 3u : 2u)) return usage(o_.args[0]);
    const NamedValue* v = findValue(o_.args[1]);
    if (v == nullptr) {
        usageError_ = true;
        return op_.fail(format(text::kCliUnknownName, o_.args[1].c_str()));
    }
    Camera& camera = app_.camera();
    if (set) {
        const auto n = number(o_.args[2]);
        if (!n || *n < INT32_MIN || *n > UINT32_MAX) return usage(o_.args[2]);
        const int32_t r = (camera.*(v->set))(static_cast<int32_t>(static_cast<uint32_t>(*n)));
        if (r != QORLINK_OK) return op_.cameraFailure(r);
    }
    const int32_t got = (camera.*(v->get))();
    op_.field(v->name, got);
    Outcome outcome;
    return outcome.measure(v->name, got);
}

Outcome Station::diag() {
    if (o_.args.size() != 2) return usage(o_.args.size() < 2 ? "diag" : o_.args[2]);
    // The execute command carries the program's number in one byte.
    const auto n = number(o_.args[1]);
    if (!n || *n < 0 || *n > kLastDiagProgram) return usage(o_.args[1]);
    DialogContext& ctx = app_.context();
    const int32_t r = executeDiagAndWait(
        ctx, DiagRun(static_cast<int32_t>(*n), o_.waitSeconds, o_.param), OnFailure::Silent);
    if (r != 0) return op_.cameraFailure(r);
    op_.field("text", readDiagText(ctx.camera));
    return Outcome::completed();
}

Outcome Station::calibrate() {
    if (o_.args.size() != 2) return usage(o_.args.size() < 2 ? "calibrate" : o_.args[2]);
    const std::string& which = o_.args[1];
    DialogContext& ctx = app_.context();
    if (which == "awb") return procedure([&ctx] { return calibrateAwb(ctx); });
    if (which == "focus") return procedure([&ctx] { return calibrateFocus(ctx); });
    if (which == "uv") return procedure([&ctx] { return calibrateUvMatrix(ctx); });
    return usage(which);
}

// A firmware upload whose version afterwards is not the one expected fails, with the
// upload's values kept.
Outcome Station::checkVersion(Outcome outcome) {
    if (!o_.expectVersion || !outcome.passed()) return outcome;
    const Measurement* after = outcome.value("firmware_after");
    const std::string got = after != nullptr ? after->text : text::kVersionNotRead;
    if (after != nullptr && got == *o_.expectVersion) return outcome;
    wrongVersion_ = true;
    Outcome failure =
        op_.fail(format(text::kCliWrongVersion, got.c_str(), o_.expectVersion->c_str()));
    failure.values = std::move(outcome.values);
    return failure;
}

Outcome Station::upload() {
    if (o_.args.size() != 3) return usage(o_.args.size() < 3 ? "upload" : o_.args[3]);
    const std::string& kind = o_.args[1];
    const std::string& file = o_.args[2];
    op_.setFile(file);
    DialogContext& ctx = app_.context();
    if (kind == "firmware") return checkVersion(procedure([&ctx] { return uploadFirmware(ctx); }));
    if (o_.expectVersion) return usage("--expect-version");
    std::optional<DataKind> wanted;
    if (kind == "image") wanted = DataKind::Image;
    if (kind == "font") wanted = DataKind::FontData;
    if (kind == "nand") wanted = DataKind::NandData;
    if (!wanted) return usage(kind);
    // A file the console would take as another kind is refused before anything is sent.
    if (access(file.c_str(), R_OK) == 0 && dataKindOf(file) != wanted) {
        const std::string why = format(text::kCliWrongKind, file.c_str(), kind.c_str());
        op_.fail(why);
        return Outcome::fileUnusable(why);
    }
    return procedure([&ctx] { return uploadData(ctx); });
}

Outcome Station::test() {
    MainDialog& d = *app_.mainWindow();
    const std::vector<std::string>& items = d.control(idc::kTest).items;
    if (o_.args.size() < 2) {
        op_.field("entries", items);
        return Outcome::completed();
    }
    std::string name = o_.args[1];
    for (size_t i = 2; i < o_.args.size(); ++i)
        name += ' ' + o_.args[i];
    // An entry named whole (letter case ignored) is chosen; otherwise the one entry the name
    // begins. A name that begins several entries chooses none: running the wrong test is worse
    // than asking again.
    std::vector<int32_t> begun;
    int32_t found = -1;
    for (size_t i = 0; i < items.size(); ++i) {
        if (items[i].size() < name.size() ||
            strncasecmp(items[i].c_str(), name.c_str(), name.size()) != 0)
            continue;
        if (items[i].size() == name.size()) {
            found = static_cast<int32_t>(i);
            break;
        }
        begun.push_back(static_cast<int32_t>(i));
    }
    if (found < 0 && begun.size() == 1) found = begun[0];
    if (found < 0 && begun.size() > 1) {
        std::string candidates;
        for (int32_t i : begun)
            candidates += (candidates.empty() ? "'" : ", '") + items[static_cast<size_t>(i)] + "'";
        usageError_ = true;
        return op_.fail(format(text::kCliAmbiguousTest, name.c_str(), candidates.c_str()));
    }
    if (found < 0) {
        usageError_ = true;
        return op_.fail(format(text::kCliUnknownTest, name.c_str()));
    }
    d.testSelection = found;
    d.writeBack();
    return procedure([&d] { return onTestSelChange(d); });
}

namespace {

bool namesItsProcedure(const std::string& command) {
    return command == "calibrate" || command == "upload";
}

}  // namespace

std::string procedureOf(const Options& o) {
    return namesItsProcedure(o.args[0]) && o.args.size() > 1 ? o.args[0] + ' ' + o.args[1]
                                                             : o.args[0];
}

// The command's words and options by name, for the station log.
std::vector<std::pair<std::string, std::string>> parametersOf(const Options& o) {
    struct Names {
        const char* command;
        std::vector<const char*> words;
    };
    static const Names kNames[] = {
        {"diag", {"program"}},    {"get", {"name"}},       {"set", {"name", "value"}},
        {"upload", {"", "file"}}, {"calibrate", {""}},     {"test", {"entry"}},
        {"run", {"recipe"}},      {"history", {"serial"}},
    };
    std::vector<std::pair<std::string, std::string>> p;
    for (const Names& n : kNames) {
        if (o.args[0] != n.command) continue;
        for (size_t i = 0; i < n.words.size() && i + 1 < o.args.size(); ++i) {
            if (*n.words[i] != '\0') p.emplace_back(n.words[i], o.args[i + 1]);
        }
    }
    if (o.param) p.emplace_back("param", std::to_string(*o.param));
    if (o.args[0] == "diag") p.emplace_back("wait", std::to_string(o.waitSeconds));
    if (o.yes) p.emplace_back("answer", "yes");
    return p;
}

}  // namespace orvia::cli
