// qorctl: the console's procedures from a command line, for production stations and scripts.
//
// It starts the camera session as the console does, answers the procedures' questions from its
// options, prints their boxes on standard error and their result windows on standard output
// (or everything as one JSON object with --json), and exits with a status that tells what
// happened (see the usage text).
#include <strings.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "cli/cli_operator.h"
#include "cli/exit_status.h"
#include "console/app.h"
#include "console/calibrations.h"
#include "console/call_runner.h"
#include "console/clock.h"
#include "console/diag_run.h"
#include "console/format.h"
#include "console/host.h"
#include "console/link_camera.h"
#include "console/main_dialog.h"
#include "console/reporting.h"
#include "console/station_log.h"
#include "console/texts.h"
#include "console/upload.h"
#include "service/test_menu.h"

namespace orvia::cli {
namespace {

struct Options {
    int32_t port = 0;
    int32_t speed = 0;
    bool json = false;
    bool yes = false;
    bool help = false;
    std::optional<std::string> log;
    std::optional<int32_t> param;
    uint32_t waitSeconds = 30;
    std::vector<std::string> args;  // the command and its words
};

std::optional<long> number(const std::string& s) {
    if (s.empty()) return std::nullopt;
    char* end = nullptr;
    const long v = std::strtol(s.c_str(), &end, 0);
    if (*end != '\0') return std::nullopt;
    return v;
}

// Options may stand anywhere; the rest are the command's words.
std::optional<Options> parse(int argc, char** argv, std::string& error) {
    Options o;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        auto value = [&]() -> std::optional<std::string> {
            if (i + 1 >= argc) return std::nullopt;
            return std::string(argv[++i]);
        };
        auto numeric = [&](long lo, long hi) -> std::optional<long> {
            const auto v = value();
            const auto n = v ? number(*v) : std::nullopt;
            if (!n || *n < lo || *n > hi) return std::nullopt;
            return n;
        };
        if (a == "--json") {
            o.json = true;
        } else if (a == "--yes" || a == "-y") {
            o.yes = true;
        } else if (a == "--help" || a == "-h") {
            o.help = true;
        } else if (a == "--log") {
            o.log = value();
            if (!o.log) return error = a, std::nullopt;
        } else if (a == "--port") {
            const auto n = numeric(1, 255);
            if (!n) return error = a, std::nullopt;
            o.port = static_cast<int32_t>(*n);
        } else if (a == "--speed") {
            const auto n = numeric(1, 5);
            if (!n) return error = a, std::nullopt;
            o.speed = static_cast<int32_t>(*n);
        } else if (a == "--param") {
            const auto n = numeric(INT32_MIN, INT32_MAX);
            if (!n) return error = a, std::nullopt;
            o.param = static_cast<int32_t>(*n);
        } else if (a == "--wait") {
            const auto n = numeric(0, 3600);
            if (!n) return error = a, std::nullopt;
            o.waitSeconds = static_cast<uint32_t>(*n);
        } else if (a.size() > 1 && a[0] == '-' && !number(a)) {
            return error = a, std::nullopt;
        } else {
            o.args.push_back(a);
        }
    }
    return o;
}

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

void printHelp(const std::string& command) {
    if (command == "info") {
        std::fputs(text::kCliHelpInfo, stdout);
    } else if (command == "get" || command == "set") {
        std::fputs(text::kCliHelpGet, stdout);
        for (const NamedValue& v : kNamedValues)
            std::printf(" %s", v.name);
        std::fputs("\n", stdout);
    } else if (command == "diag") {
        std::fputs(text::kCliHelpDiag, stdout);
    } else if (command == "calibrate") {
        std::fputs(text::kCliHelpCalibrate, stdout);
    } else if (command == "upload") {
        std::fputs(text::kCliHelpUpload, stdout);
    } else if (command == "test") {
        std::fputs(text::kCliHelpTest, stdout);
    } else {
        std::fputs(text::kCliUsage, stdout);
    }
}

bool knownCommand(const std::string& c) {
    for (const char* k : {"info", "get", "set", "diag", "calibrate", "upload", "test"}) {
        if (c == k) return true;
    }
    return false;
}

// One command on an open session.
class Station {
  public:
    Station(CalibrationApp& app, CliOperator& op, const Options& o) : app_(app), op_(op), o_(o) {}

