#include "cli/options.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <cctype>
#include <limits>

#include "console/format.h"
#include "console/texts.h"

namespace orvia::cli {

namespace {

// The link's speed table: index 1-5 and its baud rate.
constexpr int64_t kBaudOfSpeed[] = {9600, 19200, 38400, 57600, 115200};
// The ports the link library takes: its two serial ports and the camera's USB drive.
constexpr int32_t kUsbPort = 160;

std::optional<int64_t> bounded(const std::string& text, int64_t low, int64_t high) {
    const std::optional<int64_t> n = number(text);
    if (!n || *n < low || *n > high) return std::nullopt;
    return n;
}

}  // namespace

std::optional<int64_t> number(const std::string& s) {
    size_t i = 0;
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
    int base = 10;
    if (s.size() - i > 2 && s[i] == '0' && (s[i + 1] == 'x' || s[i + 1] == 'X')) {
        base = 16;
        i += 2;
    }
    if (i >= s.size()) return std::nullopt;
    uint64_t value = 0;
    for (; i < s.size(); ++i) {
        const auto c = static_cast<unsigned char>(s[i]);
        int digit = -1;
        if (std::isdigit(c)) digit = c - '0';
        if (base == 16 && std::isxdigit(c) && !std::isdigit(c)) digit = std::tolower(c) - 'a' + 10;
        if (digit < 0) return std::nullopt;
        value = value * static_cast<uint64_t>(base) + static_cast<uint64_t>(digit);
        if (value > (uint64_t{1} << 40)) return std::nullopt;  // far beyond any value here
    }
    const auto v = static_cast<int64_t>(value);
    return negative ? -v : v;
}

std::optional<int32_t> speedOfBaud(int64_t baud) {
    const auto* at = std::find(std::begin(kBaudOfSpeed), std::end(kBaudOfSpeed), baud);
    if (at == std::end(kBaudOfSpeed)) return std::nullopt;
    return static_cast<int32_t>(at - std::begin(kBaudOfSpeed) + 1);
}

const std::vector<std::string>& commands() {
    static const std::vector<std::string> names = {"info",      "get",     "set",  "diag",
                                                   "calibrate", "upload",  "test", "ports",
                                                   "run",       "history", "help"};
    return names;
}

Parsed parse(int argc, char** argv) {
    Parsed p;
    Options& o = p.options;
    CLI::App app{"qorctl"};
    app.set_help_flag();  // the help texts are the tool's own
    app.allow_extras(false);
    bool help = false, version = false;
    std::string port, speed, baud, timeout, param, wait, progress;
    std::vector<std::string> words;
    app.add_flag("-h,--help", help);
    app.add_flag("--version", version);
    app.add_flag("--json", o.json);
    app.add_flag("-y,--yes", o.yes);
    app.add_option("--port", port);
    app.add_option("--device", o.device);
    app.add_option("--speed", speed);
    app.add_option("--baud", baud);
    app.add_option("--timeout", timeout);
    app.add_option("--log", o.log);
    app.add_option("--param", param);
    app.add_option("--wait", wait);
    app.add_option("--expect-version", o.expectVersion);
    app.add_option("--db", o.db);
    app.add_option("--progress", progress);
    app.add_option("words", words);
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        p.action = Parsed::Action::Usage;
        p.error = e.what();
        return p;
    }
    o.args = words;
    const auto bad = [&p](const char* option, const std::string& value) {
        p.action = Parsed::Action::Usage;
        p.error = format(text::kCliBadValue, option, value.c_str());
        return p;
    };
    if (!port.empty()) {
        const auto n = bounded(port, 0, kUsbPort);
        if (!n || (*n > 2 && *n != kUsbPort)) return bad("--port", port);
        o.port = static_cast<int32_t>(*n);
    }
    if (!speed.empty()) {
        const auto n = bounded(speed, 1, std::size(kBaudOfSpeed));
        if (!n) return bad("--speed", speed);
        o.speed = static_cast<int32_t>(*n);
    }
    if (!baud.empty()) {
        const auto n = number(baud);
        const auto s = n ? speedOfBaud(*n) : std::nullopt;
        if (!s || (o.speed != 0 && o.speed != *s)) return bad("--baud", baud);
        o.speed = *s;
    }
    if (o.device) {
        if (o.device->empty() || (o.port != 0 && o.port != 1)) return bad("--device", *o.device);
        o.port = 1;
    }
    if (!timeout.empty()) {
        const auto n = bounded(timeout, 1, 3600);
        if (!n) return bad("--timeout", timeout);
        o.timeoutSeconds = static_cast<uint32_t>(*n);
    }
    if (!param.empty()) {
        const auto n = bounded(param, std::numeric_limits<int32_t>::min(),
                               std::numeric_limits<uint32_t>::max());
        if (!n) return bad("--param", param);
        o.param = static_cast<int32_t>(static_cast<uint32_t>(*n));
    }
    if (!wait.empty()) {
        const auto n = bounded(wait, 0, 3600);
        if (!n) return bad("--wait", wait);
        o.waitSeconds = static_cast<uint32_t>(*n);
    }
    if (o.db && o.db->empty()) return bad("--db", *o.db);
    if (!progress.empty()) {
        if (progress != "json") return bad("--progress", progress);
        o.progress = ProgressStyle::Json;
    }
    if (version) {
        p.action = Parsed::Action::Version;
    } else if (help || (!o.args.empty() && o.args[0] == "help")) {
        p.action = Parsed::Action::Help;
        if (help && !o.args.empty()) p.helpTopic = o.args[0];
        if (!help && o.args.size() > 1) p.helpTopic = o.args[1];
    } else if (o.args.empty()) {
        p.action = Parsed::Action::Usage;
        p.error = text::kCliNoCommand;
    } else if (std::find(commands().begin(), commands().end(), o.args[0]) == commands().end()) {
        p.action = Parsed::Action::Usage;
        p.error = format(text::kCliUnknownCommand, o.args[0].c_str());
    }
    return p;
}

}  // namespace orvia::cli
