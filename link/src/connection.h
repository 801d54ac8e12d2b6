// The connection object and its life cycle: creation, the object list, the state machine, port
// selection and opening, closing and reopening the session with the camera.
#pragma once

#include <cstddef>
#include <cstdint>

#include "qorlink.h"

namespace qorlink {

class SerialPort;
class ScsiDevice;
struct OpcodeSet;

enum class LinkState : int32_t {
    Closed = 0,  // no session
    Ready = 1,
    SessionLost = 2,  // the camera sent the session-end byte
    Failed = 3,       // the last exchange failed; the next command reopens
    Executing = 4,    // an execute command was accepted; its completion byte is awaited
    Busy = 6,         // a command exchange is running
};

// Which USB storage mechanism this process uses; chosen once when the library loads.
enum class StorageTransportKind : int32_t { None = 0, PassThrough = 1, Aspi = 2 };

inline constexpr size_t kRequestBlockSize = 80;

// One connection object: the selected port and line speed, the transport's state and the session
// state every command shares. The handle fields hold the platform's open devices.
struct LinkConnection {
    uint8_t id = 0;            // number of objects that existed when it was created
    int32_t port = -1;         // -1 none; 1-9 serial port; 160 USB storage
    int32_t speedIndex = 0;    // 1-6, or 0 for the default slot
    int32_t readyChecked = 0;  // 1 once a serial open also exchanged a readiness query
    uint16_t vendorId = 0;     // vendor row key of the camera
    uint16_t reserved16 = 0;
    int32_t reserved32 = 0;
    int32_t bigBlocks = 0;  // 1 when 32768-byte blocks may be used (USB)
    const OpcodeSet* opcodeSet = nullptr;
    int32_t deviceIndex = 0;    // index of the open device in the device table
    void* aspiEvent = nullptr;  // ASPI transport only
    uint8_t* aspiRequest = nullptr;
    uint8_t* passThroughBlock = nullptr;
    int32_t aspiTimeoutSeconds = 0;
    ScsiDevice* deviceHandle = nullptr;  // open camera drive, null when closed
    SerialPort* serialHandle = nullptr;  // open serial port, null when closed
    uint32_t executeDeadline = 0;        // tick count at which an execute command is given up
    int32_t lastResult = 0;
    int32_t retryCount = 0;  // shared by probing, frame retries and session losses
    LinkState state = LinkState::Closed;
    int32_t bulkBusy = 0;  // 1 while a sized read with progress runs
    int32_t ackSent = 0;   // a handshake byte was just written; delay the next frame
    uint8_t txSequence = 0;
    uint8_t rxSequence = 0;
    int32_t reopened = 0;  // set by a session reopen; abortable queries test it
    QorlinkProgressFn progressCallback = nullptr;
    int32_t progressUser = 0;
    LinkConnection* prev = nullptr;
    LinkConnection* next = nullptr;
    int32_t oemMode = 0;  // the OEM value given to port selection, else 0
};

// Process-wide connection data.
extern LinkConnection* currentConnection;
StorageTransportKind storageTransport();
void setStorageTransport(StorageTransportKind kind);
int connectionCount();

LinkConnection* CreateConnection();
void ReleaseConnection(LinkConnection* c);
// Releases the current object and every other object in the list, closing what is still open.
void ResetConnections();

int SetLastResult(LinkConnection& c, int code);
// Marks a state other than Closed/SessionLost as Failed and records `code`, returning it.
int FailWith(LinkConnection& c, int code);

int SetSpeed(LinkConnection& c, int index);
int SelectPort(LinkConnection& c, int port);
int OpenSession(LinkConnection& c);
int CloseSession(LinkConnection& c);
int ReopenSession(LinkConnection& c);
int EnsureSession(LinkConnection& c);
// 0 when the execute command has finished (or was abandoned), 1 while it is still running.
int PollExecution(LinkConnection& c);
// 1 when no command is executing and the camera reports readiness.
int IsReady(LinkConnection& c);
// Ends a mode 0/1/2 session request as the export does, releasing the object for 0 and 2.
int SessionEnabled(LinkConnection& c, int mode);

}  // namespace qorlink