    int run() {
        const std::string& c = o_.args[0];
        if (c == "info") return info();
        if (c == "get" || c == "set") return value(c == "set");
        if (c == "diag") return diag();
        if (c == "calibrate") return calibrate();
        if (c == "upload") return upload();
        return test();
    }

  private:
    int usage(const std::string& what) {
        op_.fail(format(text::kCliBadArgument, what.c_str()));
        return kExitUsage;
    }

    int info() {
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
        op_.field("type", id.cameraType);
        op_.field("serial", id.serial);
        op_.field("lcd_type", std::to_string(lcd), true);
        op_.field("mac", mac);
        return kExitOk;
    }

    int value(bool set) {
        if (o_.args.size() != (set ? 3u : 2u)) return usage(o_.args[0]);
        const NamedValue* v = findValue(o_.args[1]);
        if (v == nullptr) {
            op_.fail(format(text::kCliUnknownName, o_.args[1].c_str()));
            return kExitUsage;
        }
        Camera& camera = app_.camera();
        if (set) {
            const auto n = number(o_.args[2]);
            if (!n || *n < INT32_MIN || *n > INT32_MAX) return usage(o_.args[2]);
            const int32_t r = (camera.*(v->set))(static_cast<int32_t>(*n));
            if (r != QORLINK_OK) return op_.cameraFailure(r);
        }
        const int32_t got = (camera.*(v->get))();
        op_.field(v->name, std::to_string(got), true);
        return kExitOk;
    }

    int diag() {
        if (o_.args.size() != 2) return usage("diag");
        const auto n = number(o_.args[1]);
        if (!n || *n < 0 || *n > INT32_MAX) return usage(o_.args[1]);
        DialogContext& ctx = app_.context();
        const int32_t r = executeDiagAndWait(
            ctx, DiagRun(static_cast<int32_t>(*n), o_.waitSeconds, o_.param), OnFailure::Silent);
        if (r != 0) return op_.cameraFailure(r);
        op_.field("text", readDiagText(ctx.camera));
        return kExitOk;
    }

    int calibrate() {
        if (o_.args.size() != 2) return usage("calibrate");
        const std::string& which = o_.args[1];
        DialogContext& ctx = app_.context();
        if (which == "awb") {
            calibrateAwb(ctx);
        } else if (which == "focus") {
            calibrateFocus(ctx);
        } else if (which == "uv") {
            calibrateUvMatrix(ctx);
        } else {
            return usage(which);
        }
        return op_.outcome();
    }

    int upload() {
        if (o_.args.size() != 3) return usage("upload");
        const std::string& kind = o_.args[1];
        const std::string& file = o_.args[2];
        op_.setFile(file);
        DialogContext& ctx = app_.context();
        if (kind == "firmware") {
            uploadFirmware(ctx);
            return op_.outcome();
        }
        std::optional<DataKind> wanted;
        if (kind == "image") wanted = DataKind::Image;
        if (kind == "font") wanted = DataKind::FontData;
        if (kind == "nand") wanted = DataKind::NandData;
        if (!wanted) return usage(kind);
        // A file the console would take as another kind is refused before anything is sent.
        if (access(file.c_str(), R_OK) == 0 && dataKindOf(file) != wanted) {
            op_.fail(format(text::kCliWrongKind, file.c_str(), kind.c_str()));
            return kExitBadFile;
        }
        uploadData(ctx);
        return op_.outcome();
    }

