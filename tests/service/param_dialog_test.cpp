// The parameter prompt: what it shows, which texts it takes and which it refuses.
#include <gtest/gtest.h>

#include "console_rig.h"
#include "service/param_dialog.h"

namespace orvia::testing {
namespace {

TEST(ParamDialog, ReadsHexadecimalAndDecimalTexts) {
    struct Case {
        const char* text;
        std::optional<int32_t> value;
    };
    const Case cases[] = {
        {"0x1A", 26},
        {"0X1a", 26},
        {"26", 26},
        {"0x0", 0},
        {"0", 0},
        {"  7", 7},
        {"12abc", 12},
        {"-5", -5},
        {"0xFFFFFFFF", -1},
        {"2147483647", 2147483647},
        {"abc", std::nullopt},
        {"", std::nullopt},
        {"0x", std::nullopt},
        {"0xG1", std::nullopt},
        {"4294967296", std::nullopt},
        {"0x100000000", std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(parseParameter(c.text), c.value) << "'" << c.text << "'";
}

TEST(ParamDialog, ShowsTheValueInHexadecimalAndStaysOpenUntilANonZeroNumber) {
    ScriptedOperator op;
    ParamDialog dialog(op, -1);
    dialog.initialise();
    EXPECT_EQ(dialog.control(idc::kParamEdit).text, "0xFFFFFFFF");
    EXPECT_EQ(dialog.title(), "Set parameter");

    for (const char* refused : {"0x0", "0", "none"}) {
        dialog.viewState(idc::kParamEdit).text = refused;
        dialog.command(kIdOk);
        EXPECT_FALSE(dialog.ended()) << refused;
    }
    EXPECT_EQ(op.messages(),
              (std::vector<std::string>{"Parameter '0' is not supported.",
                                        "Parameter '0' is not supported.",
                                        "Parameter is not a 32-bit number. Enter decimal digits, "
                                        "or 0x and hexadecimal digits."}));
    dialog.viewState(idc::kParamEdit).text = "0x1A";
    dialog.command(kIdOk);
    EXPECT_TRUE(dialog.ended());
    EXPECT_EQ(dialog.endCode(), kIdOk);
    EXPECT_EQ(dialog.parameter, 26);
}

}  // namespace
}  // namespace orvia::testing
