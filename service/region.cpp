#include "service/region.h"

#include "console/app_state.h"
#include "console/camera.h"
#include "console/diag_run.h"
#include "console/diags.h"
#include "console/main_dialog.h"
#include "console/model_tables.h"
#include "console/operator.h"
#include "console/reporting.h"
#include "console/texts.h"
#include "service/param_dialog.h"

namespace orvia {

namespace {

// Factory code lists by family; every list ends with "Direct setting".
const std::vector<std::string>& family1Codes() {
    static const std::vector<std::string> items = {
        "FC_TAKRO_ALL", "FC_TAKRO_J",  "FC_TAKRO_U",   "FC_TAKRO_EX",
        "FC_TAKRO_E",   "FC_TAKRO_GX", text::kTakroUf, text::kDirectSetting,
    };
    return items;
}
const std::vector<std::string>& family2Codes() {
    static const std::vector<std::string> items = {
        "DOVRA_ALL", "J-DV-",       "U-DV-", "EXDV-/E-DV-",        "PXDV-",
        "A-DV-",     "HKDV-/C-DV-", "K-DV-", text::kDirectSetting,
    };
    return items;
}
const std::vector<std::string>& family3Codes() {
    static const std::vector<std::string> items = {
        "WESTRAND_ALL", "J-WS-", "U-WS-/CAWS-",        "EXWS-/E-WS-/EEWS-",
        "TAWS-",        "C-WS-", text::kDirectSetting,
    };
    return items;
}
const std::vector<std::string>& family5Codes() {
    static const std::vector<std::string> items = {"EXPL-", "KRPL-", text::kDirectSetting};
    return items;
}
const std::vector<std::string>& family4LangSets() {
    static const std::vector<std::string> items = {"ASIA", "EXCASIA"};
    return items;
}

// Family 1: the entries before "FC_TAKRO_UF", and the codes above 16 that select it.
constexpr size_t kFamily1Plain = 6;
constexpr int32_t kFamily1UfPosition = 6;
constexpr int32_t kFamily1UfCode = 18;
constexpr int32_t kFamily1HighestPlainCode = 16;
// Family 5: "EXPL-" and "KRPL-" by code.
constexpr int32_t kFamily5ExplCode = 3;
constexpr int32_t kFamily5KrplCode = 7;
constexpr int32_t kFamily5KrplPosition = 1;

// Language counts: kind 1 sends position + 1; kind 2 sends "NC" and the count.
constexpr int32_t kLangCount2 = 0x4E430002;
constexpr int32_t kLangCount20 = 0x4E430014;
constexpr int32_t kLangKind1Count2 = 1;
constexpr int32_t kLangKind1Count20 = 2;

// The list position of a factory code the camera reports.
int32_t positionOfCode(int family, int32_t code) {
    if (family == 1 && code == kFamily1UfCode) return kFamily1UfPosition;
    if (family == 5) return code == kFamily5KrplCode ? kFamily5KrplPosition : 0;
    return code;
}

}  // namespace

const std::vector<std::string>& languageItems() {
    static const std::vector<std::string> items = {
        "DEFAULT", "OFF",        "ENGLISH",        "FRENCH",        "GERMAN", "ITALIAN", "JAPANESE",
        "SPANISH", "PORTUGUESE", "CHINESE(SIMPL)", "CHINESE(TRAD)", "KOREAN", "RUSSIAN",
    };
    return items;
}

const std::vector<std::string>& videoModeItems() {
    static const std::vector<std::string> items = {"NTSC", "PAL"};
    return items;
}

const std::vector<std::string>& templateFactoryCodes() {
    static const std::vector<std::string> items = {
        "ALL",   "J-O--", "U-O--", "EXO--", "PXO--/BXO--", "GXO--", "C-O--/CXO--",
        "KRO--", "A-O--", "T-O--", "HKO--", "S-O--",       "THO--", text::kDirectSetting,
    };
    return items;
}

const std::vector<std::string>& langNumberItems() {
    static const std::vector<std::string> items = {"2 Languages", "20 Languages"};
    return items;
}

void fillRegionLists(DialogContext& ctx, MainDialog& d) {
    AppState& state = ctx.state;
    const std::string& type = state.cameraType;
    int32_t& family = state.caps.factoryCodeFamily;
    int32_t selection = ctx.camera.get_factory_code();

    if (models::FactoryFamily1Models.matches(type)) {
        if (selection < 0) selection = 0;
        family = 1;
        std::vector<std::string> items(family1Codes().begin(),
                                       family1Codes().begin() + kFamily1Plain);
        if (selection > kFamily1HighestPlainCode) selection = kFamily1UfPosition;
        items.insert(items.end(), family1Codes().begin() + kFamily1Plain, family1Codes().end());
        d.setItems(idc::kFactoryCode, std::move(items));
    } else if (models::FactoryFamily2Models.matches(typePrefix4(type))) {
        if (selection < 0) selection = 0;
        d.setItems(idc::kFactoryCode, {});
        if (models::FactoryFamily4Models.matches(typePrefix4(type))) {
            family = 4;
            d.setItems(idc::kLangNumber, family4LangSets());
        } else {
            family = 2;
            d.setItems(idc::kFactoryCode, family2Codes());
        }
        d.setVisible(idc::kLangNumber, true);
        d.langNumber = -1;
        if (state.languageQueryKind == 2) {
            const int32_t v = ctx.camera.get_number_of_lang2();
            d.langNumber = v == kLangCount20 ? 1 : v == kLangCount2 ? 0 : -1;
        } else if (state.languageQueryKind == 1) {
            const int32_t v = ctx.camera.get_number_of_lang();
            d.langNumber = v == kLangKind1Count20 ? 1 : v == kLangKind1Count2 ? 0 : -1;
        }
    } else if (models::FamilySetupModels.matches(typePrefix4(type))) {
        if (selection < 0) selection = 0;
        family = 3;
        d.setItems(idc::kFactoryCode, family3Codes());
    } else if (!models::FactoryFamily5Model.matches(typePrefix4(type))) {
        if (selection < 0) {
            selection = -1;
            d.setVisible(idc::kFactoryCode, false);
        }
    } else {
        family = 5;
        d.setItems(idc::kFactoryCode, family5Codes());
        selection = positionOfCode(5, selection);
    }
    d.factoryCode = selection;
    d.writeBack();
}

Outcome changeFactoryCode(DialogContext& ctx, MainDialog& d) {
    d.readControls();
    const std::vector<std::string>& items = d.control(idc::kFactoryCode).items;
    const int32_t position = d.factoryCode;
    if (position < 0 || position >= static_cast<int32_t>(items.size())) return Outcome::completed();
    const int family = ctx.state.caps.factoryCodeFamily;
    const std::string& entry = items[static_cast<size_t>(position)];

    int32_t code = position;
    if (position == static_cast<int32_t>(items.size()) - 1) {
        const int32_t current = ctx.camera.get_factory_code();
        ParamDialog prompt(ctx.op, current < 0 ? 0 : current);
        Outcome shown = runDialog(ctx.op, prompt);
        if (shown.ending != Ending::Completed) return shown;
        if (prompt.endCode() != kIdOk) return Outcome::declined(text::kParameterCancelled);
        code = prompt.parameter;
    } else if (family == 1 && entry == text::kTakroUf) {
        code = kFamily1UfCode;
    } else if (family == 5) {
        code = position == kFamily5KrplPosition ? kFamily5KrplCode : kFamily5ExplCode;
    }

    WaitCursor busy(ctx.op);
    if (const int32_t r = ctx.camera.set_factory_code(code); r != 0) return showError(ctx, r);
    waitReady(ctx.camera, ctx.clock, diag::kWaitSetting);
    const int32_t now = ctx.camera.get_factory_code();
    d.factoryCode = positionOfCode(family, now);
    d.writeBack();
    Outcome outcome;
    return outcome.measure("factory_code", now);
}

Outcome changeLanguage(DialogContext& ctx, MainDialog& d) {
    d.readControls();
    if (d.language < 0) return Outcome::completed();
    WaitCursor busy(ctx.op);
    if (const int32_t r = ctx.camera.set_lcd_disp_language(d.language + 1); r != 0)
        return showError(ctx, r);
    waitReady(ctx.camera, ctx.clock, diag::kWaitSetting);
    d.writeBack();
    return Outcome::completed();
}

Outcome changeVideoMode(DialogContext& ctx, MainDialog& d) {
    d.readControls();
    if (d.videoMode < 0) return Outcome::completed();
    WaitCursor busy(ctx.op);
    if (const int32_t r = ctx.camera.set_video_signal_mode(d.videoMode); r != 0)
        return showError(ctx, r);
    d.writeBack();
    return Outcome::completed();
}

Outcome changeLangNumber(DialogContext& ctx, MainDialog& d) {
    d.readControls();
    const int32_t position = d.langNumber;
    int32_t r = 0;
    if (position == 0 || position == 1) {
        WaitCursor busy(ctx.op);
        if (ctx.state.languageQueryKind == 1) {
            r = ctx.camera.set_number_of_lang(position + 1);
        } else if (ctx.state.languageQueryKind == 2) {
            r = ctx.camera.set_number_of_lang2(position == 0 ? kLangCount2 : kLangCount20);
        }
    }
    if (r != 0) return showError(ctx, r);
    d.writeBack();
    return Outcome::completed();
}

}  // namespace orvia
