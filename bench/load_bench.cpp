// Transfer benchmark: uploads (Cam_load_file_data), sized reads (Cam_get_diag_buffer_val) and
// memory reads (Cam_get_mcumem) against the software camera.
//
//   load_bench [--virtual-mib N] [--pty-mib N] [--no-pty]
//
// (a) On the virtual serial line at 115200 baud: each transfer's virtual time against the
//     protocol's ideal, computed from the protocol's own rules: every byte on the line at its
//     line time, the 50 ms delay before a frame that follows a handshake byte the library
//     wrote, the 20 ms look for a session-end byte before each frame, the two gaps between the
//     pieces of a frame as the tick rule gives them (until the tick count has moved on by more
//     than 1 ms: to the start of the second tick after the one the piece ended in), and the
//     camera's turnaround before each answer.
// (b) Through a pseudo-terminal served by the camsim command at 230400 baud (the camera paces
//     its bytes in real time): this process's processor time per MiB for an upload and a sized
//     read, against the protocol floor (the same blocking waits and writes each frame needs at
//     least, replayed on a pseudo-terminal of our own with the answers already waiting), and
//     camsim's own processor time, reported separately.
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <signal.h>
#include <sys/mman.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "camsim/camera.h"
#include "camsim/catalogue_profile.h"
#include "qorlink.h"
#include "virtual_platform.h"

