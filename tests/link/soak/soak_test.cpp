// The fault soak: a seeded mix of thousands of calls (values, queries, fetches, uploads, sized
// reads) against the software camera while its answers and the host's bytes go wrong at a few
// percent each, over the virtual serial line and the virtual camera drive, and (on request, in
// real time) over a pseudo-terminal.
//
// Every call must end with a documented result within the bound that the time-outs and retry
// limits give it; every upload reported as 0 must have reached the camera byte for byte, once;
// every value or record reported as read must be the camera's; and once the faults stop the
// connection must work. The seed and a summary are printed; ORVIA_SOAK_SEED and
// ORVIA_SOAK_CALLS choose another run, ORVIA_SOAK_ALTER=1 adds bytes altered on the line, and
// ORVIA_SOAK_TRACE=n tells what happened during call n. ORVIA_SOAK_PTY=1 runs the serial soak
// again through the host's own serial backend against the camera served on a pseudo-terminal.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <optional>
#include <random>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "camsim/catalogue_profile.h"
#include "connection.h"
#include "qorlink.h"
#include "storage/device_table.h"
#include "virtual_platform.h"
#include "virtual_scsi.h"

#if !defined(_WIN32)
#include "camsim/pty_server.h"
#endif

namespace qorlink::test {
namespace {

using Bytes = std::vector<uint8_t>;

uint64_t EnvOr(const char* name, uint64_t fallback) {
    const char* v = std::getenv(name);
    return v != nullptr && *v != '\0' ? std::strtoull(v, nullptr, 0) : fallback;
}

constexpr camsim::Fault kCameraFaults[] = {
    camsim::Fault::Drop,  camsim::Fault::Corrupt,    camsim::Fault::Nak,   camsim::Fault::Dc1,
    camsim::Fault::Stray, camsim::Fault::EndSession, camsim::Fault::Delay,
};

// Data bytes a load's command frame carries.
constexpr size_t kCommandFrameData = 2046;

// Results a command may return, and the two failure values of a query.
const std::set<int32_t> kCommandResults = {0,  1,  2,  3,  4,  7,  8,  10, 11, 12,
                                           13, 14, 15, 19, 20, 21, 22, 24, 255};

// Bounds from the time-outs and retry limits: a handshake waits 1200 units (12 s on the line,
// 1200 s on the camera drive, which holds a read until the camera speaks); a frame is tried 4
// times with up to 6 handshake reads each; opening a session probes up to 8 times (2 reads),
// sends the session command and asks readiness; a call reopens the session up to 4 times.
uint64_t CallBoundMs(bool usb, size_t frames) {
    const uint64_t handshakeMs = usb ? 1'200'000 : 12'000;
    const uint64_t frameMs = 4 * 6 * handshakeMs + 4 * 1'000;
    const uint64_t openMs = 8 * 2 * handshakeMs + 2 * frameMs + 1'000;
    return 5 * (openMs + frames * frameMs);
}

// No call takes longer than a minute unless a fault made it wait, and then only for the waits
// the protocol prescribes: a frame the camera never took whole, or whose answer was lost, gets no
// answer, and the library waits out its handshake reads (6 of 12 s on the line, of 1200 s on the
// camera drive) before it tries the frame again, up to 4 times. One fault can cost all of those
// tries: an acknowledgement lost after the camera ended the session leaves every repeat of the
// command unanswered. A call after a failed one first reopens the session, and its close command
// can meet the same silence.
constexpr uint64_t kMinuteMs = 60'000;
uint64_t FaultAllowanceMs(bool usb) {
    const uint64_t handshakeMs = usb ? 1'200'000 : 12'000;
    return 4 * 6 * handshakeMs;
}

// The host's line loses or alters a byte now and then on its way to the camera. The type byte
// of a data frame is never altered: the frame's sum covers its payload only, so a frame whose
// type turned from "more" into "last" (or back) is one neither side can tell from a good one.
class FaultyLinePlatform final : public Platform {
  public:
    FaultyLinePlatform(Platform& inner, uint64_t seed) : inner_(inner), rng_(seed) {}
    void setRates(double drop, double alter) {
        drop_ = drop;
        alter_ = alter;
    }
    int dropped = 0, altered = 0;

