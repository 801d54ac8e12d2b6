// The generic runners of the command catalogue: one for each builder, run on an export's row.
//
// Every fetch runs into a buffer of our own and reaches the caller's memory only when the
// exchange succeeded, and then never more than the row's size (or the length the caller gave),
// whatever the camera sent.
#include "catalogue/runners.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <new>

#include "builders.h"
#include "call_guard.h"
#include "catalogue/records.h"
#include "connection.h"
#include "link_constants.h"
#include "secure_wipe.h"

namespace qorlink {
namespace {

// Cam_control_lcd: display commands 3, 5 and 6 first set their value with code 40.
constexpr int kCodeDisplayValue = 40;

int32_t FirstWord(const void* record) {
    int32_t w;
    std::memcpy(&w, record, sizeof w);
    return w;
}

int32_t ValueFor(const Command& cmd, int32_t argument) {
    switch (cmd.value) {
        case Value::Zero:
            return 0;
        case Value::LowByte:
            return argument & 0xFF;
        case Value::Argument:
            break;
    }
    return argument;
}

// An execute command carries its parameter in one byte: any other number would reach the camera
// as its low byte, another program or pattern than the caller named.
bool FitsExecuteParameter(int32_t parameter) {
    return parameter >= 0 && parameter <= 0xFF;
}

// The byte count of a Send or Fetch. Returns 0 with `bytes` set, or the result to return.
// `usbReadSize` is what a fetch asks the USB transport for.
int ResolveLength(LinkConnection& c, const Command& cmd, const void* record, int32_t argument,
                  size_t* bytes, size_t* usbReadSize) {
    int64_t n = 0;
    switch (cmd.length) {
        case Length::Fixed:
            n = cmd.layout.empty() ? cmd.size : LayoutSize(cmd.layout);
            break;
        case Length::Argument:
            n = argument;
            break;
        case Length::FirstWord:
            if (record == nullptr) return QORLINK_INVALID_PARAMETER;
            n = FirstWord(record);
            break;
        case Length::QueriedOr16:
            n = QueryCommand(c, cmd.sizeCode, true);
            if (n < 0) n = 16;
            if (n > kMaxQueriedSize) return QORLINK_INVALID_PARAMETER;
            break;
        case Length::QueriedOrFail:
            n = QueryCommand(c, cmd.sizeCode, false);
            if (n < 0 || n > kMaxQueriedSize) return QORLINK_INVALID_PARAMETER;
            break;
        case Length::BatteryKind:
            *bytes = cmd.size;
            *usbReadSize = argument == 1 ? 22 : argument == 2 ? 20 : 0;
            return QORLINK_OK;
    }
    if (n < 0) return QORLINK_INVALID_PARAMETER;
    *bytes = static_cast<size_t>(n);
    *usbReadSize = *bytes;
    return QORLINK_OK;
}

// Runs the chained first step, if the row has one. 0 or the step's result.
int RunChain(LinkConnection& c, const Command& cmd, const void* record, int32_t argument) {
    switch (cmd.chain) {
        case Chain::None:
            return QORLINK_OK;
        case Chain::DiagWordArgument:
            return SetCommand(c, kCodeDiagWord, argument);
        case Chain::DiagWordFirstWord:
            if (record == nullptr) return QORLINK_INVALID_PARAMETER;
            return SetCommand(c, kCodeDiagWord, FirstWord(record));
    }
    return QORLINK_OK;
}

}  // namespace

int32_t RunQuery(const Command& cmd) {
    CallGuard call;
    LinkConnection* c = call.connection();
    if (c == nullptr) return call.entered() ? QORLINK_NO_CONNECTION : -1;
    return QueryCommand(*c, cmd.code, cmd.abortable);
}

int32_t RunSet(const Command& cmd, int32_t v) {
    CallGuard call;
    LinkConnection* c = call.connection();
    if (c == nullptr) return call.refusal();
    return SetCommand(*c, cmd.code, ValueFor(cmd, v));
}

int32_t RunExecute(const Command& cmd, int32_t p) {
    CallGuard call;
    LinkConnection* c = call.connection();
    if (c == nullptr) return call.refusal();
    const int32_t parameter = ValueFor(cmd, p);
    if (!FitsExecuteParameter(parameter)) return QORLINK_OUT_OF_RANGE;
    return ExecuteCommand(*c, cmd.code, parameter, cmd.size);
}

int32_t RunSend(const Command& cmd, const void* buf, int32_t len) {
    CallGuard call;
    LinkConnection* c = call.connection();
    if (c == nullptr) return call.refusal();
    size_t bytes = 0, unused = 0;
    if (const int r = ResolveLength(*c, cmd, buf, len, &bytes, &unused); r != QORLINK_OK) return r;
    if (buf == nullptr && bytes > 0) return QORLINK_INVALID_PARAMETER;
    if (cmd.layout.empty())
        return SendCommand(*c, cmd.code, static_cast<const uint8_t*>(buf), bytes);
    uint8_t wire[kSmallBlock];
    EncodeRecord(cmd.layout, buf, wire);
    const int r = SendCommand(*c, cmd.code, wire, bytes);
    SecureWipe(wire, bytes);
    return r;
}

int32_t RunFetch(const Command& cmd, void* buf, int32_t argument) {
    CallGuard call;
    LinkConnection* c = call.connection();
    if (c == nullptr) return call.refusal();
    if (buf == nullptr) return QORLINK_INVALID_PARAMETER;
    if (const int r = RunChain(*c, cmd, buf, argument); r != QORLINK_OK) return r;
    size_t bytes = 0, usbReadSize = 0;
    if (const int r = ResolveLength(*c, cmd, buf, argument, &bytes, &usbReadSize); r != QORLINK_OK)
        return r;

    // One reply frame never carries more than a large block.
    const size_t capacity = std::min(bytes, kLargeBlock);
    std::unique_ptr<uint8_t[]> local(new (std::nothrow) uint8_t[capacity + 1]());
    if (!local) return SetLastResult(*c, QORLINK_OTHER_ERROR);
    size_t got = 0;
    const int r = FetchCommand(*c, cmd.code, local.get(), capacity, usbReadSize, &got);
    if (r == QORLINK_OK) {
        if (cmd.layout.empty())
            std::memcpy(buf, local.get(), std::min(got, capacity));
        else
            DecodeRecord(cmd.layout, local.get(), buf);
    }
    SecureWipe(local.get(), capacity);
    return r;
}

int32_t RunControlLcd(const Command& cmd, int32_t command, int32_t v) {
    CallGuard call;
    LinkConnection* c = call.connection();
    if (c == nullptr) return call.refusal();
    if (!FitsExecuteParameter(command)) return QORLINK_OUT_OF_RANGE;
    if (command == 3 || command == 5 || command == 6) {
        if (SetCommand(*c, kCodeDisplayValue, v) != QORLINK_OK)
            return QORLINK_COMMUNICATION_FAILURE;
    }
    return ExecuteCommand(*c, cmd.code, command, cmd.size);
}

}  // namespace qorlink
