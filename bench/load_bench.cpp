// Upload benchmark: one multi-megabyte file through Cam_load_file_data.
//
//   load_bench [--virtual-mib N] [--pty-mib N] [--no-pty]
//
// (a) On the virtual serial line at 115200 baud against the software camera: payload throughput
//     in virtual time, as a share of the line rate and of the protocol's ideal. The ideal counts
//     every byte the protocol puts on the line (frame headers and sums, the camera's ACK per
//     frame), the two gaps between the pieces of each frame (just over 1 ms each at their
//     shortest) and the 20 ms look for a session-end byte before each frame; it leaves out only
//     the camera's own turnaround.
// (b) Through a pseudo-terminal served by the camsim command at the highest speed (230400 baud,
//     paced by the camera in real time): this process's processor time per MiB, beside a plain
//     copy of the same bytes through the same pseudo-terminal.
#include <fcntl.h>
#include <signal.h>
#include <sys/mman.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "camsim/camera.h"
#include "qorlink.h"
#include "virtual_platform.h"

namespace {

constexpr double kMiB = 1024.0 * 1024.0;
constexpr int32_t kSelector = 0x0FEC0001;

// A memory file holding `bytes` bytes of a fixed pattern.
int MakeFile(size_t bytes) {
    const int fd = memfd_create("load_bench", 0);
    std::vector<uint8_t> data(bytes);
    for (size_t i = 0; i < bytes; ++i)
        data[i] = static_cast<uint8_t>(i * 31 + (i >> 11));
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

double CpuSeconds() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return static_cast<double>(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
           static_cast<double>(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

double WallSeconds() {
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// Seconds the protocol needs at best to load `n` bytes at `baud`, with its parts.
struct Ideal {
    double line = 0, gaps = 0, sessionLooks = 0;
    size_t frames = 0;
    double total() const { return line + gaps + sessionLooks; }
};

Ideal IdealLoad(size_t n, int baud) {
    // The selector first: one 12-byte set-value frame and its ACK.
    size_t lineBytes = 12 + 1;
    size_t frames = 1;
    // The load: a command frame with operation, code and up to 2046 bytes, then 2048-byte
    // data frames; six bytes of header and sum per frame, one ACK back for each.
    const size_t first = n < 2046 ? n : 2046;
    lineBytes += 2 + first + 6 + 1;
    ++frames;
    for (size_t rest = n - first; rest > 0;) {
        const size_t chunk = rest < 2048 ? rest : 2048;
        lineBytes += chunk + 6 + 1;
        ++frames;
        rest -= chunk;
    }
    Ideal i;
    i.frames = frames;
    i.line = static_cast<double>(lineBytes) * 10.0 / baud;
    i.gaps = static_cast<double>(frames) * 2 * 0.001;
    i.sessionLooks = static_cast<double>(frames) * 0.020;
    return i;
}

int VirtualLine(size_t bytes) {
    camsim::Camera camera;
    qorlink::test::VirtualPlatform platform;
    platform.attach(1, camera);
    qorlink::test::ScopedPlatform installed(platform);
    Cam_reset_dll();
    if (Cam_set_speed(5) != 0 || Cam_set_port(1) != 1 || Cam_session_enabled(1) != 0) {
        std::fprintf(stderr, "virtual line: no session\n");
        return 1;
    }
    const int fd = MakeFile(bytes);
    const uint64_t start = platform.clock().nowUs();
    const double cpu = CpuSeconds();
    const int r = Cam_load_file_data(fd, kSelector);
    const double cpuUsed = CpuSeconds() - cpu;
    const double seconds = static_cast<double>(platform.clock().nowUs() - start) / 1e6;
    close(fd);
    Cam_session_enabled(0);
    if (r != 0) {
        std::fprintf(stderr, "virtual line: load returned %d\n", r);
        return 1;
    }
    const int baud = 115200;
    const double lineRate = baud / 10.0;
    const double throughput = static_cast<double>(bytes) / seconds;
    const Ideal ideal = IdealLoad(bytes, baud);
    std::printf("(a) virtual serial line, 115200 baud, %.1f MiB\n", bytes / kMiB);
    std::printf("    virtual time            %10.2f s\n", seconds);
    std::printf("    payload throughput      %10.1f bytes/s\n", throughput);
    std::printf("    share of the line rate  %10.3f  (line: %.0f bytes/s)\n", throughput / lineRate,
                lineRate);
    std::printf(
        "    protocol ideal          %10.2f s  (%zu frames: line %.2f s, piece gaps %.2f "
        "s, session-end looks %.2f s)\n",
        ideal.total(), ideal.frames, ideal.line, ideal.gaps, ideal.sessionLooks);
    std::printf("    share of the ideal      %10.3f\n", ideal.total() / seconds);
    std::printf("    host processor time     %10.3f s (simulated camera included)\n", cpuUsed);
    return 0;
}

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

// Writes `bytes` bytes to the device, raw at 230400 baud, in 2048-byte writes.
bool PlainCopy(const std::string& device, int file, size_t bytes) {
    const int fd = open(device.c_str(), O_RDWR | O_NOCTTY);
    if (fd < 0) return false;
    termios t{};
    tcgetattr(fd, &t);
    cfmakeraw(&t);
    cfsetispeed(&t, B230400);
    cfsetospeed(&t, B230400);
    tcsetattr(fd, TCSANOW, &t);
    std::vector<uint8_t> chunk(2048);
    lseek(file, 0, SEEK_SET);
    size_t done = 0;
    while (done < bytes) {
        const ssize_t n = read(file, chunk.data(), chunk.size());
        if (n <= 0) break;
        for (ssize_t off = 0; off < n;) {
            const ssize_t w = write(fd, chunk.data() + off, static_cast<size_t>(n - off));
            if (w <= 0) {
                close(fd);
                return false;
            }
            off += w;
        }
        done += static_cast<size_t>(n);
    }
    tcdrain(fd);
    close(fd);
    return done == bytes;
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
    int status = 1;
    const int fd = MakeFile(bytes);
    if (Cam_set_speed(6) == 0 && Cam_set_port(1) == 1 && Cam_session_enabled(1) == 0) {
        const double wall = WallSeconds();
        const double cpu = CpuSeconds();
        const int r = Cam_load_file_data(fd, kSelector);
        const double cpuLoad = CpuSeconds() - cpu;
        const double wallLoad = WallSeconds() - wall;
        Cam_session_enabled(0);

        const double copyWall0 = WallSeconds();
        const double copyCpu0 = CpuSeconds();
        const bool copied = PlainCopy(device, fd, bytes);
        const double cpuCopy = CpuSeconds() - copyCpu0;
        const double wallCopy = WallSeconds() - copyWall0;

        const double mib = bytes / kMiB;
        std::printf("(b) pseudo-terminal, camsim at 230400 baud, %.1f MiB\n", mib);
        if (r != 0) {
            std::printf("    load returned %d\n", r);
        } else {
            std::printf("    load: wall %8.2f s, processor %7.3f s = %.4f s/MiB\n", wallLoad,
                        cpuLoad, cpuLoad / mib);
            std::printf(
                "    processor busy %.2f%% of the wall time; share of the protocol ideal "
                "%.3f\n",
                100.0 * cpuLoad / wallLoad, IdealLoad(bytes, 230400).total() / wallLoad);
        }
        if (copied)
            std::printf("    plain copy: wall %8.2f s, processor %7.3f s = %.4f s/MiB\n", wallCopy,
                        cpuCopy, cpuCopy / mib);
        else
            std::printf("    plain copy failed\n");
        status = r == 0 && copied ? 0 : 1;
    } else {
        std::fprintf(stderr, "pseudo-terminal: no session on %s\n", device.c_str());
    }
    close(fd);
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
