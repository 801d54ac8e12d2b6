// The main dialog's control table: every control with its kind, text and initial visibility,
// the register lists' items and the Test list's fixed items.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <stdexcept>

#include "console/main_dialog.h"

namespace orvia {
namespace {

using K = ControlKind;

struct Expected {
    int id;
    ControlKind kind;
    const char* text;  // caption of a button, check box, label or group; label of an edit or list
    bool visible;
};

// The controls as the template defines them.
const Expected kControls[] = {
    {1013, K::Button, "&AWB", true},
    {1014, K::Button, "&Focus", true},
    {1023, K::Button, "&UV Matrix", true},
    {1041, K::Edit, "Cal &Mode", true},
    {1044, K::Button, "Ok", true},
    {1042, K::Edit, "&Cal Data", true},
    {1043, K::Button, "Ok", true},
    {1015, K::Button, "Firm&ware", true},
    {1016, K::Button, "&Data", true},
    {1018, K::Button, "Initia&lize", true},
    {1045, K::CheckBox, "EVF", true},
    {1065, K::CheckBox, "VCO", true},
    {1038, K::List, "LCD Type", true},
    {1073, K::Static, "&R Bright", true},
    {1010, K::List, "", true},
    {1074, K::Static, "&B Bright", true},
    {1008, K::List, "", true},
    {1075, K::Static, "&VCOMDC", true},
    {1039, K::List, "", true},
    {1076, K::Static, "V&COMPP", true},
    {1040, K::List, "", true},
    {1078, K::Static, "RGB &Offset", true},
    {1020, K::List, "", true},
    {1077, K::Static, "&Gain", true},
    {1021, K::List, "", true},
    {1011, K::List, "Ti&nt", true},
    {1026, K::List, "&Phase", true},
    {1024, K::List, "&H_AFC", true},
    {1012, K::List, "&Test", true},
    {1029, K::Button, "Hall Cal.", false},
    {1064, K::CheckBox, "&Step com", false},
    {1028, K::Button, "Maint&enance", false},
    {1019, K::Static, "", true},
    {1022, K::Progress, "", true},
    {1081, K::Group, "Setting", true},
    {1017, K::List, "Language", true},
    {1025, K::List, "Video Mode", true},
    {1027, K::List, "Factory Code", true},
    {1030, K::List, "Lang. number", false},  // shown for the families that count languages
    {1057, K::Group, "USB Storage", true},
    {1062, K::Button, "Get", true},
    {1063, K::Button, "Set", true},
    {1058, K::Edit, "VID", true},
    {1066, K::Button, "Set", true},
    {1061, K::Edit, "Serial", true},
    {1070, K::Button, "Set", true},
    {1059, K::Edit, "PID", true},
    {1071, K::Button, "Set", true},
    {1060, K::Edit, "Rev.", true},
    {1068, K::Button, "Set", true},
    {1090, K::Static, "", false},
    {1067, K::Button, "Get", false},
    {1069, K::Edit, "", false},
    {1072, K::Button, "Set", false},
    {1091, K::Static, "", false},
    {1079, K::Button, "Get", false},
    {1082, K::Edit, "", false},
    {1137, K::Edit, "", false},
    {1083, K::Button, "Set", false},
    {1136, K::List, "Repair site ", false},
    {1047, K::Group, "MAC Address", true},
    {1055, K::Button, "Get", true},
    {1046, K::Edit, "", true},
    {1048, K::Edit, "", true},
    {1049, K::Edit, "", true},
    {1050, K::Edit, "", true},
    {1051, K::Edit, "", true},
    {1052, K::Edit, "", true},
    {1053, K::Edit, "", true},
    {1054, K::Edit, "", true},
    {1056, K::Button, "Set", true},
    {1143, K::Edit, "", false},
    {1144, K::Edit, "", false},
    {1145, K::Static, "Previous ID :", false},
    {1146, K::Static, "PRE-previous ID :", false},
};

const ControlDef& entryOf(const std::vector<ControlDef>& table, int id) {
    auto it =
        std::find_if(table.begin(), table.end(), [&](const ControlDef& s) { return s.id == id; });
    if (it == table.end()) throw std::out_of_range("no control " + std::to_string(id));
    return *it;
}

TEST(MainDialogTable, HoldsEveryControlWithItsKindTextAndInitialVisibility) {
    const std::vector<ControlDef> table = mainDialogTable();
    std::set<int> expectedIds;
    for (const Expected& e : kControls) {
        expectedIds.insert(e.id);
        const ControlDef* it = nullptr;
        ASSERT_NO_THROW(it = &entryOf(table, e.id)) << e.id;
        EXPECT_EQ(it->kind, e.kind) << e.id;
        const bool labelled = e.kind == K::Edit || e.kind == K::List;
        EXPECT_EQ(labelled ? it->label : it->caption, e.text) << e.id;
        EXPECT_EQ(it->visible, e.visible) << e.id;
        EXPECT_TRUE(it->enabled) << e.id;
    }
    // Nothing else a procedure could address.
    for (const ControlDef& s : table) {
        if (s.id > 0) {
            EXPECT_TRUE(expectedIds.count(s.id)) << "unexpected control " << s.id;
        }
    }
    for (int id : {1143, 1144})
        EXPECT_TRUE(entryOf(table, id).readOnly) << id;
    for (int id : idc::kMac)
        EXPECT_EQ(entryOf(table, id).maxChars, 2) << id;
    // The repair-service serial number: a read-only 24-character prefix and six digits.
    EXPECT_EQ(entryOf(table, 1082).maxChars, 24);
    EXPECT_TRUE(entryOf(table, 1082).readOnly);
    EXPECT_EQ(entryOf(table, 1137).maxChars, 6);
}

TEST(MainDialogTable, ListsHoldTheirItems) {
    const std::vector<ControlDef> table = mainDialogTable();
    auto items = [&](int id) { return entryOf(table, id).items; };
    struct Case {
        std::vector<int> ids;
        size_t count;
        std::vector<std::pair<size_t, const char*>> samples;
    };
    const Case cases[] = {
        {{1010, 1008, 1039, 1040, 1020, 1021},
         33,
         {{0, " -16"}, {7, " - 9"}, {15, " - 1"}, {16, "  0"}, {25, " + 9"}, {32, " +16"}}},
        {{1011, 1026}, 11, {{0, " - 5"}, {5, "  0"}, {10, " + 5"}}},
        {{1024}, 61, {{0, " -30"}, {20, " -10"}, {30, "  0"}, {60, " +30"}}},
        {{1038},
         7,
         {{0, "LCD 1"},
          {1, "LCD 2"},
          {2, "LCD 3"},
          {3, "LCD 4"},
          {4, "LCD 5"},
          {5, "LCD 6"},
          {6, "LCD 7"}}},
        {{1017}, 13, {{0, "DEFAULT"}, {2, "ENGLISH"}, {9, "CHINESE(SIMPL)"}, {12, "RUSSIAN"}}},
        {{1025}, 2, {{0, "NTSC"}, {1, "PAL"}}},
        {{1027}, 14, {{0, "ALL"}, {4, "PXO--/BXO--"}, {12, "THO--"}, {13, "Direct setting"}}},
        {{1030}, 2, {{0, "2 Languages"}, {1, "20 Languages"}}},
        {{1136}, 25, {{0, "SAPPORO"}, {15, "ITALY"}, {23, "CHINA"}, {24, "OTHERS"}}},
    };
    for (const Case& c : cases) {
        for (int id : c.ids) {
            const auto list = items(id);
            ASSERT_EQ(list.size(), c.count) << id;
            for (auto [index, text] : c.samples)
                EXPECT_EQ(list[index], text) << id << " item " << index;
        }
    }
    EXPECT_EQ(items(1012),
              (std::vector<std::string>{"White",     "Gray",        "Black",        "Red",
                                        "Green",     "Blue",        "Monitor",      "Off",
                                        "Play",      "PlayMulti9",  "PlayNext",     "PlayRev",
                                        "Adj. Data", "Cam Info",    "CCD Defect",   "CCD Black",
                                        "EIS Adj",   "EIS Check",   "Set Apply",    "Set Default",
                                        "AF LED",    "All Version", "Tracking Adj", "Y Shading Adj",
                                        "Zoom Cal.", "Shading Rst."}));
    EXPECT_EQ(items(1012)[kTestOff], "Off");
    const ControlDef& progress = entryOf(table, 1022);
    EXPECT_EQ(progress.rangeLow, 0);
    EXPECT_EQ(progress.rangeHigh, 100);
}

}  // namespace
}  // namespace orvia
