// The operating-system seam of the link library.
//
// Everything qorlink needs from the host goes through Platform: serial devices by port number,
// removable SCSI devices, the millisecond tick count, sleeping, loading outside libraries by
// name and reading the caller's open files. The POSIX backend (platform/posix) is installed by
// default; tests install a virtual platform whose devices are wired to a software camera and whose
// clock advances only when the library waits, so time-outs cost nothing.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace qorlink {

// An open serial line. Reads and writes never block longer than the bounds given.
class SerialPort {
  public:
    virtual ~SerialPort() = default;

    // Raw 8N1 at `baud` in both directions; every other setting is fixed by the backend.
    virtual bool setLine(int baud) = 0;
    // Clears hardware (CTS/DSR) and software (XON/XOFF) flow control.
    virtual bool setNoFlowControl() = 0;
    virtual bool setBaud(int baud) = 0;
    // Writes all n bytes and waits until they have left the driver, within 100 ms per byte plus
    // 300 ms. False on any failure or when the bound is exceeded.
    virtual bool write(const uint8_t* data, size_t n) = 0;
    // Reads up to n bytes, returning early once n have arrived and otherwise after timeoutMs in
    // total. Returns the count read (0 on time-out) or -1 on failure.
    virtual int read(uint8_t* data, size_t n, uint32_t timeoutMs) = 0;
    // Discards whatever is waiting in the input and output queues.
    virtual bool purge() = 0;
};

// Direction of a SCSI data phase.
enum class ScsiDirection { None, In, Out };

// An open SCSI device (a camera presented as a removable drive).
class ScsiDevice {
  public:
    virtual ~ScsiDevice() = default;

    // Issues one command. True only when the command was delivered and the device reported good
    // status with no error sense. `data` holds `length` bytes for In and Out.
    virtual bool command(const uint8_t* cdb, size_t cdbLength, ScsiDirection direction,
                         uint8_t* data, size_t length, uint32_t timeoutSeconds) = 0;
};

// What reading an open file gave.
enum class FileRead {
    Ok,
    SizeUnknown,  // the file's size could not be learnt
    Failed,       // it could not be read in full from its start, or memory ran out
};

// An outside library loaded by name.
class LoadedLibrary {
  public:
    virtual ~LoadedLibrary() = default;
    virtual void* symbol(const char* name) = 0;
};

class Platform {
  public:
    virtual ~Platform() = default;

    // Opens serial port n (1-9) for exclusive use, or returns null.
    virtual std::unique_ptr<SerialPort> openSerial(int n) = 0;
    // Names of the removable SCSI devices present now (drive roots or device nodes).
    virtual std::vector<std::string> listRemovableScsi() = 0;
    virtual std::unique_ptr<ScsiDevice> openScsi(const std::string& name) = 0;
    // Milliseconds since an arbitrary start; wraps at 2^32.
    virtual uint32_t tickMs() = 0;
    virtual void sleepMs(uint32_t ms) = 0;
    // Sleeps until the tick count has reached `tick` (at once when it has). This default sleeps
    // in whole milliseconds; a backend that knows where the clock is within its tick wakes at
    // the tick's first moment.
    virtual void sleepUntilTick(uint32_t tick) {
        while (static_cast<int32_t>(tickMs() - tick) < 0)
            sleepMs(1);
    }
    // Loads a library by its Windows file name ("Ravik.dll"); the backend maps the name to its
    // own form (library_name.h on POSIX). Null when it cannot be loaded.
    virtual std::unique_ptr<LoadedLibrary> loadLibrary(const std::string& windowsName) = 0;
    // Reads the whole of the caller's open file (a file descriptor on POSIX) from its start into
    // `bytes`, whatever its position was. `bytes` holds the file only when the answer is Ok.
    virtual FileRead readOpenFile(intptr_t file, std::vector<uint8_t>* bytes) = 0;
};

// The platform every library call uses: the installed one, or the host backend.
Platform& currentPlatform();
// Installs `p` (not owned) for all later calls; null restores the host backend.
void installPlatform(Platform* p);
// The host operating system's backend.
Platform& hostPlatform();

}  // namespace qorlink
