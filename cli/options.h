// qorctl's command line: the options, which may stand anywhere, and the command's words.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace orvia::cli {

struct Options {
    int32_t port = 0;
    int32_t speed = 0;
    bool json = false;
    bool yes = false;
    bool help = false;
    std::optional<std::string> log;
    std::optional<int32_t> param;
    uint32_t waitSeconds = 30;
    std::optional<std::string> expectVersion;
    std::vector<std::string> args;  // the command and its words
};

// A whole number as C writes it (decimal, 0x hexadecimal, 0 octal); nothing for anything else.
std::optional<long> number(const std::string& s);

// The options and words of `argv`; nothing, with the offending word in `error`, when one is bad.
std::optional<Options> parse(int argc, char** argv, std::string& error);

}  // namespace orvia::cli
