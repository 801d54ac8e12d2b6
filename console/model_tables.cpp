// The members of the model tables. Camera type texts are five characters; prefix entries are
// their first four or three. Order matters where the comment says so.
#include "console/model_tables.h"

#include <algorithm>
#include <cctype>

namespace orvia {

namespace {

bool equalNoCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

constexpr Match E = Match::Exact;
constexpr Match P5 = Match::Prefix5;
constexpr Match P4 = Match::Prefix4;
constexpr Match P3 = Match::Prefix3;

// ---- Start-up ------------------------------------------------------------------------------

constexpr ModelEntry kLangKind1[] = {
    {E, "YRB20"}, {E, "YRB21"}, {E, "YRB30"}, {E, "YTC10"}, {E, "YTC11"}, {E, "YTC12"},
};

// "YRA12" stands twice; "YKS40" also stands in the class-5 table, where it is never reached.
constexpr ModelEntry kLcdType2[] = {
    {E, "YRA10"}, {E, "YRA11"}, {E, "YRA12"}, {E, "YRA15"}, {E, "YRA16"}, {E, "YRA20"},
    {E, "YRA21"}, {E, "YRA22"}, {E, "YRA25"}, {E, "YRB10"}, {E, "YRB11"}, {E, "YRA12"},
    {E, "YRB12"}, {E, "YRB15"}, {E, "YRB16"}, {E, "YRB17"}, {E, "YKS40"},
};

constexpr ModelEntry kLcdType3[] = {
    {E, "YTC20"}, {E, "YTC21"}, {E, "YTC22"}, {E, "YTC23"}, {E, "YTC24"}, {E, "YTC25"},
    {E, "YTC26"}, {E, "YTC27"}, {E, "YTC28"}, {E, "YTC29"}, {E, "YTD10"}, {E, "YTD11"},
    {E, "YTD12"}, {E, "YTD13"}, {E, "YTD14"}, {E, "YTD15"}, {E, "YTD16"}, {E, "YTD17"},
};

constexpr ModelEntry kLcdType4[] = {{E, "YEV30"}, {E, "YEV31"}, {E, "YEV32"}};

constexpr ModelEntry kLcdType5[] = {
    {E, "YKS10"}, {E, "YKS11"}, {E, "YKS12"}, {E, "YKS13"}, {E, "YKS14"}, {E, "YKS15"},
    {E, "YKS16"}, {E, "YKS17"}, {E, "YKS18"}, {E, "YKS19"}, {E, "YKS20"}, {E, "YKS21"},
    {E, "YKS22"}, {E, "YKS23"}, {E, "YKS24"}, {E, "YKS25"}, {E, "YKS26"}, {E, "YKS27"},
    {E, "YKS28"}, {E, "YKS29"}, {E, "YKS30"}, {E, "YKS31"}, {E, "YKS40"},
};

constexpr ModelEntry kLcdType6[] = {{E, "YOL10"}};
constexpr ModelEntry kLcdType15[] = {{E, "YOL20"}};

// ---- Main dialog ---------------------------------------------------------------------------

// "YEV31 " carries a trailing space, as that camera reports it.
constexpr ModelEntry kEvf[] = {
    {E, "YEV10"}, {E, "YEV11"}, {E, "YEV12"}, {E, "YEV13"}, {E, "YEV14"},
    {E, "YEV15"}, {E, "YEV16"}, {E, "YEV17"}, {E, "YEV18"}, {E, "YEV19"},
    {E, "YEV20"}, {E, "YEV21"}, {E, "YEV22"}, {E, "YEV23"}, {E, "YEV24"},
    {E, "YEV25"}, {E, "YEV26"}, {E, "YEV27"}, {E, "YEV30"}, {E, "YEV31 "},
};

// One type, reported with and without a trailing space by different firmware.
constexpr ModelEntry kUsbIdLocked[] = {{E, "YUS50"}, {E, "YUS50 "}};

constexpr ModelEntry kPaf[] = {
    {P4, "YPA1"}, {P4, "YPA2"}, {P4, "YPA3"}, {P4, "YPA4"}, {P4, "YPA5"}, {P4, "YPA6"},
    {P4, "YPA7"}, {P4, "YPA8"}, {P4, "YPA9"}, {P4, "YPB1"}, {P4, "YPB2"}, {P4, "YPB3"},
    {P4, "YPB4"}, {P4, "YPB5"}, {P4, "YPB6"}, {P4, "YPB7"}, {P4, "YPB8"}, {P4, "YPB9"},
    {P4, "YPC1"}, {P4, "YPC2"}, {P4, "YPC3"}, {P4, "YPC4"}, {P4, "YPC5"}, {P4, "YPC6"},
    {P4, "YPC7"}, {P4, "YPC8"},
};

constexpr ModelEntry kNoBackrush[] = {
    {P4, "YRA1"}, {P4, "YRA2"}, {P4, "YRB1"}, {P4, "YRB2"}, {P4, "YRB3"},
    {P4, "YTC1"}, {P4, "YTC2"}, {P4, "YTD1"}, {P4, "YUS5"},
};

// Types without the backrush controls that still offer "Infinity Cal.".
constexpr ModelEntry kInfinityCal[] = {{E, "YRA25"}, {E, "YRB30"}, {E, "YTD17"}};

constexpr ModelEntry kKeystoneVariant[] = {{E, "YKS30"}, {E, "YKS31"}};
constexpr ModelEntry kPixelMap[] = {{E, "YPX10"}};

constexpr ModelEntry kBattery[] = {
    {P4, "YBT1"}, {P4, "YBT2"}, {P4, "YBT3"}, {P4, "YPA5"}, {P4, "YPB5"}, {P4, "YLD5"},
};

// Exact entries first, then prefixes. "YLD40" is also covered by "YLD4" of table B; table A is
// tried first, so it gets kind 1.
constexpr ModelEntry kLensDataA[] = {
    {E, "YLD10"}, {E, "YLD11"}, {E, "YLD40"}, {E, "YPC20"}, {P4, "YLD2"},
    {P4, "YLD3"}, {P4, "YPA6"}, {P4, "YPA7"}, {P4, "YPB6"}, {P4, "YPB7"},
};

constexpr ModelEntry kLensDataB[] = {
    {P4, "YLD4"}, {P4, "YLD5"}, {P4, "YLD6"}, {P4, "YPC3"}, {P4, "YPC4"}, {P4, "YPC5"},
};

// Prefixes first, then one exact type.
constexpr ModelEntry kMaintenance[] = {{P4, "YMT1"}, {P4, "YMT2"}, {P4, "YHC2"}, {E, "YMT30"}};

constexpr ModelEntry kVideoGain[] = {{E, "YVG10"}};

// One exact type, then prefixes.
constexpr ModelEntry kHallCal[] = {
    {E, "YHC10"}, {P4, "YHC2"}, {P4, "YHC3"}, {P4, "YPC6"}, {P4, "YPC7"},
};

constexpr ModelEntry kShadingAdj[] = {{P3, "YSH"}, {P3, "YPC"}, {P3, "YLD"}};
constexpr ModelEntry kTestVariant[] = {{E, "YTV10"}};
constexpr ModelEntry kTemplateChk[] = {{P4, "YTP1"}, {P4, "YTP2"}, {P4, "YPB8"}, {P4, "YPB9"}};
constexpr ModelEntry kSensWb[] = {{P4, "YSW1"}, {P4, "YSW2"}};
constexpr ModelEntry kFamilySetup[] = {{P4, "YFS1"}, {P4, "YFS2"}, {P4, "YFS3"}};
constexpr ModelEntry kRsaKey[] = {{E, "YRK10"}};
constexpr ModelEntry kQrCode[] = {
    {E, "YQR10"}, {E, "YQR11"}, {E, "YQR12"}, {E, "YQR20"}, {E, "YQR21"},
};
constexpr ModelEntry kExtraSetup[] = {{E, "YXS10"}};

// ---- Calibrations --------------------------------------------------------------------------

// Types whose AWB program needs time before the camera answers readiness polls at all.
constexpr ModelEntry kAwbSettle[] = {
    {E, "YAS10", 30'000}, {E, "YAS11", 30'000}, {E, "YAS12", 30'000},
    {E, "YAS20", 60'000}, {E, "YAS21", 60'000}, {E, "YAS22", 60'000},
};

// Likewise for the focus program; each waits 30 s.
constexpr ModelEntry kFocusSettle[] = {{E, "YFO10"}, {E, "YFO11"}, {E, "YFO12"}};

// Reports no usable shade status but is always shaded with the first program.
constexpr ModelEntry kShadeForced[] = {{E, "YSF10"}};
// Runs both shading programs whatever its shade status.
constexpr ModelEntry kDoubleShading[] = {{E, "YDS10"}};

// Types whose result texts the judgement library judges.
constexpr ModelEntry kJudgedAwb[] = {{P4, "YJA1"}, {P4, "YHC2"}, {P5, "YJB10"}};
constexpr ModelEntry kJudgedFocus[] = {
    {P4, "YJF1"}, {P4, "YJA1"}, {P5, "YJB10"}, {P4, "YHC2"}, {P4, "YPC6"},
};
// ---- Camera initialisation -----------------------------------------------------------------

// Repair-site models whose settings-only initialisation also writes the adjust status.
constexpr ModelEntry kAdjustStatus[] = {{E, "YFS15"}, {E, "YFS25"}};
// ---- Production lens adjustment ----------------------------------------------------------

// Members of QrCodeModels whose lens adjustment record has layout B.
constexpr ModelEntry kLensAdjLayoutB[] = {{E, "YQR12"}, {E, "YQR20"}, {E, "YQR21"}};
// ---- Firmware upload -----------------------------------------------------------------------

constexpr ModelEntry kQuickRestart[] = {
    {E, "YQS10"}, {E, "YQS11"}, {E, "YQS12"}, {E, "YQS20"},
    {E, "YQS21"}, {E, "YQS22"}, {E, "YQS30"}, {E, "YQS31"},
};
constexpr ModelEntry kSlowRestart[] = {{E, "YSR10"}};

// ---- Identity and region settings ----------------------------------------------------------

constexpr ModelEntry kSerial14[] = {{E, "YSN14"}};
constexpr ModelEntry kFocusLocked[] = {{E, "YFS12"}};
constexpr ModelEntry kServiceInfinity[] = {{E, "YFS11"}, {E, "YFS21"}};
constexpr ModelEntry kClearStatus[] = {{E, "YFS10"}, {E, "YFS20"}};

// The factory code families. "TAKR" covers the cameras that identify as "TAKRO Digital Camera";
// the family-4 prefixes are also family-2 prefixes and are tested first.
constexpr ModelEntry kFactoryFamily1[] = {
    {E, "YTK10"}, {P4, "TAKR"}, {P4, "YTK2"}, {P4, "YTK3"}, {P4, "YTK4"},
};
constexpr ModelEntry kFactoryFamily2[] = {
    {P4, "YDV1"}, {P4, "YDV2"}, {P4, "YDV3"}, {P4, "YDV4"}, {P4, "YDV5"},
    {P4, "YDV6"}, {P4, "YHC2"}, {P4, "YHC3"}, {P4, "YAS1"}, {P4, "YAS2"},
};
constexpr ModelEntry kFactoryFamily4[] = {{P4, "YAS1"}, {P4, "YAS2"}};
constexpr ModelEntry kFactoryFamily5[] = {{P4, "YPL1"}};

constexpr models::SerialPrefixRow kSerialPrefixes[] = {
    {"YFS10", "575331303031"}, {"YFS11", "575331303032"}, {"YFS12", "575331303033"},
    {"YFS13", "575331303034"}, {"YFS20", "575332303031"}, {"YFS21", "575332303032"},
    {"YFS22", "575332303033"}, {"YFS30", "575333303031"}, {"YFS31", "575333303032"},
    {"YFS32", "575333303033"}, {"YFS33", "575333303034"}, {"YFS34", "575333303035"},
};

// ---- Service tests ---------------------------------------------------------------------------

// "Adj. Data" in the extended layout (gains 2 and 3, PLNG and zoom).
constexpr ModelEntry kExtendedAdjData[] = {{E, "YAD10"}, {E, "YAD11"}};
// "Set Default" also formats the memory card.
constexpr ModelEntry kFormatOnDefault[] = {{E, "YFD10"}, {E, "YFD11"}};
// "Shading Adj" reads the long result.
constexpr ModelEntry kLongShadingResult[] = {{E, "YLS10"}};
// Viewfinder panel handled as LCD type 1.
constexpr ModelEntry kEvfPanel[] = {{E, "YEP10"}, {E, "YEP11"}, {E, "YEP12"}, {E, "YEP20"}};
// The pause before the CCD black wait, by type.
constexpr ModelEntry kCcdBlackPause[] = {
    {E, "YCB10", 25'000},  {E, "YCB11", 70'000},  {E, "YCB12", 90'000},
    {E, "YCB13", 105'000}, {E, "YCB14", 110'000}, {E, "YCB15", 60'000},
};

}  // namespace

std::string_view typePrefix4(std::string_view t) {
    return t.substr(0, std::min<size_t>(4, t.size()));
}
std::string_view typePrefix3(std::string_view t) {
    return t.substr(0, std::min<size_t>(3, t.size()));
}

namespace {

std::string_view comparedText(Match form, std::string_view t) {
    switch (form) {
        case Match::Prefix5:
            return t.substr(0, std::min<size_t>(5, t.size()));
        case Match::Prefix4:
            return typePrefix4(t);
        case Match::Prefix3:
            return typePrefix3(t);
        case Match::Exact:
            break;
    }
    return t;
}

}  // namespace

const ModelEntry* ModelTable::find(std::string_view cameraType) const {
    for (const ModelEntry& e : entries) {
        if (equalNoCase(comparedText(e.form, cameraType), e.text)) return &e;
    }
    return nullptr;
}

bool ModelTable::matches(std::string_view cameraType) const {
    return find(cameraType) != nullptr;
}

namespace models {

const ModelTable LangKind1Models{"LangKind1Models", kLangKind1};
const ModelTable LcdType2Models{"LcdType2Models", kLcdType2};
const ModelTable LcdType3Models{"LcdType3Models", kLcdType3};
const ModelTable LcdType4Models{"LcdType4Models", kLcdType4};
const ModelTable LcdType5Models{"LcdType5Models", kLcdType5};
const ModelTable LcdType6Model{"LcdType6Model", kLcdType6};
const ModelTable LcdType15Model{"LcdType15Model", kLcdType15};
const ModelTable EvfModels{"EvfModels", kEvf};
const ModelTable UsbIdLockedModels{"UsbIdLockedModels", kUsbIdLocked};
const ModelTable PafModels{"PafModels", kPaf};
const ModelTable NoBackrushModels{"NoBackrushModels", kNoBackrush};
const ModelTable InfinityCalModels{"InfinityCalModels", kInfinityCal};
const ModelTable KeystoneVariantModels{"KeystoneVariantModels", kKeystoneVariant};
const ModelTable PixelMapModel{"PixelMapModel", kPixelMap};
const ModelTable BatteryModels{"BatteryModels", kBattery};
const ModelTable LensDataModelsA{"LensDataModelsA", kLensDataA};
const ModelTable LensDataModelsB{"LensDataModelsB", kLensDataB};
const ModelTable MaintenanceModels{"MaintenanceModels", kMaintenance};
const ModelTable VideoGainModel{"VideoGainModel", kVideoGain};
const ModelTable HallCalModels{"HallCalModels", kHallCal};
const ModelTable ShadingAdjFamilies{"ShadingAdjFamilies", kShadingAdj};
const ModelTable TestVariantModel{"TestVariantModel", kTestVariant};
const ModelTable TemplateChkModels{"TemplateChkModels", kTemplateChk};
const ModelTable SensWbModels{"SensWbModels", kSensWb};
const ModelTable FamilySetupModels{"FamilySetupModels", kFamilySetup};
const ModelTable RsaKeyModel{"RsaKeyModel", kRsaKey};
const ModelTable QrCodeModels{"QrCodeModels", kQrCode};
const ModelTable ExtraSetupModel{"ExtraSetupModel", kExtraSetup};
const ModelTable AwbSettleModels{"AwbSettleModels", kAwbSettle};
const ModelTable FocusSettleModels{"FocusSettleModels", kFocusSettle};
const ModelTable ShadeForcedModel{"ShadeForcedModel", kShadeForced};
const ModelTable DoubleShadingModel{"DoubleShadingModel", kDoubleShading};
const ModelTable JudgedAwbModels{"JudgedAwbModels", kJudgedAwb};
const ModelTable JudgedFocusModels{"JudgedFocusModels", kJudgedFocus};
const ModelTable AdjustStatusModels{"AdjustStatusModels", kAdjustStatus};
const ModelTable LensAdjLayoutBModels{"LensAdjLayoutBModels", kLensAdjLayoutB};
const ModelTable QuickRestartModels{"QuickRestartModels", kQuickRestart};
const ModelTable SlowRestartModel{"SlowRestartModel", kSlowRestart};
const ModelTable Serial14Model{"Serial14Model", kSerial14};
const ModelTable FocusLockedModel{"FocusLockedModel", kFocusLocked};
const ModelTable ServiceInfinityModels{"ServiceInfinityModels", kServiceInfinity};
const ModelTable ClearStatusModels{"ClearStatusModels", kClearStatus};
const ModelTable FactoryFamily1Models{"FactoryFamily1Models", kFactoryFamily1};
const ModelTable FactoryFamily2Models{"FactoryFamily2Models", kFactoryFamily2};
const ModelTable FactoryFamily4Models{"FactoryFamily4Models", kFactoryFamily4};
const ModelTable FactoryFamily5Model{"FactoryFamily5Model", kFactoryFamily5};

std::span<const SerialPrefixRow> SerialPrefixModels() {
    return kSerialPrefixes;
}
const ModelTable ExtendedAdjDataModels{"ExtendedAdjDataModels", kExtendedAdjData};
const ModelTable FormatOnDefaultModels{"FormatOnDefaultModels", kFormatOnDefault};
const ModelTable LongShadingResultModel{"LongShadingResultModel", kLongShadingResult};
const ModelTable EvfPanelModels{"EvfPanelModels", kEvfPanel};
const ModelTable CcdBlackPauseModels{"CcdBlackPauseModels", kCcdBlackPause};

std::span<const ModelTable* const> all() {
    static const ModelTable* const tables[] = {
        &LangKind1Models,        &LcdType2Models,
        &LcdType3Models,         &LcdType4Models,
        &LcdType5Models,         &LcdType6Model,
        &LcdType15Model,         &EvfModels,
        &UsbIdLockedModels,      &PafModels,
        &NoBackrushModels,       &InfinityCalModels,
        &KeystoneVariantModels,  &PixelMapModel,
        &BatteryModels,          &LensDataModelsA,
        &LensDataModelsB,        &MaintenanceModels,
        &VideoGainModel,         &HallCalModels,
        &ShadingAdjFamilies,     &TestVariantModel,
        &TemplateChkModels,      &SensWbModels,
        &FamilySetupModels,      &RsaKeyModel,
        &QrCodeModels,           &ExtraSetupModel,
        &AwbSettleModels,        &FocusSettleModels,
        &ShadeForcedModel,       &DoubleShadingModel,
        &JudgedAwbModels,        &JudgedFocusModels,
        &AdjustStatusModels,     &QuickRestartModels,
        &SlowRestartModel,       &Serial14Model,
        &FocusLockedModel,       &ServiceInfinityModels,
        &ClearStatusModels,      &FactoryFamily1Models,
        &FactoryFamily2Models,   &FactoryFamily4Models,
        &FactoryFamily5Model,    &LensAdjLayoutBModels,
        &ExtendedAdjDataModels,  &FormatOnDefaultModels,
        &LongShadingResultModel, &EvfPanelModels,
        &CcdBlackPauseModels,
    };
    return tables;
}

}  // namespace models
}  // namespace orvia