    std::unique_ptr<SerialPort> openSerial(int n) override {
        auto port = inner_.openSerial(n);
        if (!port) return nullptr;
        return std::make_unique<Line>(std::move(port), *this);
    }
    std::vector<std::string> listRemovableScsi() override { return inner_.listRemovableScsi(); }
    std::unique_ptr<ScsiDevice> openScsi(const std::string& name) override {
        return inner_.openScsi(name);
    }
    uint32_t tickMs() override { return inner_.tickMs(); }
    void sleepMs(uint32_t ms) override { inner_.sleepMs(ms); }
    void sleepUntilTick(uint32_t tick) override { inner_.sleepUntilTick(tick); }
    std::unique_ptr<LoadedLibrary> loadLibrary(const std::string& name) override {
        return inner_.loadLibrary(name);
    }
    FileRead readOpenFile(intptr_t file, std::vector<uint8_t>* bytes) override {
        return inner_.readOpenFile(file, bytes);
    }

  private:
    class Line final : public SerialPort {
      public:
        Line(std::unique_ptr<SerialPort> inner, FaultyLinePlatform& owner)
            : inner_(std::move(inner)), owner_(owner) {}
        bool setLine(int baud) override { return inner_->setLine(baud); }
        bool setNoFlowControl() override { return inner_->setNoFlowControl(); }
        bool setBaud(int baud) override { return inner_->setBaud(baud); }
        int read(uint8_t* data, size_t n, uint32_t timeoutMs) override {
            return inner_->read(data, n, timeoutMs);
        }
        bool purge() override { return inner_->purge(); }
        bool write(const uint8_t* data, size_t n) override {
            std::uniform_real_distribution<double> u(0, 1);
            const double roll = u(owner_.rng_);
            if (n == 0 || roll >= owner_.drop_ + owner_.alter_) return inner_->write(data, n);
            const bool dataType = n == 1 && (data[0] == 2 || data[0] == 3);
            if (dataType && roll >= owner_.drop_) return inner_->write(data, n);
            Bytes b(data, data + n);
            const size_t at = owner_.rng_() % n;
            if (roll < owner_.drop_) {
                b.erase(b.begin() + static_cast<std::ptrdiff_t>(at));
                ++owner_.dropped;
            } else {
                b[at] ^= static_cast<uint8_t>(1u << (owner_.rng_() % 8));
                ++owner_.altered;
            }
            return b.empty() ? true : inner_->write(b.data(), b.size());
        }

      private:
        std::unique_ptr<SerialPort> inner_;
        FaultyLinePlatform& owner_;
    };

    Platform& inner_;
    std::mt19937_64 rng_;
    double drop_ = 0, alter_ = 0;
};

camsim::Profile SoakProfile() {
    camsim::Profile p = camsim::defaultProfile();
    camsim::addCatalogueRecords(p);
    return p;
}

struct Summary {
    int calls = 0;
    int uploadsChecked = 0;
    int readsChecked = 0;
    int wrongSuccesses = 0;
    int unexplainedLongCalls = 0;  // past a minute with no fault to account for it
    double worstRatio = 0;         // longest call against its bound
    std::string worstCall;
    std::map<int32_t, int> results;
};

// Where the library meets the camera.
enum class Path {
    VirtualLine,     // the virtual serial line and clock
    CameraDrive,     // the virtual camera drive and clock
    PseudoTerminal,  // the host's serial backend, the camera served on a pty in real time
};

#if !defined(_WIN32)
// The camera on a pseudo-terminal, served only while the library is in a call, so that the soak
// reads the camera's state between calls without racing the server.
class PtyCamera {
  public:
    explicit PtyCamera(camsim::Camera& camera) : server_(camera) {}
    bool ok() const { return server_.ok(); }
    const std::string& device() const { return server_.slavePath(); }

    template <typename Call>
    int32_t serve(Call call) {
        serving_ = true;
        std::thread server([this] { server_.run([this] { return serving_.load(); }); });
        const int32_t r = call();
        serving_ = false;
        server.join();
        return r;
    }

