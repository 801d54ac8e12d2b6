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

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
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
    std::vector<char*> program;
    // Where the data of the last load go when serving ends (empty: nowhere).
    std::string saveLoad;
    // Execute codes the camera refuses to start (answers DC1).
    std::vector<int> refusedExecutes;
};

void usage() {
    std::fprintf(stderr,
                 "usage: camsim [options] [-- PROGRAM ARGS...]\n"
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

bool parse(int argc, char** argv, Options& o) {
    for (int i = 1; i < argc; ++i) {
        std::string a = argv[i];
        if (a == "--") {
            o.program.assign(argv + i + 1, argv + argc);
            return !o.program.empty();
        }
        if (a == "--verbose") {
            o.verbose = true;
            continue;
        }
        if (i + 1 >= argc) return false;
        const char* v = argv[++i];
        if (a == "--family") {
            o.profile = camsim::regionProfile(std::atoi(v));
        } else if (a == "--type") {
            o.profile.typeText = v;
        } else if (a == "--firmware") {
            o.profile.firmwareVersion = v;
        } else if (a == "--lcd") {
            o.profile.lcdType = std::atoi(v);
        } else if (a == "--execute-ms") {
            o.profile.executeUs = std::strtoull(v, nullptr, 10) * 1000;
        } else if (a == "--fail") {
            int code = 0, param = 0;
            if (std::sscanf(v, "%d:%d", &code, &param) != 2) return false;
            o.profile.failingPrograms.insert({code, param});
        } else if (a == "--refuse") {
            o.refusedExecutes.push_back(std::atoi(v));
        } else if (a == "--diag-ms") {
            int program = 0;
            unsigned long long ms = 0;
            if (std::sscanf(v, "%d:%llu", &program, &ms) != 2) return false;
            o.profile.executeUsByProgram[{camsim::kCodeExecuteDiag, program}] = ms * 1000;
        } else if (a == "--shade") {
            o.calibration.shadeStatus = std::atoi(v);
        } else if (a == "--awb-gains") {
            camsim::CalibrationSettings& c = o.calibration;
            if (std::sscanf(v, "%lf,%lf,%lf", &c.redGain, &c.blueGain, &c.agcGain) != 3)
                return false;
        } else if (a == "--af-diff") {
            o.calibration.afDiff = std::atoi(v);
        } else if (a == "--afpos") {
            o.calibration.stdAfPos = std::atoi(v);
        } else if (a == "--fault") {
            if (!setRate(o.rates, v)) return false;
        } else if (a == "--seed") {
            o.seed = std::strtoull(v, nullptr, 10);
        } else if (a == "--save-load") {
            o.saveLoad = v;
        } else {
            return false;
        }
    }
    return true;
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
    if (!parse(argc, argv, o)) {
        usage();
        return 2;
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
