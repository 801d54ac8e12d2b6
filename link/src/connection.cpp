// Connection objects, the state machine and the session with the camera.
#include "connection.h"

#include <new>
#include <vector>

#include "builders.h"
#include "frame.h"
#include "link_constants.h"
#include "platform.h"
#include "protocol.h"
#include "storage.h"
#include "transport.h"

namespace qorlink {

LinkConnection* currentConnection = nullptr;

namespace {

// Slot 0 of the speed table (no speed chosen) is 19200 baud: index 2 on the camera's side.
constexpr int kUnsetSpeedSessionIndex = 2;

LinkConnection* listHead = nullptr;
int objectCount = 0;
StorageTransportKind transportKind = StorageTransportKind::None;

// Objects released while their port or device was still open (a session handed over to a
// restarting camera). Their handles stay open until the library is reset.
std::vector<LinkConnection*>& Parked() {
    static std::vector<LinkConnection*> parked;
    return parked;
}

bool HoldsOpenHandle(const LinkConnection& c) {
    return c.serialHandle != nullptr || c.deviceHandle != nullptr;
}

void CloseHandles(LinkConnection& c) {
    if (c.deviceHandle != nullptr) {
        const int port = c.port;
        c.port = kUsbPort;
        CloseSerial(c);
        c.port = port;
    }
    if (c.serialHandle != nullptr) {
        const int port = c.port;
        c.port = kNoPort;
        CloseSerial(c);
        c.port = port;
    }
}

void Unlink(LinkConnection* c) {
    if (c->prev != nullptr) c->prev->next = c->next;
    if (c->next != nullptr) c->next->prev = c->prev;
    if (listHead == c) listHead = c->next;
    c->prev = c->next = nullptr;
}

void FreeBlocks(LinkConnection* c) {
    delete[] c->aspiRequest;
    delete[] c->passThroughBlock;
    c->aspiRequest = nullptr;
    c->passThroughBlock = nullptr;
}

bool IsOpenState(LinkState s) {
    return s != LinkState::Closed && s != LinkState::SessionLost;
}

void MarkFailed(LinkConnection& c) {
    if (IsOpenState(c.state)) c.state = LinkState::Failed;
}

// Writes the probe byte and waits for the camera's NAK, up to four times. retryCount counts the
// probes that found no camera. True when the camera answered.
bool ProbeCamera(LinkConnection& c) {
    c.retryCount = 0;
    PurgeSerial(c);
    bool onlyZeros = true;
    for (int probe = 0; probe < kProbeLimit; ++probe) {
        const uint8_t byte = kProbe;
        WriteBytes(c, &byte, 1);
        const int answer = ReadHandshake(c, onlyZeros ? 2 : 1);
        if (answer == kNak) return true;
        if (answer != kProbe) onlyZeros = false;
        PurgeSerial(c);
        ++c.retryCount;
    }
    return false;
}

// The camera may be in a session the library does not know of (its acknowledgement of the
// session command, or of the command that ended it, was lost), at the session speed, where it
// never hears the probes of an open. End such a session at that speed (one frame, no answer
// awaited) and return to the probing speed.
void EndUnconfirmedSession(LinkConnection& c, int baud) {
    if (baud == kProbeBaud || SetBaud(c, baud) != 1) return;
    uint8_t payload[6] = {kOpSetValue, static_cast<uint8_t>(kCodeSession)};
    uint8_t frame[kFrameOverhead + sizeof payload];
    BuildFrame(frame, kFrameCommand, kClassSession, payload, sizeof payload);
    SendFrame(c, frame, sizeof frame);
    SleepMs(kSessionSettleMs);
    SetBaud(c, kProbeBaud);
    PurgeSerial(c);
}

// A drive keeps what the camera said until it is read: an answer that came after its exchange
// gave up would be taken as the answer to the next request, and every later one would be off by
// one. A reopen after a failure reads and drops whatever is waiting.
void DropStaleReplies(LinkConnection& c) {
    uint8_t sink[16];
    for (int i = 0; i < kFrameTries && ReadBytes(c, sink, sizeof sink, kDrainUnits) > 0; ++i) {
    }
}

// Opens serial port n at the probing speed, retrying the open.
bool OpenForProbe(LinkConnection& c, int n) {
    for (int attempt = 0; attempt < kOpenAttempts; ++attempt)
        if (OpenSerial(c, n, kProbeBaud) == n) return true;
    return false;
}

bool ScanSerial(LinkConnection& c, int first, int last, bool probe) {
    for (int n = first; n <= last; ++n) {
        if (!OpenForProbe(c, n)) continue;
        bool found = !probe;
        if (probe) {
            SetNoFlowControl(c);
            found = ProbeCamera(c);
        }
        CloseSerial(c);
        if (found) {
            c.port = n;
            return true;
        }
    }
    return false;
}

bool SearchUsb(LinkConnection& c) {
    c.port = kUsbPort;
    c.port = OpenStorage(c);
    return c.port > 0;
}

struct LoadTimeSelection {
    LoadTimeSelection() { SelectStorageTransport(); }
} loadTimeSelection;

}  // namespace

StorageTransportKind storageTransport() {
    return transportKind;
}
void setStorageTransport(StorageTransportKind kind) {
    transportKind = kind;
}
int connectionCount() {
    return objectCount;
}

LinkConnection* CreateConnection() {
    auto* c = new (std::nothrow) LinkConnection();
    if (c == nullptr) return nullptr;
    if (transportKind == StorageTransportKind::PassThrough) {
        c->passThroughBlock = new (std::nothrow) uint8_t[kRequestBlockSize]();
        if (c->passThroughBlock == nullptr) {
            delete c;
            return nullptr;
        }
    } else if (transportKind == StorageTransportKind::Aspi) {
        c->aspiRequest = new (std::nothrow) uint8_t[kRequestBlockSize]();
        if (c->aspiRequest == nullptr) {
            delete c;
            return nullptr;
        }
    }
    if (listHead == nullptr) {
        listHead = c;
    } else {
        LinkConnection* tail = listHead;
        while (tail->next != nullptr)
            tail = tail->next;
        tail->next = c;
        c->prev = tail;
    }
    c->id = static_cast<uint8_t>(objectCount++);
    return c;
}

void ReleaseConnection(LinkConnection* c) {
    if (c == nullptr) return;
    Unlink(c);
    --objectCount;
    if (HoldsOpenHandle(*c)) {
        Parked().push_back(c);  // keeps its request blocks until its device is closed
        return;
    }
    FreeBlocks(c);
    delete c;
}

void ResetConnections() {
    // Every object is closed here, the current one included, so that no port stays locked by an
    // object nobody can reach any more.
    if (currentConnection != nullptr) {
        CloseHandles(*currentConnection);
        ReleaseConnection(currentConnection);
        currentConnection = nullptr;
    }
    while (listHead != nullptr) {
        LinkConnection* c = listHead;
        CloseHandles(*c);
        ReleaseConnection(c);
    }
    for (LinkConnection* c : Parked()) {
        CloseHandles(*c);
        FreeBlocks(c);
        delete c;
    }
    Parked().clear();
}

int SetLastResult(LinkConnection& c, int code) {
    c.lastResult = code;
    LinkState target = code == QORLINK_OK              ? LinkState::Ready
                       : code == QORLINK_SESSION_CLOSE ? LinkState::SessionLost
                                                       : LinkState::Failed;
    switch (c.state) {
        case LinkState::Ready:
        case LinkState::Failed:
        case LinkState::Busy:
            c.state = target;
            break;
        case LinkState::Executing:
            if (code != QORLINK_NOT_RESPONDING) c.state = target;
            break;
        case LinkState::Closed:
        case LinkState::SessionLost:
            break;
    }
    return code;
}

int FailWith(LinkConnection& c, int code) {
    c.lastResult = code;
    MarkFailed(c);
    return code;
}

int SetSpeed(LinkConnection& c, int index) {
    if (index >= kMinSpeedIndex && index <= kMaxSpeedIndex) {
        c.speedIndex = index;
        c.readyChecked = 0;
        c.lastResult = QORLINK_OK;
        if (IsOpenState(c.state)) c.state = LinkState::Ready;
        return QORLINK_OK;
    }
    c.speedIndex = 0;
    return FailWith(c, QORLINK_OUT_OF_RANGE);
}

int SelectPort(LinkConnection& c, int port) {
    if (c.state != LinkState::Closed) return FailWith(c, QORLINK_OTHER_ERROR);
    bool usb = false;
    bool probe = false;
    int first = kFirstScanPort;
    int last = kLastScanPort;
    if (port == 0) {
        // A full search matches drives by name, whatever OEM value an earlier search used. (A
        // reopen selects the port it found, 160, and keeps the OEM value.)
        c.oemMode = 0;
        usb = probe = true;
    } else if (port == 1 || port == 2) {
        first = last = port;
    } else if (port == kUsbPort) {
        c.readyChecked = 0;
        c.speedIndex = kUsbSpeedIndex;
        usb = true;
        first = 1;
        last = 0;  // no serial scan
    } else if (port >= kFirstOemValue) {
        c.oemMode = port;
        usb = true;
    } else {
        c.lastResult = QORLINK_OUT_OF_RANGE;
        return QORLINK_OUT_OF_RANGE;
    }
    const bool found = (usb && SearchUsb(c)) || ScanSerial(c, first, last, probe);
    if (!found) {
        c.port = kNoPort;
        c.lastResult = QORLINK_PORT_NOT_AVAILABLE;
        c.state = LinkState::Closed;
        return -1;
    }
    c.lastResult = QORLINK_OK;
    c.state = LinkState::Ready;
    return c.port;
}

int OpenSession(LinkConnection& c) {
    if (c.port == kNoPort) return SetLastResult(c, QORLINK_PORT_NOT_AVAILABLE);
    if (c.vendorId == 0) {
        c.vendorId = kVendorHome;
        c.reserved32 = 0;
        c.bigBlocks = 0;
    }
    if (IsUsb(c)) {
        if (c.state != LinkState::Closed) return SetLastResult(c, QORLINK_OK);
        if (OpenStorage(c) != kUsbPort) return SetLastResult(c, QORLINK_CLOSE_ERROR);
        c.lastResult = QORLINK_OK;
        c.state = LinkState::Ready;
        return QORLINK_OK;
    }
    c.ackSent = 0;
    const int index = (c.speedIndex >= 0 && c.speedIndex <= kMaxSpeedIndex) ? c.speedIndex : 0;
    const int baud = kSpeedTable[index];
    if (c.state != LinkState::Closed) {
        c.state = LinkState::Closed;
        if (CloseSerial(c) != 1) return SetLastResult(c, QORLINK_CLOSE_ERROR);
    }
    if (OpenSerial(c, c.port, kProbeBaud) != c.port) return SetLastResult(c, QORLINK_OPEN_ERROR);
    c.state = LinkState::Ready;
    SetNoFlowControl(c);
    if (!ProbeCamera(c)) {
        // A camera still in a session that was never ended hears only the session speed.
        if (baud == kProbeBaud) return SetLastResult(c, QORLINK_NOT_RESPONDING);
        EndUnconfirmedSession(c, baud);
        if (!ProbeCamera(c)) return SetLastResult(c, QORLINK_NOT_RESPONDING);
    }
    // The session command carries the speed index; index 0 would end the session instead, so
    // the unset slot is sent as the index of its speed.
    const int sessionIndex = index == 0 ? kUnsetSpeedSessionIndex : index;
    int r = SetValue(c, kClassSession, kCodeSession, sessionIndex);
    // An answer none of the camera's bytes may have been its acknowledgement: end the session it
    // may have opened, at its speed, before the command goes out again.
    for (int round = 1; r == QORLINK_BAD_RESPONSE && round < kFrameTries; ++round) {
        EndUnconfirmedSession(c, baud);
        r = SetValue(c, kClassSession, kCodeSession, sessionIndex);
    }
    if (r != QORLINK_OK) {
        EndUnconfirmedSession(c, baud);
        return SetLastResult(c, r);
    }
    if (SetBaud(c, baud) != 1) return SetLastResult(c, QORLINK_OPEN_ERROR);
    if (c.readyChecked == 0) {
        int32_t ignored = 0;
        if (GetValue(c, kCodeReadiness, &ignored) != QORLINK_OK)
            return SetLastResult(c, QORLINK_OPEN_ERROR);
        c.readyChecked = 1;
    }
    SleepMs(kSessionSettleMs);
    return SetLastResult(c, QORLINK_OK);
}

int CloseSession(LinkConnection& c) {
    if (IsUsb(c)) {
        if (CloseStorage(c) != 1) return SetLastResult(c, QORLINK_CLOSE_ERROR);
        c.state = LinkState::Closed;
        c.lastResult = QORLINK_OK;
        return QORLINK_OK;
    }
    if (c.state == LinkState::Closed) {
        c.lastResult = QORLINK_OK;
        return QORLINK_OK;
    }
    c.speedIndex = 0;
    if (SetValue(c, kClassSession, kCodeSession, 0) == QORLINK_OK) SleepMs(kSessionSettleMs);
    if (CloseSerial(c) != 1) return SetLastResult(c, QORLINK_CLOSE_ERROR);
    c.state = LinkState::Closed;
    c.lastResult = QORLINK_OK;
    return QORLINK_OK;
}

int ReopenSession(LinkConnection& c) {
    const int speed = c.speedIndex;
    const int port = c.port;
    if (IsOpenState(c.state)) {
        if (c.port == kNoPort)
            SetLastResult(c, QORLINK_PORT_NOT_AVAILABLE);
        else
            CloseSession(c);
    }
    SetSpeed(c, speed);
    SelectPort(c, port);
    c.reopened = 1;
    const int r = OpenSession(c);
    if (r == QORLINK_OK && IsUsb(c)) DropStaleReplies(c);
    return r;
}

int EnsureSession(LinkConnection& c) {
    switch (c.state) {
        case LinkState::Closed:
        case LinkState::SessionLost:
        case LinkState::Failed:
            return ReopenSession(c);
        case LinkState::Ready:
            return QORLINK_OK;
        case LinkState::Executing:
            while (c.state == LinkState::Executing && PollExecution(c) == 1) {
            }
            return IsReady(c) == 1 ? QORLINK_OK : QORLINK_NOT_RESPONDING;
        case LinkState::Busy:
            while (c.state == LinkState::Busy)
                SleepMs(kBusyPollMs);
            return QORLINK_OK;
    }
    return QORLINK_OK;
}

int PollExecution(LinkConnection& c) {
    if (c.state != LinkState::Executing) return 0;
    const int h = ReadHandshake(c, 1);
    if (h == kDc1) {
        c.lastResult = QORLINK_DC1_RESPONSE;
        c.state = LinkState::Failed;
        return 1;
    }
    if (h == kEnq) {
        c.state = LinkState::Ready;
        return 0;
    }
    if (h == kSessionEnd) {
        c.state = LinkState::SessionLost;
        return 0;
    }
    if (IsUsb(c)) {
        c.state = LinkState::Failed;
        return 0;
    }
    if (static_cast<int32_t>(TickMs() - c.executeDeadline) < 0) return 1;
    c.state = LinkState::Failed;
    ReopenSession(c);
    return 0;
}

int IsReady(LinkConnection& c) {
    if (c.state == LinkState::Executing && PollExecution(c) == 1) return 0;
    return QueryCommand(c, kCodeReadiness, false) == 1 ? 1 : 0;
}

int SessionEnabled(LinkConnection& c, int mode) {
    int result;
    if (mode == 1) return OpenSession(c);
    if (mode == 0)
        result = CloseSession(c);
    else if (mode == 2)
        result = OpenSession(c);
    else
        result = FailWith(c, QORLINK_OUT_OF_RANGE);
    if (currentConnection == &c) currentConnection = nullptr;
    ReleaseConnection(&c);
    return result;
}

}  // namespace qorlink