    int test() {
        MainDialog& d = *app_.mainWindow();
        const std::vector<std::string>& items = d.control(idc::kTest).items;
        if (o_.args.size() < 2) {
            std::string list;
            for (const std::string& item : items)
                list += item + '\n';
            op_.field("entries", list);
            return kExitOk;
        }
        std::string name = o_.args[1];
        for (size_t i = 2; i < o_.args.size(); ++i)
            name += ' ' + o_.args[i];
        int32_t found = -1;
        for (size_t i = 0; i < items.size() && found < 0; ++i) {
            if (items[i].size() >= name.size() &&
                strncasecmp(items[i].c_str(), name.c_str(), name.size()) == 0) {
                found = static_cast<int32_t>(i);
            }
        }
        if (found < 0) {
            op_.fail(format(text::kCliUnknownTest, name.c_str()));
            return kExitUsage;
        }
        d.testSelection = found;
        d.writeBack();
        onTestSelChange(d);
        return op_.outcome();
    }

    CalibrationApp& app_;
    CliOperator& op_;
    const Options& o_;
};

// The procedure a command runs, as the station log names it: the command, with the calibration
// or the kind of upload.
bool namesItsProcedure(const std::string& command) {
    return command == "calibrate" || command == "upload";
}

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
        {"diag", {"program"}},    {"get", {"name"}},   {"set", {"name", "value"}},
        {"upload", {"", "file"}}, {"calibrate", {""}}, {"test", {"entry"}},
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

int run(int argc, char** argv) {
    std::string bad;
    const std::optional<Options> parsed = parse(argc, argv, bad);
    if (!parsed) {
        std::fprintf(stderr, "%s\n%s", format(text::kCliBadArgument, bad.c_str()).c_str(),
                     text::kCliUsage);
        return kExitUsage;
    }
    const Options& o = *parsed;
    if (o.help || o.args.empty()) {
        printHelp(o.args.empty() ? "" : o.args[0]);
        return o.help ? kExitOk : kExitUsage;
    }
    if (!knownCommand(o.args[0])) {
        std::fprintf(stderr, "%s\n%s", format(text::kCliUnknownCommand, o.args[0].c_str()).c_str(),
                     text::kCliUsage);
        return kExitUsage;
    }

    CliOperator op(o.json, o.yes, isatty(STDERR_FILENO) == 1);
    StationLog log(StationLog::chooseFile(o.log),
                   [](const std::string& w) { std::fprintf(stderr, "%s\n", w.c_str()); });
    DirectRunner runner;
    LinkCamera camera(runner);
    SystemClock clock(runner);
    HostSystem host;
    CalibrationApp app(camera, clock, op, host);
    app.state().requestedPort = o.port;
    app.state().requestedSpeed = o.speed;

    const auto started = std::chrono::steady_clock::now();
    StationRecord record;
    record.time = std::time(nullptr);
    record.procedure = procedureOf(o);
    record.parameters = parametersOf(o);

    int status = kExitNoCamera;
    if (app.startUp("")) {
        MainDialog& dialog = *app.mainWindow();
        dialog.initialise();
        op.attach(app.context(), dialog);
        if (log.enabled()) {
            const StationIdentity id = readStationIdentity(camera);
            record.firmware = id.firmware;
            record.cameraType = id.cameraType;
            record.serial = id.serial;
            if (app.state().serviceIdActive == 1) {
                record.technician = app.state().serviceIdRecord.w[1];
            }
        }
        Station station(app, op, o);
        status = station.run();
        app.shutDown();
    }
    record.durationMs = static_cast<uint64_t>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                                  std::chrono::steady_clock::now() - started)
                                                  .count());
    const ProcedureOutcome outcome = op.logOutcome(status);
    record.resultCode = outcome.code;
    record.resultText = outcome.text;
    log.append(record);
    op.finish(o.args[0], status);
    return status;
}

}  // namespace
}  // namespace orvia::cli

int main(int argc, char** argv) {
    return orvia::cli::run(argc, argv);
}
