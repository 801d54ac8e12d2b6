// Model tables: which camera types get which panel handling, controls and Test items.
//
// The program never asks a camera what it can do; it decides from the camera type text. Each
// table is an ordered list of entries, each matched against the type text whole (Exact) or
// against its first five, four or three characters (Prefix5, Prefix4, Prefix3); every comparison
// ignores letter case and the first matching entry wins. The members live in model_tables.cpp.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace orvia {

enum class Match { Exact, Prefix5, Prefix4, Prefix3 };

struct ModelEntry {
    Match form;
    std::string_view text;
    // For tables whose entries carry a delay: how long to wait for that type, in milliseconds.
    uint32_t delayMs = 0;
};

struct ModelTable {
    std::string_view name;
    std::span<const ModelEntry> entries;

    size_t size() const { return entries.size(); }
    // True when any entry matches `cameraType` (the type text as the camera reported it).
    bool matches(std::string_view cameraType) const;
    // The first entry that matches `cameraType`, or null.
    const ModelEntry* find(std::string_view cameraType) const;
};

// The first four / three characters of a type text (fewer when it is shorter).
std::string_view typePrefix4(std::string_view cameraType);
std::string_view typePrefix3(std::string_view cameraType);

namespace models {

// Start-up: language query kind and the model class.
extern const ModelTable LangKind1Models;
extern const ModelTable LcdType2Models;
extern const ModelTable LcdType3Models;
extern const ModelTable LcdType4Models;
extern const ModelTable LcdType5Models;
extern const ModelTable LcdType6Model;
extern const ModelTable LcdType15Model;

// Main dialog: controls, Test items and capability flags.
extern const ModelTable EvfModels;
extern const ModelTable UsbIdLockedModels;
extern const ModelTable PafModels;
extern const ModelTable NoBackrushModels;
extern const ModelTable InfinityCalModels;
extern const ModelTable KeystoneVariantModels;
extern const ModelTable PixelMapModel;
extern const ModelTable BatteryModels;
extern const ModelTable LensDataModelsA;
extern const ModelTable LensDataModelsB;
extern const ModelTable MaintenanceModels;
extern const ModelTable VideoGainModel;
extern const ModelTable HallCalModels;
extern const ModelTable ShadingAdjFamilies;
extern const ModelTable TestVariantModel;
extern const ModelTable TemplateChkModels;
extern const ModelTable SensWbModels;
extern const ModelTable FamilySetupModels;
extern const ModelTable RsaKeyModel;
extern const ModelTable QrCodeModels;
extern const ModelTable ExtraSetupModel;

// Calibrations: settle times, shading and judgement.
extern const ModelTable AwbSettleModels;  // entries carry their delay
extern const ModelTable FocusSettleModels;
extern const ModelTable ShadeForcedModel;
extern const ModelTable DoubleShadingModel;
extern const ModelTable JudgedAwbModels;
extern const ModelTable JudgedFocusModels;
// Camera initialisation.
extern const ModelTable AdjustStatusModels;
// Production lens adjustment: the types whose record has layout B (all others: layout A).
extern const ModelTable LensAdjLayoutBModels;
// Firmware upload: how the camera restarts after a firmware write.
extern const ModelTable QuickRestartModels;
extern const ModelTable SlowRestartModel;
// Identity and region settings.
extern const ModelTable Serial14Model;
extern const ModelTable FocusLockedModel;
extern const ModelTable ServiceInfinityModels;
extern const ModelTable ClearStatusModels;
extern const ModelTable FactoryFamily1Models;
extern const ModelTable FactoryFamily2Models;
extern const ModelTable FactoryFamily4Models;
extern const ModelTable FactoryFamily5Model;

// A camera type (exact form) and the 12 hexadecimal digits that spell its 6-character product
// code, the start of its repair-service serial number.
struct SerialPrefixRow {
    std::string_view type;
    std::string_view prefix;
};
// Rows in order; the first row matching the camera type gives the prefix.
std::span<const SerialPrefixRow> SerialPrefixModels();
// The default product code's 12 digits, for types in no row.
inline constexpr char kDefaultProductPrefix[] = "575344433030";
// Service tests and display controls.
extern const ModelTable ExtendedAdjDataModels;
extern const ModelTable FormatOnDefaultModels;
extern const ModelTable LongShadingResultModel;
extern const ModelTable EvfPanelModels;
extern const ModelTable CcdBlackPauseModels;  // entries carry their pause

// Every table above, for listing and checking.
std::span<const ModelTable* const> all();

}  // namespace models
}  // namespace orvia
