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
//     its bytes in real time), in rounds of 64 frames: this thread's processor time per MiB for
//     an upload and a sized read, against the protocol floor, and camsim's own processor time,
//     reported separately. The floor is the same round's line operations (every write, read,
//     setting and sleep the library made, with what each read returned) replayed with the
//     fewest system calls each needs on a second camsim command, so that both sides meet the
//     same camera fed the same bytes; rounds alternate so that both meet the machine in the same
//     state.
#include <fcntl.h>
#include <signal.h>
#include <sys/mman.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "camsim/camera.h"
#include "camsim/catalogue_profile.h"
#include "line_record.h"
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

// Processor seconds this thread has used so far, as the scheduler counts them (exact, not
// sampled at clock ticks as the resource-usage figures are).
double ThreadCpuSeconds() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) / 1e9;
}

// Times this thread gave up or lost the processor: each is a wake-up to come.
double Switches() {
    rusage u{};
    getrusage(RUSAGE_THREAD, &u);
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

// What one side spent on a stretch of frames.
struct Cost {
    double wall = 0, cpu = 0, switches = 0;
};

// Runs `transfer` and returns the wall time, this thread's processor time and its switches.
template <typename F>
Cost Measure(F&& transfer) {
    const double wall = WallSeconds(), cpu = ThreadCpuSeconds(), sw = Switches();
    transfer();
    return {WallSeconds() - wall, ThreadCpuSeconds() - cpu, Switches() - sw};
}

// One transfer's rounds: the library's and the floor's cost in each, and camsim's in all.
struct Rounds {
    std::vector<Cost> library, floor;
    double camsimCpu = 0;
    int result = 0;
};

// The median of the rounds' ratios of library to floor processor time, and their range.
void PrintRounds(const char* what, const Rounds& r, size_t framesPerRound, double mib,
                 const IdealLine& ideal) {
    if (r.result != 0) {
        std::printf("    %-10s returned %d\n", what, r.result);
        return;
    }
    Cost lib, fl;
    std::vector<double> ratios;
    for (size_t i = 0; i < r.library.size(); ++i) {
        lib.wall += r.library[i].wall;
        lib.cpu += r.library[i].cpu;
        lib.switches += r.library[i].switches;
        fl.cpu += r.floor[i].cpu;
        fl.switches += r.floor[i].switches;
        ratios.push_back(r.library[i].cpu / r.floor[i].cpu);
    }
    std::sort(ratios.begin(), ratios.end());
    const double frames = static_cast<double>(framesPerRound * r.library.size());
    std::printf(
        "    %-10s wall %6.2f s (%.3f of the ideal); processor %.4f s/MiB, floor %.4f s/MiB, "
        "%.2f times the floor (rounds: median %.2f, %.2f-%.2f); switches %.2f a frame, "
        "floor %.2f; camsim %.4f s/MiB\n",
        what, lib.wall, ideal.seconds() / lib.wall, lib.cpu / mib, fl.cpu / mib, lib.cpu / fl.cpu,
        ratios[ratios.size() / 2], ratios.front(), ratios.back(), lib.switches / frames,
        fl.switches / frames, r.camsimCpu / mib);
}

// Opens the serial device a camsim command serves, as the floor's replay uses it.
int OpenLine(const std::string& device) {
    return open(device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
}

// Runs one stretch of the library's transfer, then replays what it did on the floor's own
// camera; adds both costs to the rounds. False when the replay diverged.
template <typename F>
bool Round(Rounds& r, F&& transfer, bench::RecordingPlatform& record, bench::FloorReplay& floor,
           pid_t camsim) {
    const double cam = ProcessCpuSeconds(camsim);
    r.library.push_back(Measure(transfer));
    r.camsimCpu += ProcessCpuSeconds(camsim) - cam;
    const bench::LineRecord ops = record.take();
    bool replayed = false;
    r.floor.push_back(Measure([&] { replayed = floor.run(ops); }));
    return replayed;
}

// The library's transfers through one camsim command, in rounds; after each, the floor: the
// same line operations replayed with the fewest system calls on a second camsim command (in
// the same state, fed the same bytes). Alternating rounds meet the machine in the same state:
// on a shared machine the cost of a wake-up moves by half within minutes.
int PseudoTerminal(size_t bytes) {
    std::string device, floorDevice;
    const pid_t camsim = StartCamsim(&device), floorCamsim = StartCamsim(&floorDevice);
    if (camsim < 0 || floorCamsim < 0) {
        std::fprintf(stderr, "pseudo-terminal: camsim did not start\n");
        return 1;
    }
    setenv("QORLINK_COM1", device.c_str(), 1);
    bench::RecordingPlatform record;
    qorlink::installPlatform(&record);
    Cam_reset_dll();
    const int line = OpenLine(floorDevice);
    bench::FloorReplay floor(line);
    constexpr size_t kRoundFrames = 64, kRoundBytes = kRoundFrames * kBlock;
    const size_t rounds = std::max<size_t>(1, (bytes + kRoundBytes - 1) / kRoundBytes);
    const double mib = static_cast<double>(rounds * kRoundBytes) / kMiB;
    std::printf("(b) pseudo-terminal, camsim at 230400 baud, %.2f MiB in %zu rounds\n", mib,
                rounds);
    const std::vector<uint8_t> pattern = Pattern(kRoundBytes);
    int status = 1;
    // The camera serves the sized read from the diagnostic buffer, written first.
    if (line >= 0 && Cam_set_speed(6) == 0 && Cam_set_port(1) == 1 && Cam_session_enabled(1) == 0 &&
        Cam_set_diag_buffer(pattern.data(), static_cast<int32_t>(kRoundBytes)) == 0 &&
        floor.run(record.take())) {
        Rounds up, rd;
        const int fd = MakeFile(kRoundBytes);
        std::vector<uint8_t> buf(kRoundBytes);
        bool same = true, replayed = true;
        for (size_t i = 0; i < rounds && replayed && up.result == 0 && rd.result == 0; ++i) {
            replayed = Round(
                up,
                [&] {
                    lseek(fd, 0, SEEK_SET);
                    up.result = Cam_load_file_data(fd, kSelector);
                },
                record, floor, camsim);
            replayed = replayed && Round(
                                       rd,
                                       [&] {
                                           rd.result = Cam_get_diag_buffer_val(
                                               buf.data(), static_cast<int32_t>(kRoundBytes));
                                       },
                                       record, floor, camsim);
            same = same && buf == pattern;
        }
        close(fd);
        Cam_session_enabled(0);
        replayed = replayed && floor.run(record.take());
        IdealLine upIdeal(230400, 1000, true), rdIdeal(230400, 1000, true);
        for (size_t i = 0; i < rounds; ++i) {
            IdealUpload(upIdeal, kRoundBytes);
            IdealSizedRead(rdIdeal, kRoundBytes);
        }
        PrintRounds("upload", up, kRoundFrames, mib, upIdeal);
        PrintRounds("sized read", rd, kRoundFrames, mib, rdIdeal);
        if (rd.result == 0 && !same) std::printf("    sized read: data differ\n");
        if (!replayed) std::printf("    the floor's replay diverged from the record\n");
        status = up.result == 0 && rd.result == 0 && same && replayed ? 0 : 1;
    } else {
        std::fprintf(stderr, "pseudo-terminal: no session on %s\n", device.c_str());
    }
    Cam_reset_dll();
    qorlink::installPlatform(nullptr);
    if (line >= 0) close(line);
    for (pid_t pid : {camsim, floorCamsim}) {
        kill(pid, SIGTERM);
        waitpid(pid, nullptr, 0);
    }
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
