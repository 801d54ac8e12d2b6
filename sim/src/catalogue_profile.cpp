#include "camsim/catalogue_profile.h"

#include <algorithm>
#include <cstdio>

#include "camsim/frame.h"

namespace camsim {
namespace {

void putWord(std::vector<uint8_t>& r, size_t at, uint32_t v) {
    for (int b = 0; b < 4; ++b)
        r[at + b] = static_cast<uint8_t>(v >> (8 * b));
}

uint32_t wordAt(const std::vector<uint8_t>& r, size_t at) {
    return r[at] | r[at + 1] << 8 | r[at + 2] << 16 | static_cast<uint32_t>(r[at + 3]) << 24;
}

// A record of `size` bytes: `words` 32-bit values from `first` upwards, then bytes counting on.
std::vector<uint8_t> wordRecord(size_t size, uint32_t first, size_t words) {
    std::vector<uint8_t> r(size);
    for (size_t k = 0; k < words && 4 * k + 4 <= size; ++k)
        putWord(r, 4 * k, first + static_cast<uint32_t>(k));
    for (size_t i = 4 * words; i < size; ++i)
        r[i] = static_cast<uint8_t>(i);
    return r;
}

std::vector<uint8_t> byteRecord(size_t size, uint8_t seed) {
    std::vector<uint8_t> r(size);
    for (size_t i = 0; i < size; ++i)
        r[i] = static_cast<uint8_t>(seed + 3 * i);
    return r;
}

// Selector of the main firmware version; others have texts of their own.
constexpr int32_t kSelectorMainVersion = 1;

// LCD adjustment and initialisation programs.
constexpr int kDiagSelectLcd = 28;
constexpr int kDiagSelectViewfinder = 29;
constexpr int kDiagResetSettings = 6;
constexpr int kDiagResetDefaults = 5;
constexpr int kDiagInitializeReport = 22;
constexpr int32_t kInitializeReportSelector = 17;
// The identity record (code 112): vendor, product and revision texts, then the serial number;
// the serial number alone is also served by code 25.
constexpr int kCodeIdentity = 112;
constexpr int kCodeSerialNumber = 25;
constexpr int kCodeMacAddress = 111;
constexpr size_t kIdentitySize = 58;
constexpr size_t kSerialAt = 28;
constexpr size_t kSerialNumberSize = 32;
// Diagnostic programs that store the diagnostic buffer into a field of the identity record:
// (program, offset, size).
struct IdentityWrite {
    int program;
    size_t at;
    size_t size;
};
constexpr IdentityWrite kIdentityWrites[] = {
    {33, 0, 8}, {34, 8, 16}, {35, 24, 4}, {4, kSerialAt, kIdentitySize - kSerialAt}};
// Programs that store the diagnostic word as the first and second MAC address word.
constexpr int kProgramMacHigh = 26;
constexpr int kProgramMacLow = 27;

}  // namespace

void addCatalogueRecords(Profile& p) {
    auto record = [&](int code, std::vector<uint8_t> bytes) {
        p.records.try_emplace(code, std::move(bytes));
    };
    auto value = [&](int code, int32_t v) { p.values.try_emplace(code, v); };

    // Identity, configuration and status.
    record(25, textRecord("40012345", 32));                         // serial number
    record(111, {0x00, 0x80, 0x45, 0x12, 0x34, 0x56, 0x00, 0x00});  // MAC address, 2 words
    record(200, {0x01, 0x00, 0x00, 0x00});                          // URL information
    record(206, textRecord("NCUSER1", 8));
    record(240, wordRecord(36, 0x40, 9));  // mode 4G record
    value(140, 3);                         // factory code
    value(190, 12);                        // languages
    value(205, 12);
    value(53, 1);   // display language
    value(41, 0);   // date format
    value(188, 9);  // time zone
    value(108, 0);  // video signal mode
    value(189, 1);  // template check
    value(131, 0);  // adjustment status

    // Displays.
    value(34, 1);                                      // display state
    record(80, wordRecord(32, 0x100, 8));              // LCD information, 8 words
    record(137, byteRecord(32, 0x20));                 // second display information
    value(154, 1);                                     // phase AF display mode (off)
    std::vector<uint8_t> eld = wordRecord(48, 0, 12);  // organic-EL block: word 0 is its size
    putWord(eld, 0, 48);
    putWord(eld, 4, 0);
    for (size_t k = 2; k < 10; ++k)
        putWord(eld, 4 * k, 128);  // black and white levels
    putWord(eld, 40, 1);           // ACL on
    putWord(eld, 44, 8);
    record(163, eld);
    value(163, 48);

    // Diagnostics.
    record(kCodeDiagBuffer, textRecord("", 1));
    record(49, wordRecord(48, 0x200, 12));  // diagnostic information, 12 words
    record(81, wordRecord(32, 0x300, 8));   // camera information, 8 words
    record(kCodeIdentity, wordRecord(kIdentitySize, 0x400, 10));  // identity, information 2
    record(155, byteRecord(64, 0x41));                            // information 4
    value(155, 64);
    record(156, byteRecord(96, 0x51));  // information 5
    value(156, 96);
    record(157, wordRecord(24, 0x500, 6));  // Hall element information
    record(241, wordRecord(24, 0x600, 6));  // manual white balance information
    record(207, wordRecord(24, 0x700, 6));  // manual white balance target
    value(199, 0);                          // shading status
    value(162, 0);

    // Lens and capture.
    record(71, wordRecord(8, 10, 2));   // focal length, 2 words
    record(141, wordRecord(12, 0, 3));  // relative zoom
    record(169, byteRecord(8, 0x11));   // lens data
    record(210, byteRecord(8, 0x21));   // lens state
    record(209, byteRecord(28, 0x31));  // production lens adjustment record
    value(242, 28);                     // its size
    value(143, 40);                     // backlash pulses
    value(187, 20);

    // Stabiliser module and sensor.
    record(201, byteRecord(32, 0x61));
    value(202, 32);
    record(138, byteRecord(256, 0x71));  // stabiliser adjustment data
    record(257, wordRecord(4, 1024, 1));
    record(258, byteRecord(22, 0x81));
    record(259, wordRecord(32, 0x800, 8));

    // Battery and video.
    value(168, 1);
    record(kCodeBatteryInfo, byteRecord(22, 0x91));
    record(244, byteRecord(16, 0xA1));  // battery test setting
    value(243, 16);
    record(245, wordRecord(12, 0, 3));
    record(261, wordRecord(8, 0x20, 2));  // analog video gain

    // Key records.
    record(203, byteRecord(724, 0xB1));
    record(204, byteRecord(136, 0xC1));
}

Profile regionProfile(int family) {
    static const char* const types[] = {"ZR510", "YTK10", "YDV10", "YFS10", "YAS10", "YPL10"};
    Profile p = defaultProfile();
    p.typeText = types[family >= 0 && family <= 5 ? family : 0];
    p.values[140] = family == 5 ? 7 : 2;  // factory code
    p.values[190] = 2;                    // languages, as a count kind
    p.values[205] = 0x4E430014;           // languages: "NC" and 20
    p.values[108] = 1;                    // video signal mode
    addCatalogueRecords(p);
    return p;
}

std::string committedVersion(const std::vector<uint8_t>& data) {
    static const std::string marker = "VERSION=";
    const auto it = std::search(data.begin(), data.end(), marker.begin(), marker.end());
    if (it != data.end()) {
        std::string v;
        for (auto p = it + static_cast<std::ptrdiff_t>(marker.size());
             p != data.end() && *p != 0 && *p != '\r' && *p != '\n' && v.size() < 31; ++p)
            v += static_cast<char>(*p);
        return v;
    }
    uint32_t sum = 0;
    for (uint8_t b : data)
        sum += b;
    char text[32];
    std::snprintf(text, sizeof text, "LOADED-%08X", sum);
    return text;
}

struct CatalogueModel::State {
    Camera* camera = nullptr;
    std::map<int, std::pair<std::string, int32_t>> results;
    std::map<int32_t, std::string> versions;
    std::vector<uint8_t> loaded;
    int32_t loadedSelector = 0;
    std::map<int32_t, std::vector<uint8_t>> committed;
    int32_t lastCommittedSelector = 0;
    int commits = 0;
    std::map<int, std::map<uint32_t, uint8_t>> memories;
    std::vector<uint8_t> diagBuffer;  // the last data sent to the diagnostic buffer

