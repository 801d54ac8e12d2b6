// qorctl: the console's procedures from a command line, for production stations and scripts.
//
// It starts the camera session as the console does, answers the procedures' questions from its
// options, prints their boxes on standard error and their result windows on standard output
// (or everything as one JSON object with --json), and exits with a status that tells what
// happened (see the usage text).
#include <pthread.h>
#include <strings.h>
#include <unistd.h>

#include <atomic>
#include <condition_variable>
#include <csignal>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "cli/cli_operator.h"
#include "cli/device.h"
#include "cli/exit_status.h"
#include "cli/options.h"
#include "cli/run.h"
#include "cli/station.h"
#include "console/app.h"
#include "console/calibrations.h"
#include "console/call_runner.h"
#include "console/clock.h"
#include "console/diag_run.h"
#include "console/format.h"
#include "console/host.h"
#include "console/link_camera.h"
#include "console/main_dialog.h"
#include "console/reporting.h"
#include "console/station_log.h"
#include "console/texts.h"
#include "console/upload.h"
#include "service/test_menu.h"

namespace orvia::cli {
namespace {

void printHelp(const std::string& command) {
    if (command == "info") {
        std::fputs(text::kCliHelpInfo, stdout);
    } else if (command == "get" || command == "set") {
        std::fputs(text::kCliHelpGet, stdout);
        for (const std::string& name : namedValues())
            std::printf(" %s", name.c_str());
        std::fputs("\n", stdout);
    } else if (command == "diag") {
        std::fputs(text::kCliHelpDiag, stdout);
    } else if (command == "calibrate") {
        std::fputs(text::kCliHelpCalibrate, stdout);
    } else if (command == "upload") {
        std::fputs(text::kCliHelpUpload, stdout);
    } else if (command == "test") {
        std::fputs(text::kCliHelpTest, stdout);
    } else if (command == "ports") {
        std::fputs(text::kCliHelpPorts, stdout);
    } else if (command == "run") {
        std::fputs(text::kCliHelpRun, stdout);
    } else if (command == "history") {
        std::fputs(text::kCliHelpHistory, stdout);
    } else {
        std::fputs(text::kCliUsage, stdout);
    }
}

// Waits for SIGINT and SIGTERM on a thread of its own (they are blocked everywhere else), so
// that the run can end in an orderly way: signal() turns non-zero, and when the run has not
// finished within kGraceMs of the signal, the late handler runs and the process ends.
class Interruption {
  public:
    static constexpr int kGraceMs = 3000;

    Interruption() {
        // A shell starting qorctl in the background leaves SIGINT ignored, and an ignored signal
        // never reaches sigwait(): both are taken back first.
        std::signal(SIGINT, SIG_DFL);
        std::signal(SIGTERM, SIG_DFL);
        sigemptyset(&set_);
        sigaddset(&set_, SIGINT);
        sigaddset(&set_, SIGTERM);
        pthread_sigmask(SIG_BLOCK, &set_, nullptr);
        watcher_ = std::thread([this] { watch(); });
    }
    ~Interruption() {
        {
            const std::lock_guard<std::mutex> lock(lock_);
            done_ = true;
            wake_.notify_all();
            // A watcher still in sigwait() is woken by a signal of its set sent to it alone;
            // it sees the run is over and ends.
            if (!exited_) pthread_kill(watcher_.native_handle(), SIGTERM);
        }
        watcher_.join();
    }
    Interruption(const Interruption&) = delete;
    Interruption& operator=(const Interruption&) = delete;

    // The signal that asked the run to stop; 0 when none did.
    int signal() const { return signal_.load(); }
    // What to do when the run does not end in time (the process then ends with 128 + signal).
    void onLate(std::function<void(int)> late) { late_ = std::move(late); }
    // The run is over: a signal from now on is not waited for.
    void finished() {
        const std::lock_guard<std::mutex> lock(lock_);
        done_ = true;
        wake_.notify_all();
    }

  private:
    void watch() {
        int received = 0;
        const bool got = sigwait(&set_, &received) == 0;
        std::unique_lock<std::mutex> lock(lock_);
        if (got && !done_) {
            signal_ = received;
            if (!wake_.wait_for(lock, std::chrono::milliseconds(kGraceMs),
                                [this] { return done_; })) {
                lock.unlock();
                if (late_) late_(received);
                std::fflush(stdout);
                std::fprintf(stderr, text::kCliInterrupted, received);
                std::fputc('\n', stderr);
                std::_Exit(128 + received);
            }
        }
        exited_ = true;
    }

