#include "camsim/service_diags.h"

#include <cstdio>
#include <initializer_list>
#include <map>
#include <vector>

namespace camsim {

namespace {

std::vector<uint8_t> wordsOf(std::initializer_list<int32_t> words) {
    std::vector<uint8_t> out;
    for (int32_t w : words) {
        const auto u = static_cast<uint32_t>(w);
        for (int b = 0; b < 4; ++b)
            out.push_back(static_cast<uint8_t>(u >> (8 * b)));
    }
    return out;
}

}  // namespace

std::string longShadingText(size_t bytes) {
    std::string text = "Shading Adj\r\n";
    for (int line = 0; text.size() < bytes; ++line) {
        char row[48];
        std::snprintf(row, sizeof row, "BLK%04d : %4d %4d %4d %4d\r\n", line, 512 + line % 37,
                      498 + line % 29, 505 + line % 23, 511 + line % 19);
        text += row;
    }
    text.resize(bytes);
    return text;
}

void addServiceDiags(Camera& camera, CatalogueModel& model, const ServiceSettings& settings) {
    static const std::map<int, std::string> texts = {
        {0, "CCD Defect\r\nDefects : 3\r\n  (1021, 377)\r\n  (88, 1502)\r\n  (1930, 640)\r\n"},
        {8, "VCOMDC : OK\r\n"},
        {18, "Apply : OK\r\n"},
        {19, "VCOMPP : OK\r\n"},
        {20, "Cal Data : OK\r\n"},
        {30, "CCD Black\r\nBlack level : 64\r\nNG pixels : 0\r\n"},
        {31, "EIS Adj\r\nX gain : 1.02\r\nY gain : 0.98\r\n"},
        {32, "EIS Check\r\nX : OK\r\nY : OK\r\n"},
        {37, "VCO ON\r\n"},
        {38, "VCO OFF\r\n"},
        {43, "VCOMDC : OK\r\n"},
        {44, "VCOMPP : OK\r\n"},
        {51, "Keystone\r\nH : 0.4\r\nV : -0.2\r\n"},
        {52, "Infinity\r\nPosition : 1204\r\n"},
        {53, "Pixel Map\r\nMapped : 12\r\n"},
        {60, "AF LED ON\r\n"},
        {71, "Tracking\r\nW : 102\r\nT : 98\r\n"},
        {80, "Zoom\r\nWide : 0\r\nTele : 1480\r\n"},
        {84, "Sens. WB\r\nR : 1.003\r\nB : 0.997\r\n"},
    };
    for (const auto& [program, text] : texts)
        model.setResult(program, text);
    // Program 69 is also the first shading program of the calibrations, whose text stays.
    if (settings.longShadingBytes != 0)
        model.setResult(kDiagShadingAdj, longShadingText(settings.longShadingBytes));
    model.setVersionText(3, "BOOT 1.00");
    model.setVersionText(4, "NAND 1.02");

    // The records and values the service tests read, unless the profile holds its own.
    Profile& p = camera.profile();
    p.values.try_emplace(kCodeDisplayState, 1);   // Off
    p.values.try_emplace(kCodeTemplateCheck, 0);  // copy complete
    p.values.try_emplace(kCodeBackrushPulse, 40);
    p.records.try_emplace(kCodeAdjustmentData,
                          wordsOf({412, 1021, 1000, 987, 36, 1150, -80, -42, 1210, 0, 0, 0}));
    p.records.try_emplace(kCodeCameraInfo, wordsOf({1520, 311, 0, 0, 0, 0, 0, 1}));

    Hooks& h = camera.hooks();
    h.onExecuteDone = [&camera, before = h.onExecuteDone](int code, int parameter, bool ok) {
        if (before) before(code, parameter, ok);
        if (!ok || code != kCodeDisplayCommand) return;
        int32_t& state = camera.profile().values[kCodeDisplayState];
        if (state != 0 && (parameter == 1 || parameter == 2 || parameter == 3 || parameter == 6))
            state = parameter;
    };
}

}  // namespace camsim