    static bool isMemory(int code) {
        return code == kCodeMcuMemory || code == kCodeFlashMemory || code == kCodeEeprom;
    }

    std::vector<uint8_t> read(int code, uint32_t address, size_t n) const {
        std::vector<uint8_t> out(n, 0xFF);
        const auto mem = memories.find(code);
        if (mem == memories.end()) return out;
        for (size_t i = 0; i < n; ++i) {
            const auto b = mem->second.find(address + static_cast<uint32_t>(i));
            if (b != mem->second.end()) out[i] = b->second;
        }
        return out;
    }

    // LCD adjustments and initialisation.
    Display display = Display::Lcd;
    int32_t pattern = -1;
    int32_t diagWord = 0;  // the diagnostic word as a program starting now finds it
    std::map<int, int32_t> viewfinderRegisters;
    bool settingsReset = false;
    bool defaultsReset = false;

    // Where a register program keeps the LCD's register: record and word.
    static std::optional<std::pair<int, size_t>> lcdRegisterWord(int program) {
        static const std::map<int, std::pair<int, size_t>> words = {
            {9, {kCodeLcdInfo, 1}},        {10, {kCodeLcdInfo, 2}},
            {11, {kCodeLcdInfo, 3}},       {12, {kCodeLcdInfo, 4}},
            {13, {kCodeLcdInfo, 5}},       {14, {kCodeLcdInfo, 6}},
            {19, {kCodeLcdInfo, 7}},       {39, {kCodeSecondLcdInfo, 0}},
            {40, {kCodeSecondLcdInfo, 1}}, {41, {kCodeSecondLcdInfo, 2}},
            {42, {kCodeSecondLcdInfo, 3}},
        };
        const auto it = words.find(program);
        if (it == words.end()) return std::nullopt;
        return it->second;
    }

