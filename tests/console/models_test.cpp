// The model tables as configuration data, and the dialog model's data exchange.
#include <gtest/gtest.h>

#include <map>

#include "console/dialog_model.h"
#include "console/model_tables.h"

namespace orvia {
namespace {

TEST(ModelTables, HaveTheirFixedSizes) {
    const std::map<std::string_view, size_t> sizes = {
        {"LangKind1Models", 6},        {"LcdType2Models", 17},
        {"LcdType3Models", 18},        {"LcdType4Models", 3},
        {"LcdType5Models", 23},        {"LcdType6Model", 1},
        {"LcdType15Model", 1},         {"EvfModels", 20},
        {"UsbIdLockedModels", 2},      {"PafModels", 26},
        {"NoBackrushModels", 9},       {"InfinityCalModels", 3},
        {"KeystoneVariantModels", 2},  {"PixelMapModel", 1},
        {"BatteryModels", 6},          {"LensDataModelsA", 10},
        {"LensDataModelsB", 6},        {"MaintenanceModels", 4},
        {"VideoGainModel", 1},         {"HallCalModels", 5},
        {"ShadingAdjFamilies", 3},     {"TestVariantModel", 1},
        {"TemplateChkModels", 4},      {"SensWbModels", 2},
        {"FamilySetupModels", 3},      {"RsaKeyModel", 1},
        {"QrCodeModels", 5},           {"ExtraSetupModel", 1},
        {"AwbSettleModels", 6},        {"FocusSettleModels", 3},
        {"ShadeForcedModel", 1},       {"DoubleShadingModel", 1},
        {"JudgedAwbModels", 3},        {"JudgedFocusModels", 5},
        {"AdjustStatusModels", 2},     {"QuickRestartModels", 8},
        {"SlowRestartModel", 1},       {"Serial14Model", 1},
        {"FocusLockedModel", 1},       {"ServiceInfinityModels", 2},
        {"ClearStatusModels", 2},      {"FactoryFamily1Models", 5},
        {"FactoryFamily2Models", 10},  {"FactoryFamily4Models", 2},
        {"FactoryFamily5Model", 1},    {"LensAdjLayoutBModels", 3},
        {"ExtendedAdjDataModels", 2},  {"FormatOnDefaultModels", 2},
        {"LongShadingResultModel", 1}, {"EvfPanelModels", 4},
        {"CcdBlackPauseModels", 6},
    };
    ASSERT_EQ(models::all().size(), sizes.size());
    for (const ModelTable* t : models::all()) {
        ASSERT_TRUE(sizes.count(t->name)) << t->name;
        EXPECT_EQ(t->size(), sizes.at(t->name)) << t->name;
        for (const ModelEntry& e : t->entries) {
            const size_t want = e.form == Match::Prefix4 ? 4 : e.form == Match::Prefix3 ? 3 : 5;
            // Only the AWB settle and CCD black pause tables give their entries a delay, and they
            // give every entry one.
            EXPECT_EQ(e.delayMs != 0,
                      t == &models::AwbSettleModels || t == &models::CcdBlackPauseModels)
                << t->name << " " << e.text;
            // Exact entries are five characters, plus a trailing space where the camera sends one.
            EXPECT_TRUE(e.text.size() == want ||
                        (e.form == Match::Exact && e.text.size() == 6 && e.text.back() == ' '))
                << t->name << " '" << e.text << "'";
        }
    }
}

TEST(ModelTables, LensAdjustmentLayoutBTypesAreQrCodeTypes) {
    for (const ModelEntry& e : models::LensAdjLayoutBModels.entries)
        EXPECT_TRUE(models::QrCodeModels.matches(e.text)) << e.text;
}

TEST(ModelTables, AwbSettleEntriesWaitHalfAMinuteOrAMinute) {
    std::map<uint32_t, int> delays;
    for (const ModelEntry& e : models::AwbSettleModels.entries)
        ++delays[e.delayMs];
    EXPECT_EQ(delays, (std::map<uint32_t, int>{{30'000, 3}, {60'000, 3}}));
    EXPECT_EQ(models::AwbSettleModels.find("yas21")->delayMs, 60'000u);
    EXPECT_EQ(models::AwbSettleModels.find("YAS2"), nullptr);
}

TEST(ModelTables, CcdBlackPausesInTheirOrderUpToAboutTwoMinutes) {
    std::vector<uint32_t> pauses;
    for (const ModelEntry& e : models::CcdBlackPauseModels.entries)
        pauses.push_back(e.delayMs);
    EXPECT_EQ(pauses, (std::vector<uint32_t>{25'000, 70'000, 90'000, 105'000, 110'000, 60'000}));
}

TEST(ModelTables, MatchByFormIgnoringCase) {
    struct Case {
        const ModelTable* table;
        const char* type;
        bool matches;
    };
    const Case cases[] = {
        {&models::EvfModels, "YEV31 ", true},  // the entry with the trailing space
        {&models::EvfModels, "YEV31", false},         {&models::EvfModels, "yev10", true},
        {&models::EvfModels, "YEV10X", false},  // exact: the whole text
        {&models::UsbIdLockedModels, "YUS50", true},  {&models::UsbIdLockedModels, "YUS50 ", true},
        {&models::PafModels, "YPA37", true},  // prefix-4
        {&models::PafModels, "ypa3", true},           {&models::PafModels, "YPA", false},
        {&models::ShadingAdjFamilies, "YSH99", true},  // prefix-3
        {&models::MaintenanceModels, "YMT30", true},   // the exact entry after the prefixes
        {&models::MaintenanceModels, "YMT31", false}, {&models::HallCalModels, "YHC10", true},
        {&models::HallCalModels, "YHC11", false},     {&models::LensDataModelsA, "YLD40", true},
        {&models::LensDataModelsB, "YLD40", true},    {&models::PafModels, "", false},
        {&models::JudgedAwbModels, "yjb10", true},  // prefix-5: the first five characters
        {&models::JudgedAwbModels, "YJB10 ", true},   {&models::JudgedAwbModels, "YJB1", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.table->matches(c.type), c.matches) << c.table->name << " '" << c.type << "'";
    }
}

// A small dialog with one member of each binding kind.
class Form final : public DialogModel {
  public:
    Form()
        : DialogModel(1, "Form",
                      {ControlDef(10, ControlKind::Edit), ControlDef(11, ControlKind::Edit),
                       ControlDef(12, ControlKind::List), ControlDef(13, ControlKind::CheckBox)}) {
        setItems(12, {"a", "b", "c"});
    }
    std::string name;
    int32_t value = 0;
    int32_t choice = -1;
    int32_t flag = 0;

  protected:
    void exchange(DataExchange& dx) override {
        dx.text(10, name, 5);
        dx.number(11, value, 0, 65535);
        dx.selection(12, choice);
        dx.check(13, flag);
    }
};

TEST(DialogModel, ExchangesMembersOnlyWhenAsked) {
    Form f;
    f.name = "abc";
    f.value = 42;
    f.choice = 2;
    f.flag = 1;
    f.writeBack();
    EXPECT_EQ(f.control(10).text, "abc");
    EXPECT_EQ(f.control(11).text, "42");
    EXPECT_EQ(f.control(12).selection, 2);
    EXPECT_TRUE(f.control(13).checked);

    // A member changed without a write-back is lost at the next read.
    f.choice = 0;
    ASSERT_TRUE(f.readControls());
    EXPECT_EQ(f.choice, 2);

    // A selection outside the items shows none and reads back as -1.
    f.choice = 7;
    f.writeBack();
    ASSERT_TRUE(f.readControls());
    EXPECT_EQ(f.choice, -1);
}

TEST(DialogModel, RejectsInvalidControlValuesOnRead) {
    struct Case {
        const char* name;
        const char* value;
        int failing;
    };
    const Case cases[] = {
        {"abcde", "65535", 0}, {"abcdef", "1", 10}, {"x", "65536", 11},
        {"x", "-1", 11},       {"x", "", 11},       {"x", "12a", 11},
    };
    for (const Case& c : cases) {
        Form f;
        f.viewState(10).text = c.name;
        f.viewState(11).text = c.value;
        EXPECT_EQ(f.readControls(), c.failing == 0) << c.name << " " << c.value;
        EXPECT_EQ(f.lastExchangeFailure(), c.failing);
    }
}

TEST(DialogModel, CancelEndsTheDialogUnlessAHandlerTakesIt) {
    Form f;
    EXPECT_TRUE(f.command(kIdCancel));
    EXPECT_TRUE(f.ended());
    EXPECT_EQ(f.endCode(), kIdCancel);

    Form g;
    int taken = 0;
    g.setHandler(kIdCancel, [&] { ++taken; });
    g.command(kIdCancel);
    EXPECT_FALSE(g.ended());
    EXPECT_EQ(taken, 1);
    EXPECT_FALSE(g.command(999));
}

}  // namespace
}  // namespace orvia