  private:
    camsim::PtyServer server_;
    std::atomic<bool> serving_{false};
};
#endif

class Soak {
  public:
    Soak(uint64_t seed, Path path)
        : seed_(seed),
          usb_(path == Path::CameraDrive),
          pty_(path == Path::PseudoTerminal),
          rng_(seed),
          line_(pty_ ? hostPlatform() : static_cast<Platform&>(platform_), seed) {
        camera_.faults().reseed(seed);
        auto before = camera_.hooks().onDataReceived;
        camera_.hooks().onDataReceived = [this, before](int code, const Bytes& data) {
            if (before) before(code, data);
            if (code == camsim::kCodeLoadData) completedLoads_.push_back(data);
        };
        Cam_reset_dll();
        if (usb_) {
            ResetDeviceTable();
            addScsiCamera(platform_, "/dev/sdb", drive_);
        } else if (pty_) {
            servePty();
        } else {
            platform_.attach(1, camera_);
        }
    }
    ~Soak() {
        Cam_reset_dll();
        if (usb_) ResetDeviceTable();
    }

    void open() {
        ASSERT_EQ(Cam_set_speed(5), 0);
        ASSERT_EQ(served([&] { return Cam_set_port(usb_ ? 160 : 1); }), usb_ ? 160 : 1);
        ASSERT_EQ(served([] { return Cam_session_enabled(1); }), 0);
    }

    // Runs one library call with the camera answering.
    template <typename Call>
    int32_t served(Call call) {
#if !defined(_WIN32)
        if (pty_) return ptyCamera_->serve(call);
#endif
        return call();
    }

    void faultsOn(double rate) {
        camsim::FaultRates r;
        r.drop = r.corrupt = r.nak = r.dc1 = r.endSession = r.delay = rate;
        // A stray byte is noise on a line; a camera drive carries whole messages. An altered
        // frame length over the drive announces a message longer than any frame, which the
        // library refuses to read and the drive then offers for ever (see the README).
        r.stray = usb_ ? 0 : rate;
        // Silence is a lost answer; a late one comes within the read's time-out. (An answer
        // later than that can carry the sequence number that a later exchange waits for; no
        // side can tell it from the right one.)
        r.delayUs = 5'000'000;
        r.corrupt = usb_ ? 0 : rate;
        camera_.faults().setRates(r);
        // Bytes the line alters on their way to the camera are left out unless asked for: an
        // altered request can leave the camera serving an earlier record, and a frame does not
        // name its command (see the README).
        if (!usb_) line_.setRates(rate, EnvOr("ORVIA_SOAK_ALTER", 0) != 0 ? rate : 0);
    }
    void faultsOff() {
        camera_.faults().setRates({});
        line_.setRates(0, 0);
    }

    // One call of a kind drawn from the generator, checked.
    void step() {
        const int kind = static_cast<int>(rng_() % 6);
        switch (kind) {
            case 0:
                return setValue();
            case 1:
                return query();
            case 2:
                return fetchText();
            case 3:
                return upload();
            case 4:
                return sizedRead();
            default:
                return fetchWords();
        }
    }

    void setValue() {
        const int32_t v = static_cast<int32_t>(rng_() % 1000);
        const int32_t r = timed("set", 1, [&] { return Cam_set_lcd_disp_language(v); });
        command(r);
        if (r == 0 && camera_.profile().values[53] != v) wrong("set value");
    }
    void query() {
        const int32_t r = timed("query", 1, [] { return Cam_get_lcd_type(); });
        ++summary_.calls;
        ++summary_.results[r < 0 ? r : 0];
        if (r != -1 && r != -2 && r != camera_.profile().lcdType) wrong("query");
    }
    void fetchText() {
        char text[33] = {};
        const int32_t r = timed("fetch", 1, [&] { return Cam_get_version(text); });
        command(r);
        if (r == 0 && camera_.profile().firmwareVersion != text) wrong("fetch");
    }
    void fetchWords() {
        int32_t words[8] = {};
        const int32_t r = timed("word fetch", 1, [&] { return Cam_get_diag_camera_info(words); });
        command(r);
        if (r != 0) return;
        const Bytes& rec = camera_.profile().records[81];
        Bytes expected(32, 0);
        std::memcpy(expected.data(), rec.data(), std::min<size_t>(rec.size(), 32));
        if (std::memcmp(words, expected.data(), 32) != 0) wrong("word fetch");
    }
    void upload() {
        const size_t n = rng_() % 12'000;
        Bytes data(n);
        for (auto& b : data)
            b = static_cast<uint8_t>(rng_());
        // A load that exactly fills its command frame is complete for the camera only when the
        // next command shows that no data frame follows.
        if (!awaitingCompletion_) completedLoads_.clear();
        const int32_t r = timed("upload", n / 2048 + 3, [&] {
            return Cam_load_picture_data(data.data(), static_cast<int32_t>(n));
        });
        if (awaitingCompletion_) {
            if (completedLoads_.empty() || completedLoads_.front() != *awaitingCompletion_)
                wrong("upload completed by the next command");
            else
                completedLoads_.erase(completedLoads_.begin());
            awaitingCompletion_.reset();
        }
        command(r);
        if (r != 0) return;
        ++summary_.uploadsChecked;
        if (n == kCommandFrameData && completedLoads_.empty()) {
            awaitingCompletion_ = data;
            return;
        }
        if (completedLoads_.size() != 1 || completedLoads_.front() != data) wrong("upload");
    }
    void sizedRead() {
        const size_t n = 1 + rng_() % 9000;
        Bytes record(n);
        for (auto& b : record)
            b = static_cast<uint8_t>(rng_());
        camera_.profile().records[31] = record;
        // Over the camera drive a read shorter than the camera's frame fails by design, so
        // half the reads ask for the whole record.
        const size_t len = rng_() % 2 ? n : 1 + rng_() % n;
        Bytes buf(len + 1, 0xEE);
        const int32_t r = timed("sized read", len / 2048 + 3, [&] {
            return Cam_get_diag_buffer_val(buf.data(), static_cast<int32_t>(len));
        });
        ++summary_.calls;
        ++summary_.results[r];
        if (r != -2 && kCommandResults.count(r) == 0) wrong("sized read result");
        if (buf[len] != 0xEE) wrong("sized read past the buffer");
        if (r != 0) return;
        ++summary_.readsChecked;
        if (!std::equal(buf.begin(), buf.end() - 1, record.begin())) wrong("sized read");
    }