    void resetDisplayRegisters() {
        constexpr int32_t kNeutral = 16;
        Profile& p = camera->profile();
        for (int code : {kCodeLcdInfo, kCodeSecondLcdInfo}) {
            auto& record = p.records[code];
            record.resize(std::max<size_t>(record.size(), 32));
            for (size_t k = 0; k < 8; ++k)
                putWord(record, 4 * k, kNeutral);
        }
        for (auto& [program, value] : viewfinderRegisters)
            value = kNeutral;
    }

    void settingsValueSet(int code, int32_t v) {
        if (code == kCodeDiagWord) diagWord = v;
        if (code == kCodeInitializeSetting) resetDisplayRegisters();
    }

    void settingsProgramDone(int code, int parameter, bool ok) {
        if (!ok) return;
        Profile& p = camera->profile();
        if (code == kCodeDisplayPattern) {
            pattern = parameter;
            return;
        }
        if (code != kCodeExecuteDiag) return;
        const int32_t word = diagWord;
        diagWord = p.values[kCodeDiagWord];  // the program's result word
        if (parameter == kDiagSelectLcd || parameter == kDiagSelectViewfinder) {
            display = parameter == kDiagSelectViewfinder ? Display::Viewfinder : Display::Lcd;
        } else if (const auto at = lcdRegisterWord(parameter)) {
            if (display == Display::Viewfinder) {
                viewfinderRegisters[parameter] = word;
            } else {
                auto& record = p.records[at->first];
                record.resize(std::max<size_t>(record.size(), 4 * at->second + 4));
                putWord(record, 4 * at->second, static_cast<uint32_t>(word));
            }
        } else if ((parameter == kDiagResetSettings || parameter == kDiagResetDefaults) &&
                   word == kInitializeKey) {
            (parameter == kDiagResetSettings ? settingsReset : defaultsReset) = true;
            resetDisplayRegisters();
        } else if (parameter == kDiagInitializeReport && word == kInitializeReportSelector &&
                   results.count(kDiagInitializeReport) == 0) {
            std::string text = std::string("Initialize Setting : ") +
                               (settingsReset ? "OK" : "NG") +
                               "\r\nInitialize Default : " + (defaultsReset ? "OK" : "NG");
            std::vector<uint8_t> record(text.begin(), text.end());
            record.push_back(0);
            p.records[kCodeDiagBuffer] = record;
            settingsReset = defaultsReset = false;
        }
    }

