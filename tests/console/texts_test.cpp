// Result texts, the reporting forms and the build identity reader.
#include <gtest/gtest.h>

#include <iterator>
#include <string>

#include "console/build_identity.h"
#include "console/main_dialog.h"
#include "console/result_text.h"
#include "console/texts.h"
#include "qorlink.h"

namespace orvia {
namespace {

TEST(ResultTexts, IndexesTheTableByCodeAndNamesCodesWithoutText) {
    ResultTexts texts;
    EXPECT_EQ(texts.text(0), "No Error");
    EXPECT_EQ(texts.text(12), "Camera not responding");
    EXPECT_EQ(texts.text(23), "Focus not available");
    // A call refused because another was running has a text of its own.
    EXPECT_TRUE(texts.hasText(QORLINK_BUSY));
    EXPECT_EQ(texts.text(QORLINK_BUSY), "Camera link busy");
    // Slot 255 is empty until the main dialog fills it.
    EXPECT_FALSE(texts.hasText(255));
    EXPECT_EQ(texts.text(255), "Undefined result 255");
    texts.installOtherError();
    EXPECT_EQ(texts.text(255), "Other Error");
    for (int code : {25, 100, 254, 256, 1000, -1, -2}) {
        EXPECT_FALSE(texts.hasText(code)) << code;
        EXPECT_EQ(texts.text(code), "Undefined result " + std::to_string(code));
    }
}

// The texts come from the link library's header (qorlink_result_text); each code keeps the text
// the technicians know.
TEST(ResultTexts, EveryLinkCodeHasItsTechniciansText) {
    const char* const expected[] = {
        "No Error",
        "Invalid Parameter",
        "Parameter out of range",
        "Port not available",
        "Communication failure",
        "Insufficient disk space",
        "User disconnection",
        "Close error",
        "Write error",
        "Execute error",
        "Read error",
        "Open error",
        "Camera not responding",
        "Camera bad response",
        "Camera NAK1 response",
        "Camera DC1 response",
        "Bad checksum",
        "Bad getlong",
        "Bad rcvlen",
        "User break",
        "Session close",
        "USB not responding",
        "LCD not available",
        "Focus not available",
    };
    ResultTexts texts;
    texts.installOtherError();
    for (int code = 0; code < static_cast<int>(std::size(expected)); ++code) {
        ASSERT_NE(qorlink_result_text(code), nullptr) << code;
        EXPECT_STREQ(qorlink_result_text(code), expected[code]) << code;
        EXPECT_EQ(texts.text(code), expected[code]) << code;
    }
    EXPECT_STREQ(qorlink_result_text(QORLINK_OTHER_ERROR), "Other Error");
    for (int code : {24, 100, 254, 256, -1, -2})
        EXPECT_EQ(qorlink_result_text(code), nullptr) << code;
}

TEST(StatusTexts, BeginWithTheStatusWordAndFitTheStatusLine) {
    for (std::string_view t :
         {text::kStatusIdle, text::kStatusWait, text::kStatusWaitAwb, text::kStatusWaitFocus,
          text::kStatusWaitUvMatrix, text::kStatusWaitShading}) {
        EXPECT_TRUE(t.starts_with(" Status: ")) << t;
        EXPECT_LE(t.size(), kStatusMaxChars) << t;
    }
    for (std::string_view t : {text::kStatusWaitAwb, text::kStatusWaitFocus,
                               text::kStatusWaitUvMatrix, text::kStatusWaitShading}) {
        EXPECT_TRUE(t.starts_with(" Status: Wait!!  Executing ")) << t;
        EXPECT_TRUE(t.ends_with(" Calibration.")) << t;
    }
}

std::string block(const std::string& pairs) {
    return std::string("QORLINK-VERSION-BLOCK\0", 22) + pairs + std::string("\0", 1);
}

std::string pair(const std::string& name, const std::string& value) {
    return name + '\0' + value + '\0';
}

TEST(BuildIdentity, ReadsThePrivateBuildAndAppliesTheServiceBuildRule) {
    const std::string junk(
        "\x7f"
        "ELF\0\0\x01garbage",
        14);
    struct Case {
        std::string file;
        bool hasBlock;
        std::optional<std::string> build;
        bool asksLanguage;
    };
    const Case cases[] = {
        {junk + block(pair("FileVersion", "1.6.0.3") + pair("PrivateBuild", "PELORIN")) + junk,
         true, "PELORIN", false},
        {block(pair("PrivateBuild", "DOVRA")), true, "DOVRA", true},
        {block(pair("PrivateBuild", "GORVIK")), true, "GORVIK", true},
        {block(pair("PrivateBuild", "gorvik")), true, "gorvik", false},
        {block(pair("FileVersion", "1.6.0.3")), true, std::nullopt, true},
        {junk, false, std::nullopt, false},
        // A stray copy of the marker (followed by unrelated bytes) is passed over.
        {std::string("QORLINK-VERSION-BLOCK\0\x01\x02", 24) + junk +
             block(pair("PrivateBuild", "DOVRA")),
         true, "DOVRA", true},
        // A block cut off before its end is no block.
        {std::string("QORLINK-VERSION-BLOCK\0PrivateBuild\0DOV", 38), false, std::nullopt, false},
    };
    for (const Case& c : cases) {
        BuildIdentity id = parseBuildIdentity(c.file);
        EXPECT_EQ(id.hasBlock, c.hasBlock);
        EXPECT_EQ(id.privateBuild(), c.build);
        EXPECT_EQ(asksLanguageWithoutServiceId(id), c.asksLanguage);
    }
}

TEST(BuildIdentity, AMissingFileHasNoBlock) {
    EXPECT_FALSE(readBuildIdentity("/nonexistent/libqorlink.so").hasBlock);
}

}  // namespace
}  // namespace orvia
