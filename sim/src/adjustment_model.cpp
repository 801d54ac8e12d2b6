#include "camsim/adjustment_model.h"

#include "camsim/catalogue_profile.h"

namespace camsim {
namespace {

std::vector<uint8_t> words(std::initializer_list<int32_t> list, size_t size) {
    std::vector<uint8_t> r(size, 0);
    size_t at = 0;
    for (int32_t w : list) {
        for (int b = 0; b < 4 && at < size; ++b)
            r[at++] = static_cast<uint8_t>(static_cast<uint32_t>(w) >> (8 * b));
    }
    return r;
}

void putWord(std::vector<uint8_t>& r, size_t index, int32_t v) {
    if (r.size() < 4 * index + 4) r.resize(4 * index + 4);
    for (int b = 0; b < 4; ++b)
        r[4 * index + b] = static_cast<uint8_t>(static_cast<uint32_t>(v) >> (8 * b));
}

// ELD word of each level and ACL program.
const std::map<int, size_t> kEldWordOfProgram = {
    {61, 2}, {62, 3}, {63, 4}, {72, 5}, {64, 6}, {65, 7}, {66, 8}, {73, 9}, {67, 10}, {68, 11},
};
// Hall word of the aperture, gain and offset programs.
const std::map<int, size_t> kHallWordOfProgram = {{55, 1}, {56, 2}, {57, 3}, {58, 4}, {59, 5}};

// The PAF result selectors: the uniformity's four parts, distance, temperature, parallax and
// up/down.
const std::map<int32_t, std::string> kPafResults = {
    {0x0CBFADE0, "Uniformity 1/4 : OK\r\n"}, {0x0CBFADE1, "Uniformity 2/4 : OK\r\n"},
    {0x0CBFADE2, "Uniformity 3/4 : OK\r\n"}, {0x0CBFADE3, "Uniformity 4/4 : OK\r\n"},
    {0x0CBDFAEB, "Distance : OK"},           {0x0CBEDFAB, "Temperature : OK"},
    {0x0CBADFEB, "Parallax : OK"},           {0x0CBCEBDA, "Up/Down : OK"},
};

}  // namespace

void addAdjustmentRecords(Profile& p) {
    auto record = [&](int code, std::vector<uint8_t> bytes) {
        p.records.try_emplace(code, std::move(bytes));
    };
    auto value = [&](int code, int32_t v) { p.values.try_emplace(code, v); };
    // Size, ACL off, black levels, white levels, ACL brightness and slant level.
    record(kCodeEldInfo,
           words({48, 1, 0x20, 0x21, 0x22, 0x23, 0xC0, 0xC1, 0xC2, 0xC3, 0x80, 0x40}, 48));
    value(kCodeEldInfo, 48);
    record(kCodeHallInfo, words({0, 2, -1, 3, 0, 5}, 24));  // aperture open
    record(kCodeLensData, words({12, 345}, 8));             // PI switch, Delta SB
    value(kCodeSecondPulse, 20);
    // Error history: three statuses with their release counts; the counters.
    record(
        kCodeInfo4,
        words({35, static_cast<int32_t>(0x80000012), 1520, 0x00004003, 988, 0x20000001, 17}, 35));
    value(kCodeInfo4, 35);
    record(kCodeInfo5, words({28, 1534, 211, 4210, 3300, 12, 7}, 28));
    value(kCodeInfo5, 28);
    value(kCodePafDisplay, 1);
}

Profile organicElProfile(int32_t lcdAnswer) {
    Profile p = defaultProfile();
    p.lcdType = lcdAnswer;
    addAdjustmentRecords(p);
    return p;
}

Profile oversizedEldProfile() {
    Profile p = organicElProfile();
    std::vector<uint8_t> eld = p.records[kCodeEldInfo];
    eld.resize(64);
    putWord(eld, 0, 64);
    p.records[kCodeEldInfo] = eld;
    p.values[kCodeEldInfo] = 64;
    return p;
}

Profile errorHistoryProfile(int32_t info4Size) {
    Profile p = defaultProfile();
    addAdjustmentRecords(p);
    std::vector<uint8_t> info4 = p.records[kCodeInfo4];
    info4.resize(static_cast<size_t>(info4Size));
    putWord(info4, 0, info4Size);
    p.records[kCodeInfo4] = info4;
    p.values[kCodeInfo4] = info4Size;
    return p;
}

struct AdjustmentModel::State {
    Camera* camera = nullptr;
    int32_t diagWord = 0;
    std::map<int32_t, std::string> pafResults = kPafResults;

    void onValueSet(int code, int32_t v) {
        if (code != kCodeDiagWord) return;
        diagWord = v;
        const auto it = pafResults.find(v);
        if (it == pafResults.end()) return;
        std::vector<uint8_t> text(it->second.begin(), it->second.end());
        text.push_back(0);
        camera->profile().records[kCodeDiagBuffer] = text;
    }

    void onExecuteDone(int code, int parameter, bool ok) {
        if (code != kCodeExecuteDiag || !ok) return;
        Profile& p = camera->profile();
        if (const auto eld = kEldWordOfProgram.find(parameter); eld != kEldWordOfProgram.end()) {
            putWord(p.records[kCodeEldInfo], eld->second, diagWord);
        }
        if (const auto hall = kHallWordOfProgram.find(parameter);
            hall != kHallWordOfProgram.end()) {
            putWord(p.records[kCodeHallInfo], hall->second, diagWord);
        }
    }
};

AdjustmentModel::AdjustmentModel(Camera& camera) : state_(std::make_shared<State>()) {
    state_->camera = &camera;
    Hooks& h = camera.hooks();
    std::shared_ptr<State> s = state_;
    h.onValueSet = [s, before = h.onValueSet](int code, int32_t v) {
        if (before) before(code, v);
        s->onValueSet(code, v);
    };
    h.onExecuteDone = [s, before = h.onExecuteDone](int code, int parameter, bool ok) {
        if (before) before(code, parameter, ok);
        s->onExecuteDone(code, parameter, ok);
    };
}

AdjustmentModel::~AdjustmentModel() = default;

void AdjustmentModel::setPafResult(int32_t selector, const std::string& text) {
    state_->pafResults[selector] = text;
}

}  // namespace camsim
