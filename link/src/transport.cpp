// Byte transport: serial line through the platform's serial port, or the USB storage transport
// whenever the connection's port is 160.
#include "transport.h"

#include "connection.h"
#include "link_constants.h"
#include "platform.h"
#include "storage.h"

namespace qorlink {
namespace {

// Serial read time-out for t protocol units: 10 ms each, 2 ms for 0.
uint32_t SerialTimeoutMs(int t) {
    return t <= 0 ? 2u : static_cast<uint32_t>(t) * 10u;
}

}  // namespace

bool IsUsb(const LinkConnection& c) {
    return c.port == kUsbPort;
}

int WriteBytes(LinkConnection& c, const uint8_t* buf, size_t n) {
    if (IsUsb(c)) {
        const int r = StorageWrite(c, buf, n);
        return r == 1 ? 1 : -2;
    }
    if (c.serialHandle == nullptr) return -1;
    return c.serialHandle->write(buf, n) ? 1 : -1;
}

int ReadBytes(LinkConnection& c, uint8_t* buf, size_t n, int t) {
    if (IsUsb(c)) return StorageRead(c, buf, n, t);
    if (c.serialHandle == nullptr) return -1;
    return c.serialHandle->read(buf, n, SerialTimeoutMs(t));
}

int Drain(LinkConnection& c) {
    if (IsUsb(c) || c.serialHandle == nullptr) return 0;
    int count = 0;
    uint8_t byte;
    while (c.serialHandle->read(&byte, 1, SerialTimeoutMs(kDrainUnits)) == 1)
        ++count;
    return count;
}

void SleepMs(uint32_t ms) {
    currentPlatform().sleepMs(ms);
}

void SleepUntilTick(uint32_t tick) {
    currentPlatform().sleepUntilTick(tick);
}

uint32_t TickMs() {
    return currentPlatform().tickMs();
}

int OpenSerial(LinkConnection& c, int n, int baud) {
    if (openPortMarker != kNoPort) return -1;
    if (n < 1 || n > kMaxSerialPort) return -1;
    std::unique_ptr<SerialPort> port = currentPlatform().openSerial(n);
    if (!port || !port->setLine(baud)) return -1;
    delete c.serialHandle;
    c.serialHandle = port.release();
    c.port = n;
    return n;
}

int SetNoFlowControl(LinkConnection& c) {
    if (IsUsb(c)) return 1;
    return c.serialHandle != nullptr && c.serialHandle->setNoFlowControl() ? 1 : -1;
}

int SetBaud(LinkConnection& c, int baud) {
    if (IsUsb(c)) return 1;
    return c.serialHandle != nullptr && c.serialHandle->setBaud(baud) ? 1 : -1;
}

int PurgeSerial(LinkConnection& c) {
    if (IsUsb(c)) return 1;
    return c.serialHandle != nullptr && c.serialHandle->purge() ? 1 : -1;
}

int CloseSerial(LinkConnection& c) {
    if (IsUsb(c)) return CloseStorage(c);
    if (c.serialHandle != nullptr) {
        delete c.serialHandle;  // closing the descriptor cannot fail in a way we can act on
        c.serialHandle = nullptr;
    }
    return 1;
}

}  // namespace qorlink
