// Inside the software camera: line state, the exchange in progress and timed events.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <vector>

#include "camsim/camera.h"
#include "output_line.h"

namespace camsim {

struct Camera::Impl {
    explicit Impl(Profile p);

    // Timeline (camera.cpp).
    void runEvents(uint64_t untilUs);
    void endSessionNow(uint64_t atUs);
    void finishExecution(int code, int parameter, uint64_t id, uint64_t atUs);

    // Input (protocol.cpp).
    void onByte(uint8_t b, uint64_t atUs);
    void onSingleByte(uint8_t b);
    void onFrameByte(uint8_t b);
    void onFrame();
    void onCommandFrame(const std::vector<uint8_t>& payload, bool sumOk);
    void command(uint8_t cls, int op, int code, const std::vector<uint8_t>& payload);
    void onHandshake(uint8_t b);
    void rejectFrame();
    // Runs one unit: asks the fault plan, then acts (unless the fault replaces the action) and
    // sends the answer built in `answer`, shaped by the fault.
    void unit(Unit kind, int op, int code, bool answerable, const std::function<void()>& act);
    void shapeAnswer(const FaultDecision& d);
    void endExchange();

    // Exchanges (transfers.cpp).
    void replyValue(int code);
    void startExecute(int code, int parameter);
    void startReceive(int op, int code, const std::vector<uint8_t>& payload);
    void onDataFrame(uint8_t type, uint8_t seq, const std::vector<uint8_t>& payload, bool sumOk);
    // A data frame after the send it belonged to has ended.
    void onClosedSendFrame(uint8_t type, uint8_t seq, const std::vector<uint8_t>& payload,
                           bool sumOk);
    void finishReceive();
    void startServe(int op, int code);
    void sendServeFrame();
    void onServeAck();

    enum class Mode { Idle, AwaitAck, Receiving, Serving };

    Profile profile;
    FaultPlan faults;
    Hooks hooks;
    std::vector<LogEntry> log;
    Stats stats;
    OutputLine out;

    uint64_t now = 0;
    int baud = kIdleBaud;
    bool session = false;

    // Frame being collected from the host.
    std::vector<uint8_t> frame;
    uint64_t lastFrameByteUs = 0;

    // The exchange in progress.
    Mode mode = Mode::Idle;
    int exOp = -1;
    int exCode = -1;
    std::vector<uint8_t> pending;  // reply or served frame, sent again on NAK
    // Data send.
    uint8_t expectSeq = 0;
    bool anyDataFrame = false;
    uint8_t lastFrameType = 0;  // the last data frame taken, to recognise its repeat
    std::vector<uint8_t> lastFramePayload;
    size_t blockSize = 0;
    size_t logIndex = 0;
    std::vector<uint8_t> received;
    bool receiveComplete = false;  // the last frame arrived; the data is stored when it ends
    std::vector<uint8_t> receiveCommandFrame;  // the command frame that started the send
    // The send that ended with its last frame, while the host may still repeat that frame.
    struct ClosedSend {
        int op = -1;
        int code = -1;
        uint8_t seq = 0;
        std::vector<uint8_t> commandFrame;  // a send whole in its command frame: that frame
        std::vector<uint8_t> lastPayload;   // else the payload of its last frame
    };
    std::optional<ClosedSend> closedSend;
    // Data fetch.
    std::vector<uint8_t> serveData;
    size_t serveOffset = 0;
    size_t serveChunk = 0;
    uint8_t serveSeq = 0;
    bool serveLast = false;

    // Execution.
    bool executing = false;
    uint64_t executionId = 0;
    struct Event {
        enum Kind { ExecuteDone, SessionEnd } kind;
        int code = 0;
        int parameter = 0;
        uint64_t id = 0;
    };
    std::multimap<uint64_t, Event> events;

    // Answer of the unit being handled.
    std::vector<uint8_t> answer;
    std::optional<int> baudAfter;
};

}  // namespace camsim