    uint64_t nowUs() {
        if (!pty_) return platform_.clock().nowUs();
        return static_cast<uint64_t>(std::chrono::duration_cast<std::chrono::microseconds>(
                                         std::chrono::steady_clock::now().time_since_epoch())
                                         .count());
    }

    template <typename Call>
    int32_t timed(const char* what, size_t frames, Call call) {
        const uint64_t start = nowUs();
        const FaultCounts faultsBefore = faultCounts();
        const size_t logBefore = camera_.log().size();
        const int32_t r = served(call);
        const uint64_t traced = EnvOr("ORVIA_SOAK_TRACE", 0);
        if (traced != 0 && traced == static_cast<uint64_t>(summary_.calls) + 1)
            trace(what, r, faultsBefore, logBefore);
        const double ms = double(nowUs() - start) / 1000.0;
        const FaultCounts faultsAfter = faultCounts();
        int faults = 0;
        for (size_t i = 0; i < faultsAfter.size(); ++i)
            faults += faultsAfter[i] - faultsBefore[i];
        const uint64_t allowedMs =
            kMinuteMs + uint64_t(faults + (lastFailed_ ? 1 : 0)) * FaultAllowanceMs(usb_);
        if (ms > double(allowedMs)) {
            ++summary_.unexplainedLongCalls;
            ADD_FAILURE() << what << " took " << ms / 1000.0 << " s with " << faults
                          << " faults (seed " << seed_ << ", call " << summary_.calls + 1 << ")";
        }
        lastFailed_ = r != 0 && r != camera_.profile().lcdType;
        const double ratio = ms / double(CallBoundMs(usb_, frames));
        if (ratio > summary_.worstRatio) {
            summary_.worstRatio = ratio;
            summary_.worstCall = std::string(what) + " " + std::to_string(ms / 1000.0) + " s";
        }
        return r;
    }
    using FaultCounts = std::vector<int>;
    FaultCounts faultCounts() {
        FaultCounts n = {line_.dropped, line_.altered};
        for (camsim::Fault f : kCameraFaults)
            n.push_back(camera_.faults().injected(f));
        return n;
    }
    // What happened during one call: faults by kind and the commands the camera received.
    void trace(const char* what, int32_t r, const FaultCounts& before, size_t logBefore) {
        const FaultCounts after = faultCounts();
        std::printf(
            "call %d (%s) returned %d; faults host drop/alter, camera "
            "drop/corrupt/nak/dc1/stray/end/late:",
            summary_.calls + 1, what, r);
        for (size_t i = 0; i < after.size(); ++i)
            std::printf(" %d", after[i] - before[i]);
        std::printf("\n");
        for (size_t i = logBefore; i < camera_.log().size(); ++i) {
            const camsim::LogEntry& e = camera_.log()[i];
            std::printf("  at %.3f s: op %d code %d value %d, %zu bytes%s\n", double(e.atUs) / 1e6,
                        e.op, e.code, e.value, e.payload.size(),
                        e.inSession ? "" : " (no session)");
        }
    }

