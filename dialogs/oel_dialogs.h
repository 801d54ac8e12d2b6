// The organic-EL panel's two modeless dialogs: black and white levels per colour channel, and the
// panel's automatic current limiting (ACL). Both work on one EldInfoBlock held by the levels
// dialog, read and written whole with the camera's ELD Info record.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "console/dialog_context.h"
#include "console/dialog_model.h"
#include "console/outcome.h"

namespace orvia {

class MainDialog;
struct ChannelValues;

// Twelve words: 0 the size in bytes, 1 the ACL mode (1 off, 2 on, else none), 2-5 the black
// levels (red, green, blue, white), 6-9 the white levels, 10 ACL brightness, 11 ACL slant level.
struct EldInfoBlock {
    std::array<int32_t, 12> w{};
};
inline constexpr int32_t kEldInfoBytes = sizeof(EldInfoBlock);
inline constexpr int32_t kAclOff = 1;
inline constexpr int32_t kAclOn = 2;

inline constexpr int kOelCalTemplate = 142;
inline constexpr int kOelAclTemplate = 143;

namespace idc::oel {
inline constexpr int kBlackWork = 1069;
inline constexpr int kWhiteWork = 1070;
inline constexpr int kBlackCheckMode = 1135;
inline constexpr int kWhitePixelMode = 1134;
inline constexpr int kBlackSet = 1113;
inline constexpr int kWhiteSet = 1114;
inline constexpr int kBlackGroup = 1111;
inline constexpr int kWhiteGroup = 1112;
inline constexpr int kAcl = 1121;
inline constexpr int kAclSet = 1123;
}  // namespace idc::oel

// One level channel: its record word, edit, up-down and slider, its range top, for a black
// channel its bit in the check mode isolation (-1 for the others), and whether its level follows
// the slider's handle while it is dragged (the red, green and blue levels) or only once it is let
// go (the white levels, ACL brightness and slant level).
struct LevelChannel {
    int word;
    int edit;
    int upDown;
    int slider;
    int32_t max;
    int bit;
    bool followsDrag;
};
// Black red, green, blue, white, then white red, green, blue, white.
extern const std::array<LevelChannel, 8> kLevelChannels;
// The ACL brightness and slant level.
extern const std::array<LevelChannel, 2> kAclChannels;

// Reads the camera's ELD Info record into `block`: the size query into word 0, then the record.
// A size above the block's 48 bytes (or below 0) is refused with a box and nothing is read.
// Returns the result of the read, or -1 when the size stopped it; `sizeMessage` is the box for a
// size of 0 (`stopOnZero` ends there).
int32_t readEldInfo(DialogContext& ctx, EldInfoBlock& block, const char* sizeMessage,
                    bool stopOnZero);

// Levels dialog "Organic EL Cal." (modeless, owned by the main dialog).
class OelCalDialog final : public DialogModel {
  public:
    explicit OelCalDialog(DialogContext& ctx);

    void initialise() override;
    EldInfoBlock& block() { return block_; }

    // Data members.
    std::array<std::string, 8> levelTexts;
    std::array<int32_t, 8> sliders{};
    int32_t checkMode = 0;
    int32_t whitePixel = 0;
    int32_t work = 0;  // 0 black level, 1 white level

  protected:
    void exchange(DataExchange& dx) override;

  private:
    // The level radios switch the panel's display, so each is a procedure.
    Outcome selectBlackWork();
    Outcome selectWhiteWork();
    void applyWhitePixelMode();
    ChannelValues values(const LevelChannel& c);
    void isolate(int bit);
    void toggleCheckMode();
    // Puts back the held value of every edit of `channels` that holds no hexadecimal number.
    void refuseUnparsed(size_t first, size_t count);
    // Nothing when the pattern shows; otherwise the failure, after its box.
    std::optional<Outcome> showPattern(int32_t pattern);
    // A refused pattern does not stop the steps; the outcome is the first failure.
    Outcome setBlack();
    Outcome setWhite();

    DialogContext& ctx_;
    EldInfoBlock block_;
    EldInfoBlock backup_;
};

// ACL dialog "Organic EL ACL" on the levels dialog's block (its own when given none).
class OelAclDialog final : public DialogModel {
  public:
    explicit OelAclDialog(DialogContext& ctx, EldInfoBlock* shared = nullptr);

    void initialise() override;

    std::array<std::string, 2> levelTexts;
    std::array<int32_t, 2> sliders{};
    int32_t acl = 0;

  protected:
    void exchange(DataExchange& dx) override;

  private:
    Outcome toggle();
    ChannelValues values(const LevelChannel& c);
    Outcome set();

    DialogContext& ctx_;
    EldInfoBlock own_;
    EldInfoBlock& block_;
};

// The levels dialog, created by the main dialog's initialisation for an organic-EL panel. Both
// dialogs stay open beside the main dialog, so their openers tell only whether they could be
// shown, as MainDialog::openPanelDialog and openTestDialog say.
Outcome openOelCalDialog(MainDialog& main);
// The Test list entry "OEL ACL": replaces an ACL dialog left from an earlier choice.
Outcome openOelAclDialog(MainDialog& main);

}  // namespace orvia