    void onValueSet(int code, int32_t v) {
        settingsValueSet(code, v);
        if (code != kCodeDiagWord) return;
        Profile& p = camera->profile();
        if (const auto it = versions.find(v); it != versions.end())
            p.records[kCodeSelectedVersion] = textRecord(it->second, 64);
        else if (v == kSelectorMainVersion)
            p.records[kCodeSelectedVersion] = textRecord(p.firmwareVersion, 64);
        if (v == 1 || v == 2) {
            std::vector<uint8_t> info(22);
            for (size_t i = 0; i < info.size(); ++i)
                info[i] = static_cast<uint8_t>(v * 0x10 + i);
            p.records[kCodeBatteryInfo] = info;
        }
    }

    void onDataReceived(int code, const std::vector<uint8_t>& data) {
        Profile& p = camera->profile();
        if (code == kCodeDiagBuffer) diagBuffer = data;
        if (code == kCodeLoadData) {
            if (loaded.empty()) loadedSelector = p.values[kCodeDiagWord];
            loaded.insert(loaded.end(), data.begin(), data.end());
        } else if (isMemory(code) && data.size() >= 8) {
            const uint32_t address = wordAt(data, 0);
            const size_t n = std::min<size_t>(wordAt(data, 4), data.size() - 8);
            auto& mem = memories[code];
            for (size_t i = 0; i < n; ++i)
                mem[address + static_cast<uint32_t>(i)] = data[8 + i];
        } else if (code == kCodeDiagBuffer && data.size() >= 8) {
            // A memory read request: every memory serves that range until the next request.
            const uint32_t address = wordAt(data, 0);
            const size_t n = std::min<size_t>(wordAt(data, 4), 0x10000);
            for (int mem : {kCodeMcuMemory, kCodeFlashMemory, kCodeEeprom}) {
                std::vector<uint8_t> reply(8);
                putWord(reply, 0, address);
                putWord(reply, 4, static_cast<uint32_t>(n));
                const std::vector<uint8_t> bytes = read(mem, address, n);
                reply.insert(reply.end(), bytes.begin(), bytes.end());
                p.records[mem] = reply;
            }
        }
    }

    // Identity programs keep what was sent, so that the next read shows it.
    void storeIdentity(int program) {
        Profile& p = camera->profile();
        for (const IdentityWrite& w : kIdentityWrites) {
            if (w.program != program) continue;
            std::vector<uint8_t>& r = p.records[kCodeIdentity];
            r.resize(std::max(r.size(), kIdentitySize), 0);
            const size_t n = std::min(w.size, diagBuffer.size());
            std::copy_n(diagBuffer.begin(), n, r.begin() + static_cast<std::ptrdiff_t>(w.at));
            if (program == kIdentityWrites[3].program) {
                std::vector<uint8_t> serial(diagBuffer.begin(),
                                            diagBuffer.begin() + static_cast<std::ptrdiff_t>(n));
                serial.resize(kSerialNumberSize, 0);
                p.records[kCodeSerialNumber] = serial;
            }
        }
        if (program == kProgramMacHigh || program == kProgramMacLow) {
            std::vector<uint8_t>& mac = p.records[kCodeMacAddress];
            mac.resize(std::max<size_t>(mac.size(), 8), 0);
            putWord(mac, program == kProgramMacHigh ? 0 : 4,
                    static_cast<uint32_t>(p.values[kCodeDiagWord]));
        }
    }

