#include "console_rig.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <stdexcept>

#include "camsim/service_diags.h"
#include "console/diag_run.h"
#include "console/judgement.h"

namespace orvia::testing {

namespace {

ServiceIdStandIn* activeServiceId = nullptr;
JudgementStandIn* activeJudgement = nullptr;

int32_t fakeNcGetUserId(void* buffer) {
    if (activeServiceId == nullptr) return 0;
    if (activeServiceId->result != 0) {
        std::memcpy(buffer, &activeServiceId->technician, sizeof(uint16_t));
    }
    return activeServiceId->result;
}

int32_t ORVIA_JUDGEMENT_CALL fakeFnJudvane(const char* cameraType, int32_t kind, char* text) {
    if (activeJudgement == nullptr) return 0;
    activeJudgement->calls.push_back({cameraType, kind, text});
    if (const auto& r = activeJudgement->rewrite) {
        std::memcpy(text, r->data(), std::min(r->size(), kDiagTextBytes));
        if (r->size() < kDiagTextBytes) text[r->size()] = '\0';
    }
    return activeJudgement->result;
}

// A stand-in library with one entry, counting its loads and unloads.
class FakeLibrary final : public OutsideLibrary {
  public:
    FakeLibrary(int& loads, int& unloads, const char* entry, void* fn)
        : unloads_(unloads), entry_(entry), fn_(fn) {
        ++loads;
    }
    ~FakeLibrary() override { ++unloads_; }
    void* symbol(const char* name) override {
        return fn_ != nullptr && std::strcmp(name, entry_) == 0 ? fn_ : nullptr;
    }

  private:
    int& unloads_;
    const char* entry_;
    void* fn_;
};

std::string lower(std::string_view s) {
    std::string out(s);
    std::transform(out.begin(), out.end(), out.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return out;
}

// 2024-03-15 08:30:00 UTC.
constexpr std::time_t kDefaultWallTime = 1710491400;

}  // namespace

bool TestHost::markerFilePresent(std::string_view name) {
    for (const std::string& m : markers) {
        if (lower(m) == lower(name)) return true;
    }
    return false;
}

std::unique_ptr<OutsideLibrary> TestHost::loadLibrary(std::string_view windowsName) {
    if (windowsName == "Ulmora.dll" && serviceId.present) {
        activeServiceId = &serviceId;
        return std::make_unique<FakeLibrary>(
            serviceId.loads, serviceId.unloads, "NcGetUserID",
            serviceId.hasEntry ? reinterpret_cast<void*>(&fakeNcGetUserId) : nullptr);
    }
    if (windowsName == kJudgementLibrary && judgement.present) {
        activeJudgement = &judgement;
        return std::make_unique<FakeLibrary>(
            judgement.loads, judgement.unloads, kJudgementEntry,
            judgement.hasEntry ? reinterpret_cast<void*>(&fakeFnJudvane) : nullptr);
    }
    return nullptr;
}

BuildIdentity identityNaming(const char* build) {
    BuildIdentity id;
    id.hasBlock = true;
    id.values["FileVersion"] = "1.6.0.3";
    if (build != nullptr) id.values["PrivateBuild"] = build;
    return id;
}

ConsoleRig::ConsoleRig(camsim::Profile profile, bool attached)
    : camera(std::move(profile)), clock(platform, kDefaultWallTime) {
    camsim::addCalibrationDiags(camera, model);
    camsim::addServiceDiags(camera, model);
    if (attached) platform.attach(1, camera);
    host.linkBuild = identityNaming("PELORIN");
}

ConsoleRig::~ConsoleRig() {
    // The library's connection outlives the console when start-up ended early: release every
    // connection, closing its port, while this rig's platform is still installed.
    Cam_reset_dll();
    activeServiceId = nullptr;
    activeJudgement = nullptr;
}

std::vector<camsim::LogEntry> ConsoleRig::commands() const {
    std::vector<camsim::LogEntry> out;
    for (const auto& e : camera.log()) {
        if (!e.inSession || e.cls == camsim::kClassSession) continue;
        if (e.code == camsim::kCodeReadiness && e.op == camsim::kOpGetValue) continue;
        out.push_back(e);
    }
    return out;
}

std::vector<std::string> ConsoleRig::traffic(size_t from) const {
    std::vector<std::string> out;
    const auto& log = camera.log();
    for (size_t i = from; i < log.size(); ++i) {
        const camsim::LogEntry& e = log[i];
        if (!e.inSession || e.cls == camsim::kClassSession) continue;
        if (e.code == camsim::kCodeReadiness && e.op == camsim::kOpGetValue) continue;
        // A command the library sent again after a refusal counts once.
        if (i > from && log[i - 1].op == e.op && log[i - 1].code == e.code &&
            log[i - 1].value == e.value && log[i - 1].payload == e.payload) {
            continue;
        }
        const std::string code = std::to_string(e.code);
        switch (e.op) {
            case camsim::kOpSetValue:
                out.push_back("set " + code + " = " + std::to_string(e.value));
                break;
            case camsim::kOpGetValue:
                out.push_back("get " + code);
                break;
            case camsim::kOpExecute:
                out.push_back("exec " + code + " " + std::to_string(e.value));
                break;
            case camsim::kOpSendData:
            case camsim::kOpSendDataLarge:
                out.push_back("send " + code);
                break;
            default:
                out.push_back("fetch " + code);
                break;
        }
    }
    return out;
}

void ConsoleRig::recordStatus() {
    MainDialog& d = dialog();
    d.setObserver([this, &d](int id) {
        if (id == idc::kStatus) statuses.push_back(d.control(id).text);
    });
}

bool ConsoleRig::received(int op, int code) const {
    for (const auto& e : commands()) {
        const bool opMatches = e.op == op ||
                               (op == camsim::kOpGetData && e.op == camsim::kOpGetDataLarge) ||
                               (op == camsim::kOpSendData && e.op == camsim::kOpSendDataLarge);
        if (opMatches && e.code == code) return true;
    }
    return false;
}

std::vector<int32_t> ConsoleRig::sessionValues() const {
    std::vector<int32_t> out;
    for (const auto& e : camera.log()) {
        if (e.cls == camsim::kClassSession) out.push_back(e.value);
    }
    return out;
}

std::vector<std::string> inMainDialog(ConsoleRig& rig,
                                      const std::function<void(MainDialog&)>& act) {
    std::vector<std::string> traffic;
    rig.op.modalScripts[kMainTemplate] = [&](DialogModel&) {
        const size_t from = rig.mark();
        act(rig.dialog());
        traffic = rig.traffic(from);
    };
    if (rig.run() != 0) throw std::runtime_error("the console did not start");
    return traffic;
}

camsim::Profile profileFor(const std::string& type, int32_t lcdType) {
    camsim::Profile p = camsim::defaultProfile();
    p.typeText = type;
    p.lcdType = lcdType;
    return p;
}

std::vector<uint8_t> wordsRecord(const std::vector<int32_t>& words) {
    std::vector<uint8_t> out;
    for (int32_t w : words) {
        const auto u = static_cast<uint32_t>(w);
        for (int i = 0; i < 4; ++i)
            out.push_back(static_cast<uint8_t>(u >> (8 * i)));
    }
    return out;
}

}  // namespace orvia::testing
