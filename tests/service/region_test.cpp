// The Setting group's lists: how the main dialog fills them for each factory code family and
// selects the camera's code, and what each change writes.
#include <gtest/gtest.h>

#include <map>

#include "camsim/catalogue_profile.h"
#include "console/main_dialog.h"
#include "console_rig.h"
#include "service/param_dialog.h"

namespace orvia::testing {
namespace {

using Strings = std::vector<std::string>;

constexpr int kFactoryCode = 140;
constexpr int kLangCount = 190;
constexpr int kLangCount2 = 205;

camsim::Profile cameraWith(const char* type, std::map<int, int32_t> values) {
    camsim::Profile p = profileFor(type);
    for (auto [code, v] : values)
        p.values[code] = v;
    return p;
}

// The operator picks entry `position` of list `id`.
void choose(MainDialog& d, int id, int position) {
    d.viewState(id).selection = position;
    d.command(id);
}

const std::map<int, Strings> kFactoryLists = {
    {0,
     {"ALL", "J-O--", "U-O--", "EXO--", "PXO--/BXO--", "GXO--", "C-O--/CXO--", "KRO--", "A-O--",
      "T-O--", "HKO--", "S-O--", "THO--", "Direct setting"}},
    {1,
     {"FC_TAKRO_ALL", "FC_TAKRO_J", "FC_TAKRO_U", "FC_TAKRO_EX", "FC_TAKRO_E", "FC_TAKRO_GX",
      "FC_TAKRO_UF", "Direct setting"}},
    {2,
     {"DOVRA_ALL", "J-DV-", "U-DV-", "EXDV-/E-DV-", "PXDV-", "A-DV-", "HKDV-/C-DV-", "K-DV-",
      "Direct setting"}},
    {3,
     {"WESTRAND_ALL", "J-WS-", "U-WS-/CAWS-", "EXWS-/E-WS-/EEWS-", "TAWS-", "C-WS-",
      "Direct setting"}},
    {4, {}},
    {5, {"EXPL-", "KRPL-", "Direct setting"}},
};

TEST(RegionLists, StartWithTheFamilyListAndTheCamerasCodeSelected) {
    struct Case {
        const char* type;
        int32_t code;
        int family;
        int selection;
    };
    const Case cases[] = {
        {"YTK10", 18, 1, 6},  // "FC_TAKRO_UF"
        {"YTK10", 20, 1, 6}, {"YTK10", 16, 1, -1}, {"YTK10", -1, 1, 0},
        {"YTK10", 5, 1, 5},  {"YDV10", 2, 2, 2},   {"YDV10", -1, 2, 0},
        {"YAS10", 2, 4, -1}, {"YFS10", 6, 3, 6},   {"YPL10", 3, 5, 0},  // "EXPL-"
        {"YPL10", 7, 5, 1},                                             // "KRPL-"
        {"YPL10", 9, 5, 0},  {"ZR510", 4, 0, 4},   {"ZR510", 20, 0, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.type) + " code " + std::to_string(c.code));
        ConsoleRig rig(cameraWith(c.type, {{kFactoryCode, c.code}}));
        inMainDialog(rig, [&](MainDialog& d) {
            EXPECT_EQ(rig.app.state().caps.factoryCodeFamily, c.family);
            EXPECT_EQ(d.control(idc::kFactoryCode).items, kFactoryLists.at(c.family));
            EXPECT_EQ(d.control(idc::kFactoryCode).selection, c.selection);
            EXPECT_TRUE(d.control(idc::kFactoryCode).visible);
            EXPECT_EQ(d.control(idc::kLangNumber).visible, c.family == 2 || c.family == 4);
        });
    }
}

TEST(RegionLists, CamsimServesACameraOfEachFamily) {
    const int selections[] = {2, 2, 2, 2, -1, 1};  // family 4 has no list; family 5 reports 7
    for (int family = 0; family <= 5; ++family) {
        SCOPED_TRACE(family);
        ConsoleRig rig(camsim::regionProfile(family));
        inMainDialog(rig, [&](MainDialog& d) {
            EXPECT_EQ(rig.app.state().caps.factoryCodeFamily, family);
            EXPECT_EQ(d.control(idc::kFactoryCode).selection, selections[family]);
        });
    }
}

TEST(RegionLists, ATemplateCameraWithoutACodeHidesTheFactoryCodeList) {
    ConsoleRig rig(cameraWith("ZR510", {{kFactoryCode, -1}}));
    inMainDialog(rig, [&](MainDialog& d) {
        EXPECT_FALSE(d.control(idc::kFactoryCode).visible);
        EXPECT_EQ(d.control(idc::kFactoryCode).selection, -1);
        EXPECT_EQ(d.bottomTrim(), 62);
    });
}

TEST(RegionLists, LanguageSetsShowTheCamerasCountByQueryKind) {
    struct Case {
        const char* type;
        int32_t count2;  // answer to the "NC" count query
        int32_t count;   // answer to the plain count query
        int kind;
        int selection;
    };
    const Case cases[] = {
        {"YDV10", 0x4E430014, 0, 2, 1}, {"YAS10", 0x4E430002, 0, 2, 0}, {"YDV10", 0, 2, 1, 1},
        {"YDV10", 0, 1, 1, 0},          {"YDV10", 5, 7, 0, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.type) + " kind " + std::to_string(c.kind));
        ConsoleRig rig(cameraWith(c.type, {{kLangCount2, c.count2}, {kLangCount, c.count}}));
        rig.host.linkBuild = identityNaming(nullptr);  // a build that asks for the kind
        inMainDialog(rig, [&](MainDialog& d) {
            EXPECT_EQ(rig.app.state().languageQueryKind, c.kind);
            EXPECT_EQ(d.control(idc::kLangNumber).selection, c.selection);
            const Strings sets = std::string(c.type) == "YAS10"
                                     ? Strings{"ASIA", "EXCASIA"}
                                     : Strings{"2 Languages", "20 Languages"};
            EXPECT_EQ(d.control(idc::kLangNumber).items, sets);
        });
    }
}

