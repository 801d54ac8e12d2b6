// A scripted camera that keeps records and values per command code, logs every command frame
// and can be told to refuse, stay silent or end the session for chosen codes. It runs on the
// virtual serial line of scripted_line.h.
#pragma once

#include <deque>
#include <map>
#include <set>
#include <vector>

#include "scripted_line.h"

namespace qorlink::test {

struct CommandSeen {
    uint8_t cls = 0;
    int op = 0;
    int code = 0;   // full code: class 0x44 adds 256
    Bytes payload;  // the frame's bytes after operation and code
    Bytes frame;    // the whole command frame
};

class RecordCamera {
  public:
    explicit RecordCamera(ScriptedLine& line);

    std::map<int, Bytes> records;   // served by data fetches
    std::map<int, int32_t> values;  // served by value queries (0 when missing)
    std::set<int> refuse;           // set, execute and send commands of these codes get DC1
    std::set<int> silent;           // queries and fetches of these codes get no answer
    std::set<int> endSessionOnce;   // the next query or fetch of these codes ends the session

    std::vector<CommandSeen> commands;  // every command frame after the session opened
    std::map<int, Bytes> received;      // data sent to each code, assembled
    size_t dataFrames = 0;              // data frames (types 2 and 3) received

    // Command frames seen with this code.
    std::vector<CommandSeen> withCode(int code) const;

  private:
    Bytes handle(const Bytes& unit);
    Bytes nextFetchFrame();

    std::deque<Bytes> fetchFrames_;
    Bytes lastFrame_;
    int sendCode_ = -1;
};

}  // namespace qorlink::test
