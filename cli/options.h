// qorctl's command line: the options, which may stand anywhere (before or after the command,
// as "--opt value" or "--opt=value"; "--" ends them), and the command with its words.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace orvia::cli {

// How transfers show their progress on standard error.
enum class ProgressStyle { Auto, Json };

struct Options {
    int32_t port = 0;   // 0: search; 1 or 2: that serial port; 160: the camera's USB drive
    int32_t speed = 0;  // speed index 1-5; 0: the fastest that opens
    std::optional<std::string> device;  // a serial device path, reached as port 1
    std::optional<uint32_t> timeoutSeconds;
    bool json = false;
    bool yes = false;
    ProgressStyle progress = ProgressStyle::Auto;
    std::optional<std::string> log;
    std::optional<int32_t> param;
    uint32_t waitSeconds = 30;
    std::optional<std::string> expectVersion;
    std::optional<std::string> db;  // where run and history keep the unit records
    std::vector<std::string> args;  // the command and its words
};

// A whole number: decimal (a leading zero does not make it octal) or "0x" hexadecimal, with an
// optional sign; nothing for anything else.
std::optional<int64_t> number(const std::string& s);

// The speed index of a baud rate the link offers (9600 ... 115200); nothing for other rates.
std::optional<int32_t> speedOfBaud(int64_t baud);

// What the command line asks for.
struct Parsed {
    enum class Action { Run, Help, Version, Usage } action = Action::Run;
    Options options;
    std::string helpTopic;  // for Help: the command asked about, empty for the tool
    std::string error;      // for Usage: what is wrong
};
Parsed parse(int argc, char** argv);

// The commands qorctl knows.
const std::vector<std::string>& commands();

}  // namespace orvia::cli
