// Start-up rules that need no camera: the command line, the stamp day and the model class.
#include <gtest/gtest.h>

#include <chrono>
#include <ctime>

#include "console/app.h"
#include "environment.h"

namespace orvia {
namespace {

using testing::ScopedTimeZone;

TEST(CommandLine, MapsEveryOptionOfTheTable) {
    const std::pair<const char*, int32_t> cases[] = {
        {"", 0},
        {"1", 1},
        {"3x", 3},
        {"7", 7},
        {"7-okv", 7},
        {"8", 0},
        {"0", 0},
        {"-O", 0x5AFFFFFF},
        {"-o", 0x5AFFFFFF},
        {"-otakro", 0x5B000000},
        {"-OTAKRO", 0x5B000000},
        {"-oka", 0x5B000001},
        {"-okb", 0x5B000002},
        {"-okc", 0x5B000003},
        {"-okd", 0x5B000004},
        {"-oke", 0x5B000005},
        {"-okf", 0x5B000006},
        {"-okh", 0x5B000007},
        {"-oki", 0x5B000008},
        {"-okm", 0x5B000009},
        {"-okn", 0x5B00000A},
        {"-okp", 0x5B00000B},
        {"-okr", 0x5B00000D},
        {"-okv", 0x5B000011},
        {"-OkV", 0x5B000011},
        {"-okq", 0},   // no option for 0x5B00000C..10
        {"-oka ", 0},  // options are compared whole
        {"-ok", 0},
        {"-x", 0},
        {" 1", 0},
    };
    for (auto [line, expected] : cases) {
        EXPECT_EQ(parseOemMode(line), expected) << '"' << line << '"';
    }
}

std::time_t utc(int year, int month, int day, int hour, int minute, int second) {
    using namespace std::chrono;
    const sys_days date = std::chrono::year(year) / month / day;
    return system_clock::to_time_t(date + hours(hour) + minutes(minute) + seconds(second));
}

TEST(StampDay, CountsWholeDaysFromTheFirstOfNovember2006LocalTime) {
    const ScopedTimeZone zone("UTC0");
    const std::pair<std::time_t, int> cases[] = {
        {utc(2006, 11, 1, 0, 0, 0), 0},
        {utc(2006, 11, 1, 23, 59, 59), 0},
        {utc(2006, 11, 2, 0, 0, 0), 1},
        {utc(2007, 11, 1, 12, 0, 0), 365},
        {utc(2024, 3, 15, 8, 30, 0), 6344},
        {utc(2006, 10, 31, 23, 59, 59), 0},  // before the day: 0
        {utc(1999, 1, 1, 0, 0, 0), 0},
    };
    for (auto [now, expected] : cases)
        EXPECT_EQ(stampDay(now), expected) << now;
}

TEST(StampDay, UsesTheLocalMidnightOfTheStartDay) {
    const ScopedTimeZone zone("JST-9");  // local midnight is 15:00 UTC the day before
    EXPECT_EQ(stampDay(utc(2006, 10, 31, 14, 59, 59)), 0);
    EXPECT_EQ(stampDay(utc(2006, 11, 1, 15, 0, 0)), 1);
    EXPECT_EQ(stampDay(utc(2006, 11, 1, 14, 59, 59)), 0);
}

TEST(LcdClass, ComesFromTheAnswerThenTheTypeTablesThenTheDigitOption) {
    struct Case {
        int32_t answer;
        const char* type;
        int32_t oem;
        int32_t lcdType, lcdSubType;
    };
    const Case cases[] = {
        {0x00000003, "YRA10", 0, 2, -1},  // the answer wins over the tables
        {0x00020001, "", 0, 0, 1},        // high half gives the sub-type
        {0x00000000, "", 0, -1, -1},
        {-1, "YRA10", 0, 2, -1},
        {-1, "yra12", 0, 2, -1},  // letter case ignored; listed twice
        {-1, "YKS40", 0, 2, -1},  // in both class 2 and class 5: class 2 is tried first
        {-1, "YKS10", 0, 5, -1},
        {-1, "YTD17", 0, 3, -1},
        {-1, "YEV31", 0, 4, -1},
        {-1, "YOL10", 0, 6, -1},
        {-1, "YOL20", 0, 15, -1},
        {-1, "YRA10 ", 0, 0, -1},  // exact compare: trailing space does not match
        {-1, "ZZZZZ", 0, 0, -1},
        {0x00010005, "", 1, 0, 0},  // a digit option overrides the answer
        {-1, "YKS10", 6, 5, -1},
        {-1, "YKS10", 3, 2, -1},
        {-1, "YKS10", 7, 5, -1},           // 7 forces nothing
        {-1, "YKS10", 0x5B000001, 5, -1},  // OEM values force nothing
    };
    for (const Case& c : cases) {
        LcdClass got = deriveLcdClass(c.answer, c.type, c.oem);
        EXPECT_EQ(got.lcdType, c.lcdType) << c.type << " answer " << c.answer << " oem " << c.oem;
        EXPECT_EQ(got.lcdSubType, c.lcdSubType) << c.type << " answer " << c.answer;
    }
}

}  // namespace
}  // namespace orvia