    sigset_t set_{};
    std::atomic<int> signal_{0};
    std::function<void(int)> late_;
    std::mutex lock_;
    std::condition_variable wake_;
    bool done_ = false;
    bool exited_ = false;
    std::thread watcher_;
};

// Ends the program when the camera search takes longer than its limit: the link library's
// search cannot be cut short from outside, and nothing has been sent to a camera yet.
class SearchLimit {
  public:
    SearchLimit(std::optional<uint32_t> seconds, std::function<void()> onSilence) {
        if (!seconds) return;
        watcher_ = std::thread([this, seconds, onSilence = std::move(onSilence)] {
            std::unique_lock<std::mutex> lock(lock_);
            if (wake_.wait_for(lock, std::chrono::seconds(*seconds), [this] { return done_; }))
                return;
            onSilence();
            std::fflush(stdout);
            std::_Exit(kExitNoCamera);
        });
    }
    ~SearchLimit() { reached(); }
    SearchLimit(const SearchLimit&) = delete;
    SearchLimit& operator=(const SearchLimit&) = delete;

    // The search is over (a session opened, or the search gave up by itself).
    void reached() {
        {
            const std::lock_guard<std::mutex> lock(lock_);
            done_ = true;
        }
        wake_.notify_all();
        if (watcher_.joinable()) watcher_.join();
    }

