#include "console/dialog_registry.h"

#include "console/main_dialog.h"
#include "console/result_dialog.h"
#include "dialogs/battery_dialogs.h"
#include "dialogs/key_dialog.h"
#include "dialogs/lens_adjust_dialog.h"
#include "dialogs/lens_dialogs.h"
#include "dialogs/maintenance_dialog.h"
#include "dialogs/oel_dialogs.h"
#include "dialogs/paf_cal_dialog.h"
#include "dialogs/video_gain_dialog.h"
#include "dialogs/yc_shading_dialog.h"
#include "service/param_dialog.h"

namespace orvia {

namespace {

template <typename Dialog>
std::unique_ptr<DialogModel> onContext(DialogContext& ctx) {
    return std::make_unique<Dialog>(ctx);
}

}  // namespace

const std::vector<DialogEntry>& dialogRegistry() {
    static const std::vector<DialogEntry> entries = {
        {"MainDialog", onContext<MainDialog>},
        {"ResultDialog",
         [](DialogContext& ctx) -> std::unique_ptr<DialogModel> {
             return std::make_unique<ResultDialog>(ctx.op);
         }},
        {"OelCalDialog", onContext<OelCalDialog>},
        {"OelAclDialog", onContext<OelAclDialog>},
        {"HallCalDialog", onContext<HallCalDialog>},
        {"LensDataDialog",
         [](DialogContext& ctx) -> std::unique_ptr<DialogModel> {
             return std::make_unique<LensDataDialog>(ctx, kLensPair);
         }},
        {"KeystoneDialog", onContext<KeystoneDialog>},
        {"MaintenanceDialog", onContext<MaintenanceDialog>},
        {"PafCalDialog",
         [](DialogContext& ctx) -> std::unique_ptr<DialogModel> {
             return std::make_unique<PafCalDialog>(ctx, false);
         }},
        {"ParamDialog",
         [](DialogContext& ctx) -> std::unique_ptr<DialogModel> {
             return std::make_unique<ParamDialog>(ctx.op);
         }},
        {"VideoGainDialog",
         [](DialogContext& ctx) -> std::unique_ptr<DialogModel> {
             return std::make_unique<VideoGainDialog>(ctx, false);
         }},
        {"YcShadingDialog", onContext<YcShadingDialog>},
        {"BatteryInfoDialog", onContext<BatteryInfoDialog>},
        {"BatteryTypeDialog", onContext<BatteryTypeDialog>},
        {"KeyDialog", onContext<KeyDialog>},
        {"LensAdjustDialogA",
         [](DialogContext& ctx) -> std::unique_ptr<DialogModel> {
             return std::make_unique<LensAdjustDialog>(ctx, LensLayout::A);
         }},
        {"LensAdjustDialogB",
         [](DialogContext& ctx) -> std::unique_ptr<DialogModel> {
             return std::make_unique<LensAdjustDialog>(ctx, LensLayout::B);
         }},
    };
    return entries;
}

}  // namespace orvia
