#include "dialogs/oel_dialogs.h"

#include <memory>

#include "console/camera.h"
#include "console/diag_run.h"
#include "console/diags.h"
#include "console/format.h"
#include "console/main_dialog.h"
#include "console/operator.h"
#include "console/reporting.h"
#include "console/texts.h"
#include "dialogs/adjust_support.h"

namespace orvia {

const std::array<LevelChannel, 8> kLevelChannels = {{
    {2, 1103, 1098, 1097, 127, 1, true},
    {3, 1092, 1100, 1099, 127, 2, true},
    {4, 1093, 1102, 1101, 127, 4, true},
    {5, 1117, 1118, 1119, 127, 8, false},
    {6, 1104, 1105, 1106, 255, -1, true},
    {7, 1094, 1107, 1108, 255, -1, true},
    {8, 1095, 1109, 1110, 255, -1, true},
    {9, 1096, 1115, 1116, 255, -1, false},
}};

const std::array<LevelChannel, 2> kAclChannels = {{
    {10, 1117, 1118, 1115, 255, -1, false},
    {11, 1119, 1120, 1116, 255, -1, false},
}};

// Value synchronisation of one channel between its record word, edit text and slider. Each
// reads the controls first and shows the values after.
struct ChannelValues {
    DialogModel& dialog;
    EldInfoBlock& block;
    const LevelChannel& channel;
    std::string& text;
    int32_t& slider;