TEST(RegionLists, AFactoryCodeChangeSendsTheCodeAndSelectsWhatTheCameraReads) {
    struct Case {
        const char* type;
        int position;
        int32_t sent;
        int selection;
    };
    const Case cases[] = {
        {"YTK10", 6, 18, 6},  // "FC_TAKRO_UF"
        {"YTK10", 5, 5, 5},   // "FC_TAKRO_GX"
        {"YPL10", 1, 7, 1},  {"YPL10", 0, 3, 0}, {"ZR510", 3, 3, 3}, {"YFS10", 5, 5, 5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.type) + " position " + std::to_string(c.position));
        ConsoleRig rig(cameraWith(c.type, {{kFactoryCode, 0}}));
        const Strings traffic = inMainDialog(rig, [&](MainDialog& d) {
            choose(d, idc::kFactoryCode, c.position);
            EXPECT_EQ(d.control(idc::kFactoryCode).selection, c.selection);
        });
        EXPECT_EQ(traffic, (Strings{"set 140 = " + std::to_string(c.sent), "get 140"}));
        EXPECT_TRUE(rig.op.messages().empty());
    }
}

TEST(RegionLists, DirectSettingTakesAnyNonZeroCodeFromTheParameterPrompt) {
    ConsoleRig rig(cameraWith("YDV10", {{kFactoryCode, 2}}));
    std::vector<std::string> shown;
    int prompts = 0;
    rig.op.modalScripts[kParamTemplate] = [&](DialogModel& p) {
        shown.push_back(p.control(idc::kParamEdit).text);
        if (prompts++ == 0) return;  // the first prompt is cancelled
        for (const char* typed : {"0", "0x1A"}) {
            p.viewState(idc::kParamEdit).text = typed;
            p.command(kIdOk);
        }
    };
    const Strings traffic = inMainDialog(rig, [&](MainDialog& d) {
        choose(d, idc::kFactoryCode, 8);
        choose(d, idc::kFactoryCode, 8);
        // 26 lies beyond the list: nothing is selected.
        EXPECT_EQ(d.control(idc::kFactoryCode).selection, -1);
    });
    EXPECT_EQ(shown, (Strings{"0x00000002", "0x00000002"}));
    // Each prompt starts from the code read then (the two reads in a row count once).
    EXPECT_EQ(traffic, (Strings{"get 140", "set 140 = 26", "get 140"}));
    EXPECT_EQ(rig.op.messages(), Strings{"Parameter '0' is not supported."});
}

TEST(RegionLists, AFailedWriteShowsTheErrorAndReadsNothingBack) {
    ConsoleRig rig(cameraWith("YTK10", {{kFactoryCode, 0}}));
    rig.camera.faults().add(
        {.fault = camsim::Fault::Dc1, .op = camsim::kOpSetValue, .code = 140, .times = 0});
    const Strings traffic = inMainDialog(rig, [&](MainDialog& d) {
        choose(d, idc::kFactoryCode, 2);
        EXPECT_EQ(d.control(idc::kFactoryCode).selection, 2);  // the operator's choice stays
    });
    EXPECT_EQ(traffic, Strings{"set 140 = 2"});
    EXPECT_EQ(rig.op.messages(), Strings{"Error Camera DC1 response"});
}

TEST(RegionLists, LanguageVideoModeAndLanguageSetWriteTheirValues) {
    struct Case {
        int kind;  // language query kind
        int list;
        int position;
        Strings traffic;
    };
    const Case cases[] = {
        {2, idc::kLanguage, 2, {"set 53 = 3"}},
        {2, idc::kVideoMode, 1, {"set 108 = 1"}},
        {1, idc::kLangNumber, 0, {"set 190 = 1"}},
        {1, idc::kLangNumber, 1, {"set 190 = 2"}},
        {2, idc::kLangNumber, 0, {"set 205 = " + std::to_string(0x4E430002)}},
        {2, idc::kLangNumber, 1, {"set 205 = " + std::to_string(0x4E430014)}},
        {0, idc::kLangNumber, 1, {}},  // no kind: nothing is sent
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.list) + " kind " + std::to_string(c.kind));
        ConsoleRig rig(profileFor("YDV10"));
        const Strings traffic = inMainDialog(rig, [&](MainDialog& d) {
            rig.app.state().languageQueryKind = c.kind;
            choose(d, c.list, c.position);
            EXPECT_EQ(d.control(c.list).selection, c.position);
        });
        EXPECT_EQ(traffic, c.traffic);
        EXPECT_TRUE(rig.op.messages().empty());
    }
}

}  // namespace
}  // namespace orvia::testing
