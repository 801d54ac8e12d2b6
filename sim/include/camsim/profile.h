// A camera model as plain data: what it reports, what it stores, how long its programs run.
#pragma once

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace camsim {

// (command code, parameter byte) of an execute command: one diagnostic program.
using Program = std::pair<int, int>;

struct Profile {
    // Reported through records 26 and 27 and value 166 when the camera is created (unless
    // `records`/`values` already hold those codes).
    std::string typeText = "ZR510";
    std::string firmwareVersion = "1.02.0017";
    int32_t lcdType = 1;

    // Served by data fetches and replaced by data sends, per command code.
    std::map<int, std::vector<uint8_t>> records;
    // Answered by value queries and replaced by value commands, per command code. Codes never
    // set answer 0; the readiness code 18 always answers from the camera's state.
    std::map<int, int32_t> values;

    // How long an execute command runs before the camera reports completion.
    uint64_t executeUs = 200'000;
    std::map<int, uint64_t> executeUsByCode;
    std::map<Program, uint64_t> executeUsByProgram;
    // Programs that finish with DC1 instead of ENQ.
    std::set<Program> failingPrograms;

    // Time between the last byte of a request and the first byte of the answer.
    uint64_t turnaroundUs = 1'000;
    // A frame whose bytes stop arriving for longer than this is abandoned.
    uint64_t frameGapUs = 500'000;
    // Commands other than the session command are ignored (no answer at all) outside a session.
    bool requireSession = true;
    // Bytes sent at a speed other than the camera's arrive garbled (see line.h) when the sender
    // states its speed.
    bool checkLineSpeed = true;

    // Duration of one execute command.
    uint64_t executeDuration(int code, int parameter) const;
};

// The model the simulator serves unless told otherwise.
Profile defaultProfile();

// `text` padded with zero bytes to `size` (cut to size - 1 so a terminating zero remains).
std::vector<uint8_t> textRecord(const std::string& text, size_t size);

}  // namespace camsim