    void command(int32_t r) {
        ++summary_.calls;
        ++summary_.results[r];
        if (kCommandResults.count(r) == 0) wrong("undocumented result " + std::to_string(r));
    }
    void wrong(const std::string& what) {
        ++summary_.wrongSuccesses;
        ADD_FAILURE() << what << " (seed " << seed_ << ", call " << summary_.calls << ")";
    }

    void print(const char* name) const {
        std::printf(
            "soak %s seed %llu: %d calls, %d uploads and %d sized reads checked, %d wrong "
            "successes, %d unexplained calls past a minute, longest call %.3f of its bound (%s)\n",
            name, static_cast<unsigned long long>(seed_), summary_.calls, summary_.uploadsChecked,
            summary_.readsChecked, summary_.wrongSuccesses, summary_.unexplainedLongCalls,
            summary_.worstRatio, summary_.worstCall.c_str());
        const camsim::FaultPlan& f = const_cast<camsim::Camera&>(camera_).faults();
        std::printf(
            "  camera faults: drop %d, corrupt %d, nak %d, dc1 %d, stray %d, "
            "session end %d, silence %d; host bytes dropped %d, altered %d\n",
            f.injected(camsim::Fault::Drop), f.injected(camsim::Fault::Corrupt),
            f.injected(camsim::Fault::Nak), f.injected(camsim::Fault::Dc1),
            f.injected(camsim::Fault::Stray), f.injected(camsim::Fault::EndSession),
            f.injected(camsim::Fault::Delay), line_.dropped, line_.altered);
        std::printf("  results:");
        for (const auto& [code, count] : summary_.results)
            std::printf(" %d x%d", code, count);
        std::printf("\n");
    }

    const Summary& summary() const {
        return summary_;
    }
    camsim::Camera& camera() {
        return camera_;
    }

  private:
    void servePty() {
#if !defined(_WIN32)
        ptyCamera_ = std::make_unique<PtyCamera>(camera_);
        ASSERT_TRUE(ptyCamera_->ok());
        setenv("QORLINK_COM1", ptyCamera_->device().c_str(), 1);
#endif
    }