  private:
    std::mutex lock_;
    std::condition_variable wake_;
    bool done_ = false;
    std::thread watcher_;
};

// How long a camera on a named port may stay silent before the tool says so.
constexpr uint32_t kNamedPortTimeoutSeconds = 8;

// A command line that cannot run: the reason and a short usage line on standard error, and the
// JSON object when one was asked for.
int refuseCommandLine(const std::string& error, bool json) {
    std::fprintf(stderr, "%s\n%s", error.c_str(), text::kCliShortUsage);
    if (json) CliOperator::usageError(error);
    return kExitUsage;
}

// The serial devices and removable drives, without a camera session.
int listPorts(const Options& o) {
    CliOperator op(o.json, o.yes, false);
    op.field("serial_devices", candidateSerialDevices());
    op.field("drives", candidateDrives());
    op.finish("ports", kExitOk, Outcome::completed());
    return kExitOk;
}

// Why the named serial device cannot be used, in its own words and status; nothing when it can.
std::optional<int> deviceProblem(const std::string& path, CliOperator& op) {
    const DeviceCheck check = checkSerialDevice(path);
    switch (check.problem) {
        case DeviceCheck::Problem::None:
            return std::nullopt;
        case DeviceCheck::Problem::Missing:
            op.fail(format(text::kCliNoDevice, path.c_str()));
            return kExitNoDevice;
        case DeviceCheck::Problem::NoPermission: {
            const std::string group = check.group.empty() ? "dialout" : check.group;
            op.fail(format(text::kCliNoPermission, path.c_str(), group.c_str(), group.c_str()));
            return kExitNoPermission;
        }
        case DeviceCheck::Problem::Busy:
            op.fail(format(text::kCliDeviceBusy, path.c_str()));
            return kExitDeviceBusy;
    }
    return std::nullopt;
}

// How long a silent camera is waited for: as asked, or a few seconds on a named port.
std::optional<uint32_t> searchLimit(const Options& o) {
    if (o.timeoutSeconds) return o.timeoutSeconds;
    if (o.port == 1 || o.port == 2) return kNamedPortTimeoutSeconds;
    return std::nullopt;
}

int run(int argc, char** argv) {
    const Parsed parsed = parse(argc, argv);
    const Options& o = parsed.options;
    switch (parsed.action) {
        case Parsed::Action::Usage:
            return refuseCommandLine(parsed.error, o.json);
        case Parsed::Action::Help:
            printHelp(parsed.helpTopic);
            return kExitOk;
        case Parsed::Action::Version:
            std::printf("qorctl %s\n", toolVersion());
            return kExitOk;
        case Parsed::Action::Run:
            break;
    }
    if (o.args[0] == "ports") {
        if (o.args.size() != 1)
            return refuseCommandLine(format(text::kCliBadArgument, o.args[1].c_str()), o.json);
        return listPorts(o);
    }
    if (o.args[0] == "history") return showHistory(o);
    // A recipe is read, and its unit store opened, before any camera is touched.
    std::unique_ptr<RecipeRun> recipe;
    if (o.args[0] == "run") {
        int refusal = kExitUsage;
        recipe = prepareRecipeRun(o, refusal);
        if (!recipe) return refusal;
    }
    // A device named on the command line is the link library's port 1.
    if (o.device) setenv("QORLINK_COM1", o.device->c_str(), 1);

    // A reader that went away (qorctl ... | head) must not end the run in the middle of a
    // transfer: writes to it fail instead, and the procedure goes on to its end and its record.
    std::signal(SIGPIPE, SIG_IGN);
    // SIGINT and SIGTERM stop the run cleanly: a transfer is stopped through its progress
    // callback, and the record is written as interrupted before the program ends.
    Interruption interruption;
    // A recipe's steps are asked for by the recipe: their questions are answered Yes.
    CliOperator op(o.json, o.yes || recipe, isatty(STDERR_FILENO) == 1);
    if (o.progress == ProgressStyle::Json) op.setProgressStyle(CliOperator::Progress::Json);
    op.setStopRequest([&interruption] { return interruption.signal() != 0; });
    StationLog log(StationLog::chooseFile(o.log),
                   [](const std::string& w) { std::fprintf(stderr, "%s\n", w.c_str()); });
    DirectRunner runner;
    LinkCamera camera(runner);
    SystemClock clock(runner);
    HostSystem host;
    CalibrationApp app(camera, clock, op, host);
    app.state().requestedPort = o.port;
    app.state().requestedSpeed = o.speed;

    StationRecord record;
    record.startedMs = wallTimeMs();
    record.tool = {"qorctl", toolVersion(), stationHostName()};
    record.procedure = procedureOf(o);
    record.parameters = parametersOf(o);

    // Written once: by the run when it ends, or on a signal by the interruption when the run
    // does not end soon enough.
    std::mutex recordLock;
    bool recorded = false;
    const auto writeRecord = [&](const Outcome& outcome) {
        const std::lock_guard<std::mutex> lock(recordLock);
        if (recorded) return;
        recorded = true;
        record.endedMs = wallTimeMs();
        record.outcome = outcome;
        log.append(record);
    };
    interruption.onLate([&](int signal) {
        Outcome outcome;
        outcome.ending = Ending::Interrupted;
        outcome.reason = format(text::kCliInterrupted, signal);
        writeRecord(outcome);
        if (recipe) recipe->storeInterrupted(outcome);
    });

    Outcome outcome = Outcome::failed(0, text::kNotConnected);
    int status = kExitNoCamera;
    std::optional<int> refused;
    if (o.port == 1 || o.port == 2) refused = deviceProblem(serialDevicePath(o.port), op);
    if (refused) {
        status = *refused;
        outcome = Outcome::failed(0, op.lastFailure());
    }
    // A camera that does not answer is reported when the limit passes, with its record.
    SearchLimit limit(searchLimit(o), [&] {
        const std::string why = format(text::kCliSilent, *searchLimit(o));
        writeRecord(Outcome::failed(0, why));
        std::fprintf(stderr, "%s\n%s\n", text::kNotConnected, why.c_str());
        if (recipe) {
            recipe->finish(op, kExitNoCamera, Outcome::failed(0, why));
        } else if (o.json) {
            op.finish(o.args[0], kExitNoCamera, Outcome::failed(0, why));
        }
    });
    const bool started = !refused && app.startUp("");
    limit.reached();
    if (started) {
        MainDialog& dialog = *app.mainWindow();
        dialog.initialise();
        op.attach(app.context(), dialog);
        if (log.enabled()) {
            const StationIdentity id = readStationIdentity(camera);
            const std::lock_guard<std::mutex> lock(recordLock);
            record.firmware = id.firmware;
            record.cameraType = id.cameraType;
            record.serial = id.serial;
            if (app.state().serviceIdActive == 1) {
                record.technician = app.state().serviceIdRecord.w[1];
            }
        }
        if (recipe) {
            if (log.enabled())
                recipe->logStepsTo([&log](const StationRecord& r) { log.append(r); });
            outcome = recipe->run(app, op, [&interruption] { return interruption.signal() != 0; });
            status = recipe->status();
        } else {
            Station station(app, op, o);
            outcome = station.run();
            status = station.status(outcome);
        }
        app.shutDown();
    }
    if (const int signal = interruption.signal(); signal != 0) {
        outcome.ending = Ending::Interrupted;
        outcome.reason = format(text::kCliInterrupted, signal);
        status = exitFor(outcome);
        std::fprintf(stderr, "%s\n", outcome.reason.c_str());
    }
    writeRecord(outcome);
    if (recipe) {
        status = recipe->finish(op, status, outcome);
    } else {
        op.finish(o.args[0], status, outcome);
    }
    interruption.finished();
    return status;
}

}  // namespace
}  // namespace orvia::cli

int main(int argc, char** argv) {
    return orvia::cli::run(argc, argv);
}
