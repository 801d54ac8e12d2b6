// Byte transport of the protocol: the serial line, or the USB storage transport whenever the
// connection's port is 160. The protocol never needs to know which one is in use.
#pragma once

#include <cstddef>
#include <cstdint>

namespace qorlink {

struct LinkConnection;

// 1 on success, -2 when the USB transport failed, -1 on any other failure.
int WriteBytes(LinkConnection& c, const uint8_t* buf, size_t n);
// Bytes read (0 on time-out), -1 failure, -2 USB transport failure, -3 USB device error.
// t is in protocol units: 10 ms each on serial (2 ms when 0), seconds on USB.
int ReadBytes(LinkConnection& c, uint8_t* buf, size_t n, int t);
// Discards pending serial input; returns the count discarded.
int Drain(LinkConnection& c);
void SleepMs(uint32_t ms);
// Sleeps until the tick count has reached `tick`.
void SleepUntilTick(uint32_t tick);
uint32_t TickMs();
bool IsUsb(const LinkConnection& c);

// Serial line control.
int OpenSerial(LinkConnection& c, int n, int baud);  // n or -1
int SetNoFlowControl(LinkConnection& c);             // 1 or -1
int SetBaud(LinkConnection& c, int baud);            // 1 or -1 (1 on USB)
int CloseSerial(LinkConnection& c);                  // 1 or -1 (USB: closes the device)
int PurgeSerial(LinkConnection& c);                  // 1 or -1

}  // namespace qorlink