    uint64_t seed_;
    bool usb_;
    bool pty_;
    std::mt19937_64 rng_;
    camsim::Camera camera_{SoakProfile()};
    camsim::CatalogueModel model_{camera_};
    VirtualPlatform platform_;
    FaultyLinePlatform line_;
    ScopedPlatform installed_{line_};
    PlatformScsiClock clock_{platform_.clock()};
    CamsimCameraSide side_{camera_};
    VirtualScsiCamera drive_{"Pelorin", 0x010B, &side_, &clock_};
    std::vector<Bytes> completedLoads_;
    std::optional<Bytes> awaitingCompletion_;
    bool lastFailed_ = false;  // the call before did not succeed
    Summary summary_;
#if !defined(_WIN32)
    std::unique_ptr<PtyCamera> ptyCamera_;
#endif
};

void RunSoak(Path path, const char* name, int defaultCalls) {
    const uint64_t seed = EnvOr("ORVIA_SOAK_SEED", 20261210);
    const int calls = static_cast<int>(EnvOr("ORVIA_SOAK_CALLS", defaultCalls));
    SCOPED_TRACE("seed " + std::to_string(seed));
    Soak soak(seed, path);
    if (::testing::Test::HasFatalFailure()) return;
    soak.open();
    if (::testing::Test::HasFatalFailure()) return;
    soak.faultsOn(0.01);
    for (int i = 0; i < calls; ++i)
        soak.step();

    // The faults stop: the connection works at once.
    soak.faultsOff();
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(soak.served([] { return Cam_get_lcd_type(); }), soak.camera().profile().lcdType)
            << "seed " << seed;
        const Bytes data(5000, static_cast<uint8_t>(i));
        EXPECT_EQ(soak.served([&] { return Cam_load_picture_data(data.data(), 5000); }), 0)
            << "seed " << seed;
        char text[33] = {};
        EXPECT_EQ(soak.served([&] { return Cam_get_version(text); }), 0) << "seed " << seed;
    }
    soak.print(name);
    EXPECT_EQ(soak.summary().wrongSuccesses, 0) << "seed " << seed;
    EXPECT_LE(soak.summary().worstRatio, 1.0) << "seed " << seed;
}

TEST(FaultSoak, SerialLine) {
    RunSoak(Path::VirtualLine, "serial", 3000);
}

TEST(FaultSoak, CameraDrive) {
    RunSoak(Path::CameraDrive, "usb", 3000);
}

camsim::FaultRule Rule(camsim::Fault fault, camsim::Unit unit, int op, int code, int nth = 1) {
    camsim::FaultRule r;
    r.fault = fault;
    r.unit = unit;
    r.op = op;
    r.code = code;
    r.nth = nth;
    r.corruptIndex = 0;
    return r;
}

// Mixes of faults that once made a call wait for answers that could not come. Each ends with a
// documented result within a minute, and the next call works.
TEST(FaultSoak, FaultMixesEndWithinAMinute) {
    using camsim::Fault;
    using camsim::Unit;
    struct Mix {
        const char* what;
        std::vector<camsim::FaultRule> rules;
        std::set<int32_t> results;
    };
    const Mix mixes[] = {
        // The session-end byte comes alone where a frame was awaited; the reopened session's
        // command is refused with DC1, and its repeat acknowledged with an altered byte, after
        // which the camera listens at the session speed only.
        {"sized read: session end, DC1, altered acknowledgement",
         {Rule(Fault::EndSession, Unit::Command, camsim::kOpGetData, camsim::kCodeDiagBuffer),
          Rule(Fault::Dc1, Unit::Command, camsim::kOpSetValue, camsim::kCodeSession),
          Rule(Fault::Corrupt, Unit::Command, camsim::kOpSetValue, camsim::kCodeSession, 2)},
         {-2}},
        {"sized read: session end, altered acknowledgement",
         {Rule(Fault::EndSession, Unit::Command, camsim::kOpGetData, camsim::kCodeDiagBuffer),
          Rule(Fault::Corrupt, Unit::Command, camsim::kOpSetValue, camsim::kCodeSession)},
         {-2}},
        {"sized read: DC1 to the request",
         {Rule(Fault::Dc1, Unit::Command, camsim::kOpGetData, camsim::kCodeDiagBuffer)},
         {0}},
    };
    for (const Mix& mix : mixes) {
        SCOPED_TRACE(mix.what);
        camsim::Camera camera{SoakProfile()};
        camsim::CatalogueModel model{camera};
        VirtualPlatform platform;
        platform.attach(1, camera);
        ScopedPlatform installed{platform};
        Cam_reset_dll();
        ASSERT_EQ(Cam_set_speed(5), 0);
        ASSERT_EQ(Cam_set_port(1), 1);
        ASSERT_EQ(Cam_session_enabled(1), 0);
        const Bytes record(3000, 0x5A);
        camera.profile().records[camsim::kCodeDiagBuffer] = record;
        for (const camsim::FaultRule& rule : mix.rules)
            camera.faults().add(rule);

        Bytes buf(record.size());
        const uint64_t start = platform.clock().nowUs();
        const int32_t r = Cam_get_diag_buffer_val(buf.data(), static_cast<int32_t>(buf.size()));
        const uint64_t tookMs = (platform.clock().nowUs() - start) / 1000;
        EXPECT_TRUE(mix.results.count(r) == 1) << "returned " << r;
        EXPECT_LE(tookMs, kMinuteMs);
        if (r == 0) {
            EXPECT_EQ(buf, record);
        }
        for (const camsim::FaultRule& rule : mix.rules)
            EXPECT_EQ(camera.faults().injected(rule.fault), 1) << "the mix happened";

        ASSERT_EQ(Cam_get_diag_buffer_val(buf.data(), static_cast<int32_t>(buf.size())), 0);
        EXPECT_EQ(buf, record);
        Cam_reset_dll();
    }
}

// In real time: each lost or late answer costs its whole time-out, so this runs only when asked
// for, before a release.
TEST(FaultSoak, PseudoTerminal) {
#if defined(_WIN32)
    GTEST_SKIP() << "pseudo-terminals are a POSIX host's";
#else
    if (EnvOr("ORVIA_SOAK_PTY", 0) == 0) GTEST_SKIP() << "set ORVIA_SOAK_PTY=1 to run it";
    RunSoak(Path::PseudoTerminal, "pty", 300);
#endif
}

}  // namespace
}  // namespace qorlink::test
