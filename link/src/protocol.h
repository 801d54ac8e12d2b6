// The link protocol: frames with 16-bit sums, single handshake bytes, and the exchanges every
// camera command is built from. Each exchange runs on a connection that EnsureSession has put
// into Busy, and returns a result code.
#pragma once

#include <cstddef>
#include <cstdint>

namespace qorlink {

struct LinkConnection;

// Frame writing and handshakes.
int SendFrame(LinkConnection& c, const uint8_t* frame, size_t n);
// The byte received; -1 when every attempt timed out; 0x11 when the read failed; -2/-3 from USB.
int ReadHandshake(LinkConnection& c, int attempts);
// 0, 20 (session ended or the write failed) or 21 (USB failure).
int SendHandshake(LinkConnection& c, uint8_t byte);
// True when the camera has sent the session-end byte (serial only).
bool CheckSessionEnd(LinkConnection& c);
// Sleeps before a frame when a handshake byte was just written.
void PreSendDelay(LinkConnection& c);

// Failures of ReceiveFrame besides the transport's own -1, -2 and -3.
inline constexpr int kOversizedFrame = -4;  // the length field exceeds what the buffer holds
inline constexpr int kShortFrame = -5;      // fewer bytes than the frame announced

// Reads one frame into buf (capacity bytes). Returns the frame length, 0 when nothing came, or a
// negative failure. `got` receives the number of bytes that did arrive.
int ReceiveFrame(LinkConnection& c, uint8_t* buf, size_t capacity, size_t expected, int t,
                 size_t* got);
// 0, 13 (sequence mismatch) or 16 (bad layout or sum).
int CheckFrame(const LinkConnection& c, const uint8_t* frame, size_t length, bool verifySum);

// A set of the session class ends with 13 at the first answer that is none of the camera's
// handshake bytes, instead of trying again at the same speed.
int SetValue(LinkConnection& c, uint8_t cls, int code, int32_t value);
int Execute(LinkConnection& c, int code, int parameter);
int GetValue(LinkConnection& c, int code, int32_t* value);
// `delivered` (when given) is set once a frame of the send has gone out whole: from then on the
// camera may hold part of the data, whatever it answered.
int SendData(LinkConnection& c, const uint8_t* data, size_t length, int code, uint8_t cls,
             bool* delivered = nullptr);

// One data frame of a fetch. `first` sends the get-data command; later calls acknowledge the
// previous frame. The payload (at most `capacity` bytes of it) is stored in `out`; `length`
// receives the payload length stored, `more` whether further frames follow, and `payloadLength`
// (when given) the length of the payload as the camera sent it.
int ReceiveData(LinkConnection& c, bool first, int code, uint8_t op, size_t expected, uint8_t* out,
                size_t capacity, size_t* length, bool* more, size_t* payloadLength = nullptr);
// One-frame fetch: as ReceiveData with first = true and op 4; an empty type-2 frame gives 15.
int ReceiveOne(LinkConnection& c, int code, size_t expected, uint8_t* out, size_t capacity,
               size_t* length);

// Command class byte for a code: 0x43 below 256, 0x44 from 256 (the session class stays).
uint8_t ClassForCode(int code);

}  // namespace qorlink
