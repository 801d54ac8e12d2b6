// camsim: serves a software camera on a pseudo-terminal.
//
//   camsim [options] [-- PROGRAM ARGS...]
//
// Prints the slave device path on the first line of standard output, then serves until
// interrupted. With a program, starts it with QORLINK_COM1 naming the device and exits with the
// program's exit status once it ends.
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <CLI/CLI.hpp>
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <type_traits>
#include <vector>

#include "camsim/calibration_diags.h"
#include "camsim/camera.h"
#include "camsim/catalogue_profile.h"
#include "camsim/pty_server.h"
#include "camsim/service_diags.h"
#include "camsim/setup_records.h"

namespace {

camsim::PtyServer* activeServer = nullptr;

void onSignal(int) {
    if (activeServer != nullptr) activeServer->stop();
}

struct Options {
    camsim::Profile profile = camsim::defaultProfile();
    camsim::FaultRates rates;
    camsim::CalibrationSettings calibration;
    uint64_t seed = 1;
    bool verbose = false;
    std::vector<std::string> programWords;
    std::vector<char*> program;  // programWords, for exec
    // Where the data of the last load go when serving ends (empty: nowhere).
    std::string saveLoad;
    // Execute codes the camera refuses to start (answers DC1).
    std::vector<int> refusedExecutes;
};

void usage(FILE* to) {
    std::fprintf(to,
                 "usage: camsim [options] [-- PROGRAM ARGS...]\n"
                 "  --help, --version    this text; the version\n"
                 "  --family N           a camera of factory code family N (0-5), with its\n"
                 "                       region settings (give it first)\n"
                 "  --type TEXT          camera type text\n"
                 "  --firmware TEXT      firmware version text\n"
                 "  --lcd N              LCD panel type value\n"
                 "  --execute-ms N       run time of every execute command\n"
                 "  --fail CODE:PARAM    execute program that finishes with DC1\n"
                 "  --refuse CODE        refuse every execute command of CODE (DC1)\n"
                 "  --diag-ms N:MS       run time of diagnostic program N\n"
                 "  --shade N            shade status reported after AWB (default 1)\n"
                 "  --awb-gains R,B,AGC  gains in the AWB result\n"
                 "  --af-diff N          focus error in the focus result (default -3)\n"
                 "  --afpos N            focus result starting with STD_AFPOS = N\n"
                 "  --fault KIND=RATE    inject KIND (drop, corrupt, nak, dc1, stray, end, delay)\n"
                 "                       into that share of answers\n"
                 "  --seed N             seed of the fault generator\n"
                 "  --verbose            report every command received on standard error\n"
                 "  --save-load FILE     when serving ends, write the data of the last load\n"
                 "                       (committed or not) to FILE\n");
}

bool setRate(camsim::FaultRates& r, const std::string& arg) {
    size_t eq = arg.find('=');
    if (eq == std::string::npos) return false;
    double rate = std::atof(arg.c_str() + eq + 1);
    switch (camsim::faultByName(arg.substr(0, eq))) {
        case camsim::Fault::Drop:
            r.drop = rate;
            return true;
        case camsim::Fault::Corrupt:
            r.corrupt = rate;
            return true;
        case camsim::Fault::Nak:
            r.nak = rate;
            return true;
        case camsim::Fault::Dc1:
            r.dc1 = rate;
            return true;
        case camsim::Fault::Stray:
            r.stray = rate;
            return true;
        case camsim::Fault::EndSession:
            r.endSession = rate;
            return true;
        case camsim::Fault::Delay:
            r.delay = rate;
            return true;
        default:
            return false;
    }
}

// The value of a whole-number option, or nothing (decimal only: a leading zero is not octal).
std::optional<long long> wholeNumber(const std::string& text) {
    if (text.empty()) return std::nullopt;
    size_t used = 0;
    try {
        const long long v = std::stoll(text, &used, 10);
        if (used != text.size()) return std::nullopt;
        return v;
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

enum class Parse { Serve, Help, Version, Bad };

// Options anywhere before "--"; what follows "--" is the program to start, with its own words.
Parse parse(int argc, char** argv, Options& o) {
    CLI::App app{"camsim"};
    app.set_help_flag();
    bool help = false, version = false;
    std::string family, lcd, executeMs, shade, awbGains, afDiff, afpos, seed;
    std::vector<std::string> fails, refuses, diagMs, faults, program;
    app.add_flag("-h,--help", help);
    app.add_flag("--version", version);
    app.add_flag("--verbose", o.verbose);
    app.add_option("--family", family);
    app.add_option("--type", o.profile.typeText);
    app.add_option("--firmware", o.profile.firmwareVersion);
    app.add_option("--lcd", lcd);
    app.add_option("--execute-ms", executeMs);
    const auto repeated = [&app](const char* name, std::vector<std::string>& into) {
        app.add_option(name, into)
            ->expected(1)
            ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll);
    };
    repeated("--fail", fails);
    repeated("--refuse", refuses);
    repeated("--diag-ms", diagMs);
    repeated("--fault", faults);
    app.add_option("--shade", shade);
    app.add_option("--awb-gains", awbGains);
    app.add_option("--af-diff", afDiff);
    app.add_option("--afpos", afpos);
    app.add_option("--seed", seed);
    app.add_option("--save-load", o.saveLoad);
    // The program's words are split off here, so none of them is ever taken for an option.
    const auto dashes =
        std::find_if(argv + 1, argv + argc, [](const char* a) { return std::string(a) == "--"; });
    if (dashes != argv + argc) program.assign(dashes + 1, argv + argc);
    try {
        app.parse(static_cast<int>(dashes - argv), argv);
    } catch (const CLI::ParseError&) {
        return Parse::Bad;
    }
    if (dashes != argv + argc && program.empty()) return Parse::Bad;
    if (help) return Parse::Help;
    if (version) return Parse::Version;
    // The family sets a whole profile: it is applied first, the other options over it.
    if (!family.empty()) {
        const auto n = wholeNumber(family);
        if (!n) return Parse::Bad;
        const camsim::Profile chosen = camsim::regionProfile(static_cast<int>(*n));
        const std::string type = o.profile.typeText, firmware = o.profile.firmwareVersion;
        o.profile = chosen;
        if (std::find(argv, argv + argc, std::string("--type")) != argv + argc)
            o.profile.typeText = type;
        if (std::find(argv, argv + argc, std::string("--firmware")) != argv + argc)
            o.profile.firmwareVersion = firmware;
    }
    const auto set = [](const std::string& text, auto& into) {
        if (text.empty()) return true;
        const auto n = wholeNumber(text);
        if (!n) return false;
        into = static_cast<std::remove_reference_t<decltype(into)>>(*n);
        return true;
    };
    long long execute = -1;
    if (!set(lcd, o.profile.lcdType) || !set(executeMs, execute) ||
        !set(shade, o.calibration.shadeStatus) || !set(afDiff, o.calibration.afDiff) ||
        !set(seed, o.seed))
        return Parse::Bad;
    if (execute >= 0) o.profile.executeUs = static_cast<uint64_t>(execute) * 1000;
    if (!afpos.empty()) {
        const auto n = wholeNumber(afpos);
        if (!n) return Parse::Bad;
        o.calibration.stdAfPos = static_cast<int>(*n);
    }
    for (const std::string& v : fails) {
        int code = 0, param = 0;
        if (std::sscanf(v.c_str(), "%d:%d", &code, &param) != 2) return Parse::Bad;
        o.profile.failingPrograms.insert({code, param});
    }
    for (const std::string& v : refuses) {
        const auto n = wholeNumber(v);
        if (!n) return Parse::Bad;
        o.refusedExecutes.push_back(static_cast<int>(*n));
    }
    for (const std::string& v : diagMs) {
        int diag = 0;
        unsigned long long ms = 0;
        if (std::sscanf(v.c_str(), "%d:%llu", &diag, &ms) != 2) return Parse::Bad;
        o.profile.executeUsByProgram[{camsim::kCodeExecuteDiag, diag}] = ms * 1000;
    }
    if (!awbGains.empty()) {
        camsim::CalibrationSettings& c = o.calibration;
        if (std::sscanf(awbGains.c_str(), "%lf,%lf,%lf", &c.redGain, &c.blueGain, &c.agcGain) != 3)
            return Parse::Bad;
    }
    for (const std::string& v : faults) {
        if (!setRate(o.rates, v)) return Parse::Bad;
    }
    o.programWords = std::move(program);
    for (std::string& word : o.programWords)
        o.program.push_back(word.data());
    return Parse::Serve;
}

pid_t startProgram(const Options& o, const std::string& device) {
    pid_t pid = fork();
    if (pid != 0) return pid;
    setenv("QORLINK_COM1", device.c_str(), 1);
    std::vector<char*> args = o.program;
    args.push_back(nullptr);
    execvp(args[0], args.data());
    std::fprintf(stderr, "camsim: cannot start %s: %s\n", args[0], std::strerror(errno));
    _exit(127);
}

int exitStatusOf(int status) {
    if (WIFEXITED(status)) return WEXITSTATUS(status);
    if (WIFSIGNALED(status)) return 128 + WTERMSIG(status);
    return 1;
}

void reportCommands(const camsim::Camera& camera, size_t& reported) {
    const auto& log = camera.log();
    for (; reported < log.size(); ++reported) {
        const auto& e = log[reported];
        std::fprintf(stderr, "camsim: %10.3f ms class %02X op %d code %d value %d (%zu bytes)\n",
                     static_cast<double>(e.atUs) / 1000.0, e.cls, e.op, e.code, e.value,
                     e.payload.size());
    }
}

bool saveLoad(const camsim::CatalogueModel& catalogue, const std::string& path) {
    FILE* f = std::fopen(path.c_str(), "wb");
    if (f == nullptr) return false;
    const std::vector<uint8_t>& data = catalogue.lastLoad();
    const bool written = std::fwrite(data.data(), 1, data.size(), f) == data.size();
    return std::fclose(f) == 0 && written;
}

}  // namespace

int main(int argc, char** argv) {
    Options o;
    switch (parse(argc, argv, o)) {
        case Parse::Bad:
            usage(stderr);
            return 2;
        case Parse::Help:
            usage(stdout);
            return 0;
        case Parse::Version:
            std::printf("camsim %s\n", CAMSIM_VERSION);
            return 0;
        case Parse::Serve:
            break;
    }
    camsim::addSetupRecords(o.profile);
    camsim::addCatalogueRecords(o.profile);
    camsim::Camera camera(o.profile);
    camsim::CatalogueModel catalogue(camera);
    camsim::addCalibrationDiags(camera, catalogue, o.calibration);
    camsim::BatteryModel battery(camera);
    camsim::addServiceDiags(camera, catalogue);
    camera.faults().reseed(o.seed);
    camera.faults().setRates(o.rates);
    for (const int code : o.refusedExecutes) {
        camera.faults().add(
            {.fault = camsim::Fault::Dc1, .op = camsim::kOpExecute, .code = code, .times = 0});
    }
    camsim::PtyServer server(camera);
    if (!server.ok()) {
        std::fprintf(stderr, "camsim: no pseudo-terminal: %s\n", server.error().c_str());
        return 1;
    }
    std::printf("%s\n", server.slavePath().c_str());
    std::fflush(stdout);

    activeServer = &server;
    struct sigaction sa {};
    sa.sa_handler = onSignal;
    sigaction(SIGINT, &sa, nullptr);
    sigaction(SIGTERM, &sa, nullptr);

    pid_t child = o.program.empty() ? -1 : startProgram(o, server.slavePath());
    int status = 0;
    bool childDone = false;
    size_t reported = 0;
    server.run([&] {
        if (o.verbose) reportCommands(camera, reported);
        if (child > 0 && waitpid(child, &status, WNOHANG) == child) childDone = true;
        return !childDone;
    });
    activeServer = nullptr;
    if (child > 0 && !childDone) {
        kill(child, SIGTERM);
        waitpid(child, &status, 0);
    }
    if (!o.saveLoad.empty() && !saveLoad(catalogue, o.saveLoad)) {
        std::fprintf(stderr, "camsim: cannot write %s: %s\n", o.saveLoad.c_str(),
                     std::strerror(errno));
        return 1;
    }
    return child > 0 ? exitStatusOf(status) : 0;
}