    void onExecuteDone(int code, int parameter, bool ok) {
        Profile& p = camera->profile();
        if (code == kCodeExecuteDiag) {
            if (ok) storeIdentity(parameter);
            const auto it = results.find(parameter);
            const std::string text = it != results.end() ? it->second.first
                                                         : "Diag " + std::to_string(parameter) +
                                                               (ok ? " : OK" : " : NG");
            std::vector<uint8_t> record(text.begin(), text.end());
            record.push_back(0);
            p.records[kCodeDiagBuffer] = record;
            p.values[kCodeDiagWord] = it != results.end() ? it->second.second : 0;
        } else if (code == kCodeCommitLoad && ok && !loaded.empty()) {
            if (loadedSelector == kSelectorFirmware) {
                p.firmwareVersion = committedVersion(loaded);
                p.records[kCodeFirmwareVersion] = textRecord(p.firmwareVersion, 32);
            }
            committed[loadedSelector] = std::move(loaded);
            lastCommittedSelector = loadedSelector;
            loaded.clear();
            ++commits;
        }
        settingsProgramDone(code, parameter, ok);
    }
};

CatalogueModel::CatalogueModel(Camera& camera) : state_(std::make_shared<State>()) {
    state_->camera = &camera;
    state_->versions = {{2, "SUB 1.00"}, {0x10004, "0"}};  // sub version; NAND verify
    Hooks& h = camera.hooks();
    std::shared_ptr<State> s = state_;
    h.onValueSet = [s, before = h.onValueSet](int code, int32_t v) {
        if (before) before(code, v);
        s->onValueSet(code, v);
    };
    h.onDataReceived = [s, before = h.onDataReceived](int code, const std::vector<uint8_t>& d) {
        if (before) before(code, d);
        s->onDataReceived(code, d);
    };
    h.onExecuteDone = [s, before = h.onExecuteDone](int code, int parameter, bool ok) {
        if (before) before(code, parameter, ok);
        s->onExecuteDone(code, parameter, ok);
    };
}

CatalogueModel::~CatalogueModel() = default;

void CatalogueModel::setResult(int program, const std::string& text, int32_t word) {
    state_->results[program] = {text, word};
}

void CatalogueModel::setVersionText(int32_t selector, const std::string& text) {
    state_->versions[selector] = text;
}

const std::vector<uint8_t>& CatalogueModel::loadedData() const {
    return state_->loaded;
}

int CatalogueModel::commits() const {
    return state_->commits;
}

Display CatalogueModel::selectedDisplay() const {
    return state_->display;
}

int32_t CatalogueModel::displayPattern() const {
    return state_->pattern;
}

std::optional<int32_t> CatalogueModel::displayRegister(Display display, int program) const {
    if (display == Display::Viewfinder) {
        const auto it = state_->viewfinderRegisters.find(program);
        if (it == state_->viewfinderRegisters.end()) return std::nullopt;
        return it->second;
    }
    const auto word = State::lcdRegisterWord(program);
    if (!word) return std::nullopt;
    const Profile& p = state_->camera->profile();
    const auto record = p.records.find(word->first);
    if (record == p.records.end() || record->second.size() < 4 * word->second + 4)
        return std::nullopt;
    return static_cast<int32_t>(wordAt(record->second, 4 * word->second));
}

const std::vector<uint8_t>& CatalogueModel::committedData(int32_t selector) const {
    static const std::vector<uint8_t> none;
    const auto it = state_->committed.find(selector);
    return it == state_->committed.end() ? none : it->second;
}

const std::vector<uint8_t>& CatalogueModel::lastLoad() const {
    if (!state_->loaded.empty() || state_->commits == 0) return state_->loaded;
    return committedData(state_->lastCommittedSelector);
}

std::vector<uint8_t> CatalogueModel::readMemory(int code, uint32_t address, size_t n) const {
    return state_->read(code, address, n);
}

void CatalogueModel::writeMemory(int code, uint32_t address, const std::vector<uint8_t>& bytes) {
    auto& mem = state_->memories[code];
    for (size_t i = 0; i < bytes.size(); ++i)
        mem[address + static_cast<uint32_t>(i)] = bytes[i];
}

}  // namespace camsim
