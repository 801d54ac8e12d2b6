#include "camsim/setup_records.h"

#include <algorithm>

#include "camsim/catalogue_profile.h"

namespace camsim {

namespace {

void put16(std::vector<uint8_t>& r, size_t at, uint32_t v) {
    r[at] = static_cast<uint8_t>(v);
    r[at + 1] = static_cast<uint8_t>(v >> 8);
}

void put32(std::vector<uint8_t>& r, size_t at, uint32_t v) {
    for (int b = 0; b < 4; ++b)
        r[at + b] = static_cast<uint8_t>(v >> (8 * b));
}

std::vector<uint8_t> patternRecord(size_t size, uint8_t seed) {
    std::vector<uint8_t> r(size);
    for (size_t i = 0; i < size; ++i)
        r[i] = static_cast<uint8_t>(seed + 7 * i);
    return r;
}

bool isLayoutB(const std::string& type) {
    const auto& b = lensLayoutBTypes();
    return std::find(b.begin(), b.end(), type) != b.end();
}

}  // namespace

const std::vector<std::string>& lensLayoutBTypes() {
    static const std::vector<std::string> types = {"YQR12", "YQR20", "YQR21"};
    return types;
}

const std::vector<std::string>& lensAdjustmentTypes() {
    static const std::vector<std::string> types = {"YQR10", "YQR11", "YQR12", "YQR20", "YQR21"};
    return types;
}

std::vector<uint8_t> defaultBatteryInfo(int kind) {
    std::vector<uint8_t> r(kBatteryInfoBytes, 0);
    if (kind == 1) {
        // Capacity, manufacturing date, cycles, charges, energizing time, releases; last camera
        // mode; then the same of the last use, battery version and mode.
        for (auto [at, v] : {std::pair{0, 1500},
                             {2, 0x3A21},
                             {4, 42},
                             {6, 57},
                             {8, 1234},
                             {10, 3456},
                             {14, 120},
                             {16, 300}})
            put16(r, static_cast<size_t>(at), static_cast<uint32_t>(v));
        r[12] = 2;
        r[18] = 1;
        r[19] = 3;
        r[20] = 1;
    } else if (kind == 2) {
        // Voltage and currents, then temperatures; the same of the last use.
        for (auto [at, v] :
             {std::pair{0, 4200}, {2, 2000}, {4, 100}, {10, 4150}, {12, 1800}, {14, 120}})
            put16(r, static_cast<size_t>(at), static_cast<uint32_t>(v));
        const uint8_t temperatures[] = {60, 0, 45, 0};
        const uint8_t lastTemperatures[] = {55, 5, 40, 10};
        std::copy(std::begin(temperatures), std::end(temperatures), r.begin() + 6);
        std::copy(std::begin(lastTemperatures), std::end(lastTemperatures), r.begin() + 16);
    }
    return r;
}

void addSetupRecords(Profile& p) {
    auto record = [&](int code, std::vector<uint8_t> bytes) {
        p.records.try_emplace(code, std::move(bytes));
    };
    record(kCodeVideoGain, std::vector<uint8_t>(8, 0));
    p.values.try_emplace(kCodeBatteryType, 1);
    record(kCodeBatteryInfo, defaultBatteryInfo(1));
    if (isLayoutB(p.typeText)) {
        std::vector<uint8_t> r(28, 0);
        put32(r, 0, 123456);
        put32(r, 4, 654321);
        put16(r, 8, 7);
        const int16_t values[] = {12, -34, 56, -7, 89, -90, 1234, 0};
        for (size_t i = 0; i < std::size(values); ++i)
            put16(r, 10 + 2 * i, static_cast<uint16_t>(values[i]));
        record(kCodeLensAdjRecord, r);
        p.values.try_emplace(kCodeLensAdjSize, 28);
    } else {
        std::vector<uint8_t> r(16, 0);
        const int16_t values[] = {12, -5, 0, 33, -101};
        for (size_t i = 0; i < std::size(values); ++i)
            put16(r, 2 * i, static_cast<uint16_t>(values[i]));
        record(kCodeLensAdjRecord, r);
        p.values.try_emplace(kCodeLensAdjSize, 16);
    }
    record(kCodeKey1, patternRecord(724, 0x3C));
    record(kCodeKey2, patternRecord(136, 0x5D));
}

Profile setupProfile(const std::string& type) {
    Profile p = defaultProfile();
    p.typeText = type;
    addSetupRecords(p);
    return p;
}

BatteryModel::BatteryModel(Camera& camera)
    : records_(std::make_shared<std::map<int, std::vector<uint8_t>>>()) {
    for (int kind : {1, 2})
        (*records_)[kind] = defaultBatteryInfo(kind);
    Hooks& h = camera.hooks();
    h.onValueSet = [records = records_, &camera, before = h.onValueSet](int code, int32_t v) {
        if (before) before(code, v);
        if (code != kCodeDiagWord) return;
        if (const auto it = records->find(v); it != records->end())
            camera.profile().records[kCodeBatteryInfo] = it->second;
    };
}

void BatteryModel::setInfo(int kind, std::vector<uint8_t> record) {
    (*records_)[kind] = std::move(record);
}

}  // namespace camsim