namespace {

constexpr double kMiB = 1024.0 * 1024.0;
constexpr int32_t kSelector = 0x0FEC0001;
constexpr size_t kBlock = 2048;        // serial data block
constexpr size_t kFirstData = 2046;    // data bytes in a load's command frame
constexpr size_t kOverhead = 6;        // frame header and sum
constexpr size_t kMemoryBytes = 2040;  // one memory read: header words and data fill a frame

std::vector<uint8_t> Pattern(size_t bytes) {
    std::vector<uint8_t> data(bytes);
    for (size_t i = 0; i < bytes; ++i)
        data[i] = static_cast<uint8_t>(i * 31 + (i >> 11));
    return data;
}

// A memory file holding the pattern.
int MakeFile(size_t bytes) {
    const int fd = memfd_create("load_bench", 0);
    const std::vector<uint8_t> data = Pattern(bytes);
    size_t done = 0;
    while (done < bytes) {
        const ssize_t n = write(fd, data.data() + done, bytes - done);
        if (n <= 0) {
            std::perror("write");
            std::exit(1);
        }
        done += static_cast<size_t>(n);
    }
    return fd;
}

double CpuSeconds(int who = RUSAGE_SELF) {
    rusage u{};
    getrusage(who, &u);
    return static_cast<double>(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
           static_cast<double>(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

// Times the thread or process gave up or lost the processor: each is a wake-up to come.
double Switches(int who = RUSAGE_SELF) {
    rusage u{};
    getrusage(who, &u);
    return static_cast<double>(u.ru_nvcsw + u.ru_nivcsw);
}

double WallSeconds() {
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// Processor seconds a process has used so far (clock-tick resolution).
double ProcessCpuSeconds(pid_t pid) {
    std::ifstream in("/proc/" + std::to_string(pid) + "/stat");
    std::string stat((std::istreambuf_iterator<char>(in)), {});
    const size_t close = stat.rfind(')');
    if (close == std::string::npos) return 0;
    std::vector<std::string> fields;
    size_t pos = close + 2;
    while (pos < stat.size()) {
        const size_t end = stat.find(' ', pos);
        fields.push_back(stat.substr(pos, end - pos));
        if (end == std::string::npos) break;
        pos = end + 1;
    }
    if (fields.size() < 13) return 0;
    const double ticks = std::atof(fields[11].c_str()) + std::atof(fields[12].c_str());
    return ticks / static_cast<double>(sysconf(_SC_CLK_TCK));
}

// ---- The protocol's ideal, step by step --------------------------------------------------

class IdealLine {
  public:
    IdealLine(int baud, double turnaroundUs, bool handshakeJustWritten)
        : baud_(baud), turnaroundUs_(turnaroundUs), ackSent_(handshakeJustWritten) {}

    // A frame of n bytes: the delay after a handshake byte, the session-end look, the pieces.
    void frame(size_t n) {
        if (ackSent_) t_ += 50'000;
        ackSent_ = false;
        t_ += 20'000;
        if (n <= 4) {
            t_ += line(n);
            return;
        }
        t_ += line(1);
        gap();
        t_ += line(3);
        gap();
        t_ += line(n - 4);
        ++frames_;
    }
    // The camera's answer of n bytes, read by the library.
    void answer(size_t n, bool handshake) {
        t_ += turnaroundUs_ + line(n);
        if (handshake) ackSent_ = false;
    }
    // A handshake byte the library writes.
    void handshake() {
        t_ += line(1);
        ackSent_ = true;
    }
    void countFrame() { ++frames_; }
    double seconds() const { return t_ / 1e6; }
    size_t frames() const { return frames_; }

  private:
    double line(size_t n) const { return static_cast<double>(n) * 10.0 * 1e6 / baud_; }
    // Until the tick count has moved on by more than 1 ms from the tick the piece ended in.
    void gap() { t_ = (std::floor(t_ / 1000.0) + 2.0) * 1000.0; }

    int baud_;
    double turnaroundUs_;
    bool ackSent_;
    double t_ = 0;
    size_t frames_ = 0;
};

// An upload of n bytes through Cam_load_file_data: the selector, then the load's frames.
void IdealUpload(IdealLine& l, size_t n) {
    l.frame(12);  // set-value of the selector
    l.answer(1, true);
    const size_t first = n < kFirstData ? n : kFirstData;
    l.frame(2 + first + kOverhead);
    l.answer(1, true);
    for (size_t rest = n - first; rest > 0;) {
        const size_t chunk = rest < kBlock ? rest : kBlock;
        l.frame(chunk + kOverhead);
        l.answer(1, true);
        rest -= chunk;
    }
}

// A sized read of n bytes: the request, then every frame with the library's ACK after it.
void IdealSizedRead(IdealLine& l, size_t n) {
    l.frame(8);
    for (size_t rest = n; rest > 0;) {
        const size_t chunk = rest < kBlock ? rest : kBlock;
        l.answer(chunk + kOverhead, false);
        l.countFrame();
        l.handshake();
        rest -= chunk;
    }
}

// A memory read: the 12-byte request as the diagnostic buffer, then one reply frame.
void IdealMemoryRead(IdealLine& l, size_t n) {
    l.frame(2 + 12 + kOverhead);
    l.answer(1, true);
    l.frame(8);
    l.answer(n + 8 + kOverhead, false);
    l.handshake();
}

// ---- (a) the virtual line -----------------------------------------------------------------

struct VirtualRun {
    camsim::Camera camera{[] {
        camsim::Profile p = camsim::defaultProfile();
        camsim::addCatalogueRecords(p);
        return p;
    }()};
    camsim::CatalogueModel model{camera};
    qorlink::test::VirtualPlatform platform;
    bool open() {
        platform.attach(1, camera);
        qorlink::installPlatform(&platform);
        Cam_reset_dll();
        return Cam_set_speed(5) == 0 && Cam_set_port(1) == 1 && Cam_session_enabled(1) == 0;
    }
    ~VirtualRun() {
        Cam_reset_dll();
        qorlink::installPlatform(nullptr);
    }
    double seconds(uint64_t startUs) const {
        return static_cast<double>(
                   const_cast<qorlink::test::VirtualPlatform&>(platform).clock().nowUs() -
                   startUs) /
               1e6;
    }
};

void Report(const char* what, double seconds, const IdealLine& ideal, size_t payload) {
    std::printf(
        "    %-22s %9.2f s  ideal %9.2f s (%zu frames)  share of the ideal %.5f  "
        "%8.1f bytes/s\n",
        what, seconds, ideal.seconds(), ideal.frames(), ideal.seconds() / seconds,
        static_cast<double>(payload) / seconds);
}

int VirtualLine(size_t bytes) {
    constexpr int kBaud = 115200;
    std::printf("(a) virtual serial line, %d baud, %.1f MiB\n", kBaud, bytes / kMiB);
    int status = 0;
    {
        VirtualRun run;
        if (!run.open()) return 1;
        const int fd = MakeFile(bytes);
        const uint64_t start = run.platform.clock().nowUs();
        const int r = Cam_load_file_data(fd, kSelector);
        const double s = run.seconds(start);
        close(fd);
        IdealLine ideal(kBaud, double(run.camera.profile().turnaroundUs), true);
        IdealUpload(ideal, bytes);
        if (r != 0) std::printf("    upload returned %d\n", r);
        Report("upload", s, ideal, bytes);
        status |= r;
    }
    {
        VirtualRun run;
        if (!run.open()) return 1;
        run.camera.profile().records[31] = Pattern(bytes);
        std::vector<uint8_t> buf(bytes);
        const uint64_t start = run.platform.clock().nowUs();
        const int r = Cam_get_diag_buffer_val(buf.data(), static_cast<int32_t>(bytes));
        const double s = run.seconds(start);
        IdealLine ideal(kBaud, double(run.camera.profile().turnaroundUs), true);
        IdealSizedRead(ideal, bytes);
        if (r != 0) std::printf("    sized read returned %d\n", r);
        Report("sized read", s, ideal, bytes);
        status |= r;
    }
    {
        VirtualRun run;
        if (!run.open()) return 1;
        const size_t reads = 64;
        std::vector<uint8_t> record(8 + kMemoryBytes);
        const uint64_t start = run.platform.clock().nowUs();
        IdealLine ideal(kBaud, double(run.camera.profile().turnaroundUs), true);
        int r = 0;
        for (size_t i = 0; i < reads && r == 0; ++i) {
            const int32_t header[2] = {static_cast<int32_t>(i * kMemoryBytes),
                                       static_cast<int32_t>(kMemoryBytes)};
            std::memcpy(record.data(), header, sizeof header);
            r = Cam_get_mcumem(record.data());
            IdealMemoryRead(ideal, kMemoryBytes);
        }
        const double s = run.seconds(start);
        if (r != 0) std::printf("    memory read returned %d\n", r);
        Report("memory reads (64)", s, ideal, reads * kMemoryBytes);
        status |= r;
    }
    return status;
}

// ---- (b) the pseudo-terminal ----------------------------------------------------------------

// Starts the camsim command; returns its pid and the device it serves.
pid_t StartCamsim(std::string* device) {
    int out[2];
    if (pipe(out) != 0) return -1;
    const pid_t pid = fork();
    if (pid == 0) {
        dup2(out[1], STDOUT_FILENO);
        close(out[0]);
        close(out[1]);
        execl(CAMSIM_COMMAND, CAMSIM_COMMAND, static_cast<char*>(nullptr));
        _exit(127);
    }
    close(out[1]);
    char c;
    while (read(out[0], &c, 1) == 1 && c != '\n')
        *device += c;
    close(out[0]);
    return device->empty() ? -1 : pid;
}

void SetRaw(int fd) {
    termios t{};
    tcgetattr(fd, &t);
    cfmakeraw(&t);
    cfsetispeed(&t, B230400);
    cfsetospeed(&t, B230400);
    tcsetattr(fd, TCSANOW, &t);
}

bool WriteAll(int fd, const uint8_t* p, size_t n) {
    while (n > 0) {
        const ssize_t w = write(fd, p, n);
        if (w <= 0) return false;
        p += w;
        n -= static_cast<size_t>(w);
    }
    return true;
}

bool ReadAll(int fd, uint8_t* p, size_t n) {
    while (n > 0) {
        pollfd f{fd, POLLIN, 0};
        if (poll(&f, 1, 1000) <= 0) return false;
        const ssize_t r = read(fd, p, n);
        if (r <= 0) return false;
        p += r;
        n -= static_cast<size_t>(r);
    }
    return true;
}

void SleepToTick(int ticksAhead) {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    const int64_t ms = now.tv_sec * 1000 + now.tv_nsec / 1'000'000 + ticksAhead;
    const timespec at{static_cast<time_t>(ms / 1000), static_cast<long>(ms % 1000) * 1'000'000};
    clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &at, nullptr);
}

void SleepUs(uint64_t us) {
    timespec t{static_cast<time_t>(us / 1'000'000), static_cast<long>(us % 1'000'000) * 1000};
    while (nanosleep(&t, &t) != 0 && errno == EINTR) {
    }
}

// Microseconds n bytes take on the line at 230400 baud.
uint64_t LineUs(size_t n) {
    return static_cast<uint64_t>(n) * 10 * 1'000'000 / 230400;
}

// The protocol floor: per frame, the blocking waits and writes the protocol needs at least,
// replayed on a pseudo-terminal of our own whose far end answers like the camera (after a 1 ms
// turnaround; a frame's bytes over its line time). The far end is a process of its own, as
// camsim is, so that each wake-up costs the replaying side what a wake-up by camsim costs the
// library. Upload: the session-end look, three pieces each drained, the two gaps, one wait for
// the acknowledgement. Read: one wait for the frame's first bytes, one sleep for the line time
// of the rest, the reads, the acknowledgement written and drained. Processor seconds of the
// replaying thread per frame, and its processor switches per frame.
struct FloorCost {
    double cpu = 0;
    double switches = 0;
};

FloorCost FloorPerFrame(bool upload, size_t frames) {
    int master = -1, slave = -1;
    if (openpty(&master, &slave, nullptr, nullptr, nullptr) != 0) return {};
    SetRaw(slave);
    SetRaw(master);
    const std::vector<uint8_t> frame(kBlock + kOverhead, 0x5A);
    constexpr size_t kFirstChunk = 64;
    bool ok = true;
    const pid_t far = fork();
    if (far == 0) {
        std::vector<uint8_t> in(kBlock + kOverhead);
        const uint8_t ack = 0x06;
        bool farOk = true;
        for (size_t i = 0; i < frames && farOk; ++i) {
            if (upload) {
                farOk = ReadAll(master, in.data(), frame.size());
                SleepUs(1000);
                farOk = farOk && WriteAll(master, &ack, 1);
            } else {
                SleepUs(1000);
                farOk = WriteAll(master, frame.data(), kFirstChunk);
                SleepUs(LineUs(frame.size() - kFirstChunk));
                farOk = farOk &&
                        WriteAll(master, frame.data() + kFirstChunk, frame.size() - kFirstChunk) &&
                        ReadAll(master, in.data(), 1);
            }
        }
        _exit(farOk ? 0 : 1);
    }
    if (far < 0) ok = false;
    const double cpu0 = CpuSeconds(RUSAGE_THREAD), switches0 = Switches(RUSAGE_THREAD);
    std::vector<uint8_t> in(kBlock + kOverhead);
    for (size_t i = 0; i < frames && ok; ++i) {
        if (upload) {
            pollfd look{slave, POLLIN, 0};
            poll(&look, 1, 20);  // the session-end look
            WriteAll(slave, frame.data(), 1);
            tcdrain(slave);
            SleepToTick(2);
            WriteAll(slave, frame.data() + 1, 3);
            tcdrain(slave);
            SleepToTick(2);
            WriteAll(slave, frame.data() + 4, frame.size() - 4);
            tcdrain(slave);
            ok = ReadAll(slave, in.data(), 1);  // the acknowledgement
        } else {
            pollfd first{slave, POLLIN, 0};
            ok = poll(&first, 1, 1000) == 1;
            const ssize_t got = read(slave, in.data(), in.size());
            if (got > 0 && static_cast<size_t>(got) < frame.size()) {
                SleepUs(LineUs(frame.size() - static_cast<size_t>(got)));
                ok = ok && ReadAll(slave, in.data() + got, frame.size() - static_cast<size_t>(got));
            }
            const uint8_t ack = 0x06;
            WriteAll(slave, &ack, 1);
            tcdrain(slave);
        }
    }
    const double cpu = CpuSeconds(RUSAGE_THREAD) - cpu0;
    const double switches = Switches(RUSAGE_THREAD) - switches0;
    int status = 1;
    if (far > 0) waitpid(far, &status, 0);
    close(master);
    close(slave);
    if (!ok || status != 0 || frames == 0) return {};
    return {cpu / static_cast<double>(frames), switches / static_cast<double>(frames)};
}

int PseudoTerminal(size_t bytes) {
    std::string device;
    const pid_t camsim = StartCamsim(&device);
    if (camsim < 0) {
        std::fprintf(stderr, "pseudo-terminal: camsim did not start\n");
        return 1;
    }
    setenv("QORLINK_COM1", device.c_str(), 1);
    qorlink::installPlatform(nullptr);
    Cam_reset_dll();
    const double mib = bytes / kMiB;
    const size_t frames = (bytes + kBlock - 1) / kBlock;
    std::printf("(b) pseudo-terminal, camsim at 230400 baud, %.1f MiB\n", mib);
    int status = 1;
    if (Cam_set_speed(6) == 0 && Cam_set_port(1) == 1 && Cam_session_enabled(1) == 0) {
        const int fd = MakeFile(bytes);
        double wall = WallSeconds(), cpu = CpuSeconds(), cam = ProcessCpuSeconds(camsim),
               sw = Switches();
        const int up = Cam_load_file_data(fd, kSelector);
        const double upWall = WallSeconds() - wall, upCpu = CpuSeconds() - cpu,
                     upCam = ProcessCpuSeconds(camsim) - cam, upSw = Switches() - sw;
        close(fd);

        // The camera serves the sized read from the diagnostic buffer, written first.
        const std::vector<uint8_t> record = Pattern(bytes);
        const int put = Cam_set_diag_buffer(record.data(), static_cast<int32_t>(bytes));
        std::vector<uint8_t> buf(bytes);
        wall = WallSeconds(), cpu = CpuSeconds(), cam = ProcessCpuSeconds(camsim), sw = Switches();
        const int rd = Cam_get_diag_buffer_val(buf.data(), static_cast<int32_t>(bytes));
        const double rdWall = WallSeconds() - wall, rdCpu = CpuSeconds() - cpu,
                     rdCam = ProcessCpuSeconds(camsim) - cam, rdSw = Switches() - sw;
        Cam_session_enabled(0);

        const FloorCost upFloor = FloorPerFrame(true, 64), rdFloor = FloorPerFrame(false, 64);
        IdealLine upIdeal(230400, 1000, true), rdIdeal(230400, 1000, true);
        IdealUpload(upIdeal, bytes);
        IdealSizedRead(rdIdeal, bytes);
        const double n = static_cast<double>(frames);
        const auto line = [&](const char* what, int r, double w, double c, double switches,
                              const FloorCost& floor, double camCpu, const IdealLine& ideal) {
            if (r != 0) {
                std::printf("    %-10s returned %d\n", what, r);
                return;
            }
            std::printf(
                "    %-10s wall %6.2f s (%.3f of the ideal); processor %.4f s/MiB, "
                "floor %.4f s/MiB, %.2f times the floor; switches %.2f a frame, floor %.2f; "
                "camsim %.4f s/MiB\n",
                what, w, ideal.seconds() / w, c / mib, floor.cpu * n / mib, c / (floor.cpu * n),
                switches / n, floor.switches, camCpu / mib);
        };
        line("upload", up, upWall, upCpu, upSw, upFloor, upCam, upIdeal);
        line("sized read", put != 0 ? put : rd, rdWall, rdCpu, rdSw, rdFloor, rdCam, rdIdeal);
        status = up == 0 && put == 0 && rd == 0 && buf == record ? 0 : 1;
        if (rd == 0 && buf != record) std::printf("    sized read: data differ\n");
    } else {
        std::fprintf(stderr, "pseudo-terminal: no session on %s\n", device.c_str());
    }
    Cam_reset_dll();
    kill(camsim, SIGTERM);
    waitpid(camsim, nullptr, 0);
    return status;
}

}  // namespace

int main(int argc, char** argv) {
    double virtualMib = 4, ptyMib = 2;
    bool pty = true;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--virtual-mib" && i + 1 < argc) {
            virtualMib = std::atof(argv[++i]);
        } else if (a == "--pty-mib" && i + 1 < argc) {
            ptyMib = std::atof(argv[++i]);
        } else if (a == "--no-pty") {
            pty = false;
        } else {
            std::fprintf(stderr, "usage: %s [--virtual-mib N] [--pty-mib N] [--no-pty]\n", argv[0]);
            return 2;
        }
    }
    int r = VirtualLine(static_cast<size_t>(virtualMib * kMiB));
    if (pty) r |= PseudoTerminal(static_cast<size_t>(ptyMib * kMiB));
    return r;
}