    // The edit's text, as a hexadecimal number, into the word and the slider; a text that is
    // no number yet leaves the word as it was.
    void edited() {
        dialog.readControls();
        const std::optional<int32_t> v = parseHex(text);
        if (!v) return;
        block.w[channel.word] = *v;
        slider = *v;
        dialog.writeBack();
    }
    // One up-down step, only while the word stays within the channel's range.
    void stepped() {
        const int64_t next = int64_t{block.w[channel.word]} + dialog.control(channel.upDown).step;
        if (next < 0 || next > channel.max) return;
        dialog.readControls();
        show(static_cast<int32_t>(next));
    }
    // Whether the slider's latest report counts: every one for a channel that follows its
    // dragged handle, only the handle let go (or a key or click step) for the others.
    bool takesSlider() const {
        return channel.followsDrag || !dialog.control(channel.slider).dragging;
    }
    // The slider's position into the word and the edit.
    void slid() {
        dialog.readControls();
        show(slider);
    }
    void show(int32_t v) {
        block.w[channel.word] = v;
        text = levelText(v);
        slider = v;
        dialog.writeBack();
    }
};

namespace {

constexpr size_t kBlackFirst = 0;
constexpr size_t kWhiteFirst = 4;
constexpr size_t kChannelsPerGroup = 4;
constexpr size_t kWhiteChannel = 7;  // the white channel of the white levels
constexpr int32_t kBlackTick = 12;
constexpr int32_t kWhiteTick = 25;
constexpr int32_t kIsolated = 127;  // the check mode's level for the channels not adjusted
constexpr int32_t kAclMaxChars = 2;

// Ends of the sliders' scales.
constexpr int kBlackTop = -30, kBlackBottom = -31, kWhiteTop = -32, kWhiteBottom = -33;
constexpr int kBrightnessGroup = -40, kSlantGroup = -41;

// Slider backgrounds of the red, green, blue and white channels.
constexpr std::array<int, 4> kChannelTints = {0xCC6666, 0x669966, 0x6699CC, 0xFFFFFF};

// Black levels (red, green, blue, white), white levels, ACL brightness and slant level.
constexpr int32_t kBlackDiags[] = {diag::kOelBlackRed, diag::kOelBlackGreen, diag::kOelBlackBlue,
                                   diag::kOelBlackWhite};
constexpr int32_t kWhiteDiags[] = {diag::kOelWhiteRed, diag::kOelWhiteGreen, diag::kOelWhiteBlue};

std::vector<ControlDef> oelCalTable() {
    using namespace controls;
    using namespace idc::oel;
    std::vector<ControlDef> t = {
        radio(kBlackWork, "&Black level : ").at(0, 0),
        check(kBlackCheckMode, "&Black level check mode").at(0, 1),
        radio(kWhiteWork, "&White level : ").at(0, 2),
        check(kWhitePixelMode, "&White pixel mode").at(0, 3),
        groupBox(kBlackGroup, {}).spoken("Black level").at(1, 0, 2),
        groupBox(kWhiteGroup, {}).spoken("White level").at(1, 2, 2),
        label(kBlackTop, "7Fh").in(kBlackGroup).at(1, 0),
        label(kBlackBottom, "00h").in(kBlackGroup).at(2, 0),
        button(kBlackSet, "Set").in(kBlackGroup).at(4, 1, 4),
        label(kWhiteTop, "FFh").in(kWhiteGroup).at(1, 0),
        label(kWhiteBottom, "00h").in(kWhiteGroup).at(2, 0),
        button(kWhiteSet, "Set").in(kWhiteGroup).at(4, 1, 4),
    };
    for (size_t i = 0; i < kLevelChannels.size(); ++i) {
        const LevelChannel& c = kLevelChannels[i];
        const bool black = i < kWhiteFirst;
        const int group = black ? kBlackGroup : kWhiteGroup;
        const int column = static_cast<int>(i % kChannelsPerGroup) + 1;
        t.push_back(edit(c.edit).in(group).at(0, column));
        t.push_back(slider(c.slider, 0, c.max, black ? kBlackTick : kWhiteTick)
                        .tinted(kChannelTints[i % kChannelsPerGroup])
                        .in(group)
                        .at(1, column, 1, 2));
        t.push_back(upDown(c.upDown, 0, c.max).in(group).at(3, column));
    }
    return t;
}

std::vector<ControlDef> oelAclTable() {
    using namespace controls;
    using namespace idc::oel;
    std::vector<ControlDef> t = {
        check(kAcl, "ACL").pushLike().at(0, 0),
        button(kAclSet, "&Set").at(0, 1),
        groupBox(kBrightnessGroup, "Brightness").at(1, 0),
        groupBox(kSlantGroup, "Slant Level").at(1, 1),
    };
    for (size_t i = 0; i < kAclChannels.size(); ++i) {
        const LevelChannel& c = kAclChannels[i];
        const int group = i == 0 ? kBrightnessGroup : kSlantGroup;
        t.push_back(edit(c.edit, kAclMaxChars).in(group).at(0, 0, 2));
        t.push_back(slider(c.slider, 0, c.max, kWhiteTick).in(group).at(1, 0, 1, 2));
        t.push_back(upDown(c.upDown, 0, c.max).in(group).at(1, 1));
    }
    return t;
}

// The size query into word 0; the failure (after its box) when the record would not fit the
// block.
std::optional<Outcome> refusedSize(DialogContext& ctx, EldInfoBlock& block) {
    block.w[0] = ctx.camera.get_diag_eld_info_size();
    if (block.w[0] <= kEldInfoBytes) return std::nullopt;
    return showFailure(ctx.op, format(text::kEldInfoTooLarge, block.w[0], kEldInfoBytes));
}

}  // namespace

int32_t readEldInfo(DialogContext& ctx, EldInfoBlock& block, const char* sizeMessage,
                    bool stopOnZero) {
    if (refusedSize(ctx, block)) return -1;
    if (block.w[0] <= 0) {
        ctx.op.message(sizeMessage);
        if (stopOnZero || block.w[0] < 0) return -1;
    }
    const int32_t r = ctx.camera.get_diag_eld_info(block.w.data());
    if (r != 0) ctx.op.message(text::kErrorGetEldInfo);
    return r;
}

// ---- Levels dialog ----------------------------------------------------------------------------

OelCalDialog::OelCalDialog(DialogContext& ctx)
    : DialogModel(kOelCalTemplate, text::kOelCalTitle, oelCalTable()), ctx_(ctx) {
    using namespace idc::oel;
    setProcedure(kBlackWork, ctx_.op, [this] { return selectBlackWork(); });
    setProcedure(kWhiteWork, ctx_.op, [this] { return selectWhiteWork(); });
    setHandler(kWhitePixelMode, [this] { applyWhitePixelMode(); });
    setHandler(kBlackCheckMode, [this] { toggleCheckMode(); });
    setProcedure(kBlackSet, ctx_.op, [this] { return setBlack(); });
    setProcedure(kWhiteSet, ctx_.op, [this] { return setWhite(); });
    // A black channel's change first isolates it when the check mode is on.
    for (const LevelChannel& c : kLevelChannels) {
        setHandler(c.edit, [this, &c] {
            isolate(c.bit);
            values(c).edited();
        });
        setHandler(c.upDown, [this, &c] {
            isolate(c.bit);
            values(c).stepped();
        });
        setHandler(c.slider, [this, &c] {
            if (!values(c).takesSlider()) return;
            isolate(c.bit);
            values(c).slid();
        });
    }
    // The close box hides the window; the dialog lives on with the main dialog.
    setHandler(kIdCancel, [this] { end(kIdCancel); });
}

void OelCalDialog::exchange(DataExchange& dx) {
    using namespace idc::oel;
    for (size_t i = 0; i < kLevelChannels.size(); ++i) {
        dx.text(kLevelChannels[i].edit, levelTexts[i]);
        dx.position(kLevelChannels[i].slider, sliders[i]);
    }
    dx.check(kBlackCheckMode, checkMode);
    dx.check(kWhitePixelMode, whitePixel);
    dx.radio({kBlackWork, kWhiteWork}, work);
}

void OelCalDialog::initialise() {
    resetEnd();
    block_ = EldInfoBlock{};
    if (readEldInfo(ctx_, block_, text::kErrorGetEldInfoSizeCal, false) == 0) {
        for (size_t i = 0; i < kLevelChannels.size(); ++i) {
            const int32_t v = block_.w[kLevelChannels[i].word];
            levelTexts[i] = levelText(v);
            sliders[i] = v;
        }
    }
    work = 0;
    writeBack();
    selectBlackWork();
    writeBack();
}

Outcome OelCalDialog::selectBlackWork() {
    for (size_t i = 0; i < kLevelChannels.size(); ++i) {
        const LevelChannel& c = kLevelChannels[i];
        for (int id : {c.edit, c.upDown, c.slider})
            setEnabled(id, i < kWhiteFirst);
    }
    setEnabled(idc::oel::kBlackCheckMode, true);
    setEnabled(idc::oel::kBlackSet, true);
    setEnabled(idc::oel::kWhitePixelMode, false);
    setEnabled(idc::oel::kWhiteSet, false);
    if (const int32_t r = ctx_.camera.control_lcd(1, 0); r != 0) return showError(ctx_, r);
    waitReady(ctx_.camera, ctx_.clock, diag::kWaitAdjustment);
    return Outcome::completed();
}

Outcome OelCalDialog::selectWhiteWork() {
    for (size_t i = 0; i < kLevelChannels.size(); ++i) {
        const LevelChannel& c = kLevelChannels[i];
        for (int id : {c.edit, c.upDown, c.slider})
            setEnabled(id, i >= kWhiteFirst);
    }
    setEnabled(idc::oel::kBlackCheckMode, false);
    setEnabled(idc::oel::kBlackSet, false);
    setEnabled(idc::oel::kWhitePixelMode, true);
    setEnabled(idc::oel::kWhiteSet, true);
    const int32_t r = ctx_.camera.diag_lcd_disp(diag::kPatternWhiteWork);
    if (r != 0) return showError(ctx_, r);
    waitReady(ctx_.camera, ctx_.clock, diag::kWaitAdjustment);
    applyWhitePixelMode();
    return Outcome::completed();
}

void OelCalDialog::applyWhitePixelMode() {
    readControls();
    for (size_t i = kWhiteFirst; i < kLevelChannels.size(); ++i) {
        const LevelChannel& c = kLevelChannels[i];
        const bool on = (i == kWhiteChannel) == (whitePixel != 0);
        for (int id : {c.edit, c.upDown, c.slider})
            setEnabled(id, on);
    }
}

ChannelValues OelCalDialog::values(const LevelChannel& c) {
    const size_t i = static_cast<size_t>(&c - kLevelChannels.data());
    return {*this, block_, c, levelTexts[i], sliders[i]};
}

// Every black channel but the one of `bit` (all four for bit 0) goes to 7F; white channels
// (bit -1) are never isolated.
void OelCalDialog::isolate(int bit) {
    if (checkMode == 0 || bit < 0) return;
    readControls();
    for (size_t i = kBlackFirst; i < kWhiteFirst; ++i) {
        const LevelChannel& c = kLevelChannels[i];
        if (c.bit == bit) continue;
        levelTexts[i] = levelText(kIsolated);
        sliders[i] = kIsolated;
        block_.w[c.word] = kIsolated;
    }
    writeBack();
}

void OelCalDialog::toggleCheckMode() {
    readControls();
    if (checkMode != 0) {
        backup_ = block_;
        isolate(0);
        return;
    }
    for (size_t i = kBlackFirst; i < kWhiteFirst; ++i) {
        const int32_t held = backup_.w[kLevelChannels[i].word];
        levelTexts[i] = format(text::kLevelFormat, static_cast<unsigned>(held));
    }
    writeBack();
    for (size_t i = kBlackFirst; i < kWhiteFirst; ++i)
        values(kLevelChannels[i]).edited();
}

void OelCalDialog::refuseUnparsed(size_t first, size_t count) {
    bool refused = false;
    for (size_t i = first; i < first + count; ++i) {
        if (parseHex(levelTexts[i])) continue;
        refused = true;
        levelTexts[i] = levelText(block_.w[kLevelChannels[i].word]);
    }
    if (!refused) return;
    ctx_.op.message(text::kEnterHex);
    writeBack();
}

std::optional<Outcome> OelCalDialog::showPattern(int32_t pattern) {
    WaitCursor busy(ctx_.op);
    const int32_t selected = selectDisplayDevice(ctx_, false);
    if (const int32_t r = ctx_.camera.diag_lcd_disp(pattern); r != 0) return showError(ctx_, r);
    waitReady(ctx_.camera, ctx_.clock, diag::kWaitAdjustment);
    if (selected != 0) return keepEarlierFailure(ctx_, selected, Outcome::completed());
    return std::nullopt;
}

Outcome OelCalDialog::setBlack() {
    readControls();
    refuseUnparsed(kBlackFirst, kChannelsPerGroup);
    const std::optional<Outcome> pattern =
        showPattern(checkMode != 0 ? diag::kPatternBlackCheck : diag::kPatternBlackLevel);
    for (size_t i = 0; i < kChannelsPerGroup; ++i) {
        Outcome step =
            runLevelStep(ctx_, block_.w[kLevelChannels[kBlackFirst + i].word], kBlackDiags[i]);
        if (step.ending != Ending::Completed) return pattern ? *pattern : step;
    }
    return pattern ? *pattern : Outcome::completed();
}

Outcome OelCalDialog::setWhite() {
    readControls();
    refuseUnparsed(kWhiteFirst, kChannelsPerGroup);
    if (whitePixel != 0) {
        const std::optional<Outcome> pattern = showPattern(diag::kPatternWhitePixel);
        Outcome step =
            runLevelStep(ctx_, block_.w[kLevelChannels[kWhiteChannel].word], diag::kOelWhiteWhite);
        return pattern ? *pattern : step;
    }
    const std::optional<Outcome> pattern = showPattern(diag::kPatternWhiteLevel);
    for (size_t i = 0; i < 3; ++i) {
        Outcome step =
            runLevelStep(ctx_, block_.w[kLevelChannels[kWhiteFirst + i].word], kWhiteDiags[i]);
        if (step.ending != Ending::Completed) return pattern ? *pattern : step;
    }
    return pattern ? *pattern : Outcome::completed();
}

// ---- ACL dialog -------------------------------------------------------------------------------

OelAclDialog::OelAclDialog(DialogContext& ctx, EldInfoBlock* shared)
    : DialogModel(kOelAclTemplate, text::kOelAclTitle, oelAclTable()),
      ctx_(ctx),
      block_(shared != nullptr ? *shared : own_) {
    setProcedure(idc::oel::kAcl, ctx_.op, [this] { return toggle(); });
    setProcedure(idc::oel::kAclSet, ctx_.op, [this] { return set(); });
    for (const LevelChannel& c : kAclChannels) {
        setHandler(c.edit, [this, &c] { values(c).edited(); });
        setHandler(c.upDown, [this, &c] { values(c).stepped(); });
        setHandler(c.slider, [this, &c] {
            if (values(c).takesSlider()) values(c).slid();
        });
    }
    setHandler(kIdCancel, [this] { end(kIdCancel); });
}

// The ACL state first: a text longer than two characters stops the exchange at its edit.
void OelAclDialog::exchange(DataExchange& dx) {
    dx.check(idc::oel::kAcl, acl);
    for (size_t i = 0; i < kAclChannels.size(); ++i) {
        dx.text(kAclChannels[i].edit, levelTexts[i], kAclMaxChars);
        dx.position(kAclChannels[i].slider, sliders[i]);
    }
}

void OelAclDialog::initialise() {
    resetEnd();
    if (readEldInfo(ctx_, block_, text::kErrorGetEldInfoSize, true) != 0) return;
    for (size_t i = 0; i < kAclChannels.size(); ++i) {
        const int32_t v = block_.w[kAclChannels[i].word];
        levelTexts[i] = levelText(v);
        sliders[i] = v;
    }
    acl = block_.w[1] == kAclOn ? 1 : 0;
    setEnabled(idc::oel::kAcl, block_.w[1] == kAclOn || block_.w[1] == kAclOff);
    writeBack();
    toggle();
}

Outcome OelAclDialog::toggle() {
    readControls();
    block_.w[1] = acl != 0 ? kAclOn : kAclOff;
    if (auto refused = refusedSize(ctx_, block_)) return *refused;
    // Below 0 the size query's own failure; 0 a camera without the record.
    if (block_.w[0] < 1)
        return showFailure(ctx_.op, text::kErrorGetEldInfoSize, MessageKind::Plain, block_.w[0]);
    if (const int32_t r = ctx_.camera.set_diag_eld_info(block_.w.data()); r != 0)
        return showError(ctx_, r);
    for (const LevelChannel& c : kAclChannels) {
        for (int id : {c.edit, c.upDown, c.slider})
            setEnabled(id, acl == 0);
    }
    setEnabled(idc::oel::kAclSet, acl == 0);
    writeBack();
    return Outcome::completed();
}

ChannelValues OelAclDialog::values(const LevelChannel& c) {
    const size_t i = static_cast<size_t>(&c - kAclChannels.data());
    return {*this, block_, c, levelTexts[i], sliders[i]};
}

Outcome OelAclDialog::set() {
    Outcome brightness =
        runLevelStep(ctx_, block_.w[kAclChannels[0].word], diag::kOelAclBrightness);
    if (brightness.ending != Ending::Completed) return brightness;
    return runLevelStep(ctx_, block_.w[kAclChannels[1].word], diag::kOelAclSlant);
}

// ---- Opening ----------------------------------------------------------------------------------

Outcome openOelCalDialog(MainDialog& main) {
    return main.openPanelDialog(std::make_unique<OelCalDialog>(main.context()));
}

Outcome openOelAclDialog(MainDialog& main) {
    auto* levels = dynamic_cast<OelCalDialog*>(main.panelDialog());
    return main.openTestDialog(std::make_unique<OelAclDialog>(
        main.context(), levels != nullptr ? &levels->block() : nullptr));
}

}  // namespace orvia
