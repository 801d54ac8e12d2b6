// Recipes as qorctl reads them: every mistake named with its file and line before a camera is
// touched, the steps as the commands they stand for, and limits held against measured values.
#include "cli/recipe.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>

namespace orvia::cli {
namespace {

std::string scratchFolder() {
    const std::string dir = std::filesystem::temp_directory_path() / "orvia_recipe_test";
    std::filesystem::create_directories(dir);
    return dir;
}

std::string writeFile(const std::string& name, const std::string& bytes) {
    const std::string path = scratchFolder() + "/" + name;
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
}

std::string errorOf(const std::string& text) {
    const auto parsed = parseRecipe(text, scratchFolder() + "/line.toml");
    const std::string* error = std::get_if<std::string>(&parsed);
    return error != nullptr ? *error : "(read without error)";
}

TEST(Recipe, EachMistakeIsNamedWithItsFileAndLine) {
    writeFile("image.JPG", "\xFF\xD8\xFF\xE0 image");
    struct Case {
        const char* text;
        int line;
        const char* message;
    };
    const Case cases[] = {
        // The file itself.
        {"name = \"x\"\n[[step]\ndo = \"info\"\n", 2, ""},
        {"name = \"x\"\n", 1, "the recipe has no steps"},
        {"name = \"x\"\nstep = 3\n", 2, "'step' must be written as [[step]] tables"},
        {"nmae = \"x\"\n[[step]]\ndo = \"info\"\n", 1, "unknown key 'nmae'"},
        {"name = 5\n[[step]]\ndo = \"info\"\n", 1, "'name' must be a text, not an integer"},
        // Steps.
        {"[[step]]\ndo = \"info\"\n\n[[step]]\ndo = \"frobnicate\"\n", 5,
         "unknown step 'frobnicate' (the steps are: info, upload, calibrate, set, get, test, "
         "diag)"},
        {"[[step]]\nwhat = \"awb\"\n", 1, "a step needs 'do'"},
        {"[[step]]\ndo = \"calibrate\"\n", 1, "the calibrate step needs 'what'"},
        {"[[step]]\ndo = \"calibrate\"\nwhat = \"wb\"\n", 3,
         "'what' must be one of awb|focus|uv, not 'wb'"},
        {"[[step]]\ndo = \"info\"\nwaht = 1\n", 3, "unknown key 'waht' in the info step"},
        {"[[step]]\ndo = \"diag\"\nprogram = \"3\"\n", 3,
         "'program' must be an integer, not a text"},
        {"[[step]]\ndo = \"diag\"\nprogram = 256\n", 3, "'program' must be within 0-255, not 256"},
        {"[[step]]\ndo = \"diag\"\nprogram = 3\nwait = -1\n", 4, "'wait' must be within 0-3600"},
        {"[[step]]\ndo = \"get\"\nname = \"tz\"\n", 3, "unknown name 'tz'"},
        {"[[step]]\ndo = \"set\"\nname = \"timezone\"\nvalue = 1.5\n", 4,
         "'value' must be an integer, not a number with a fraction"},
        {"[[step]]\ndo = \"test\"\nentry = \"\"\n", 3, "'entry' must not be empty"},
        {"[[step]]\ndo = \"upload\"\nkind = \"image\"\nfile = \"missing.JPG\"\n", 4,
         "cannot read the file '"},
        {"[[step]]\ndo = \"upload\"\nkind = \"image\"\nfile = \"image.JPG\"\n"
         "expect_version = \"1\"\n",
         5, "'expect_version' is for firmware uploads only"},
        {"[[step]]\ndo = \"info\"\non_failure = \"ignore\"\n", 3,
         "'on_failure' must be one of stop|continue, not 'ignore'"},
        // Limits.
        {"[[step]]\ndo = \"info\"\nlimits = 5\n", 3, "'limits' must be a table, not an integer"},
        {"[[step]]\ndo = \"calibrate\"\nwhat = \"focus\"\nlimits = { af_diff = [10, -10] }\n", 4,
         "bad limit for 'af_diff': its low end is above its high end"},
        {"[[step]]\ndo = \"calibrate\"\nwhat = \"focus\"\nlimits = { af_diff = [1, 2, 3] }\n", 4,
         "bad limit for 'af_diff': a range is two numbers, [low, high]"},
        {"[[step]]\ndo = \"calibrate\"\nwhat = \"focus\"\nlimits = { af_diff = [1, \"2\"] }\n", 4,
         "a range is two numbers"},
        {"[[step]]\ndo = \"calibrate\"\nwhat = \"focus\"\n\n[step.limits]\naf_diff = true\n", 6,
         "bad limit for 'af_diff': write [low, high], a number, a text, or a table"},
        {"[[step]]\ndo = \"calibrate\"\nwhat = \"focus\"\nlimits = { af_diff = { min = \"a\" } }\n",
         4, "'min' must be a number, not a text"},
        {"[[step]]\ndo = \"calibrate\"\nwhat = \"focus\"\n"
         "limits = { af_diff = { min = 1, equals = 2 } }\n",
         4, "'equals' stands alone, without min or max"},
        {"[[step]]\ndo = \"calibrate\"\nwhat = \"focus\"\nlimits = { af_diff = { least = 1 } }\n",
         4, "unknown key 'least'"},
        {"[[step]]\ndo = \"calibrate\"\nwhat = \"focus\"\nlimits = { af_diff = {} }\n", 4,
         "the table names no min, max or equals"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const std::string error = errorOf(c.text);
        const std::string at = scratchFolder() + "/line.toml:" + std::to_string(c.line) + ": ";
        EXPECT_TRUE(error.starts_with(at)) << error;
        EXPECT_NE(error.find(c.message), std::string::npos) << error;
    }
}

TEST(Recipe, AFileThatCannotBeReadIsSaidToBeSo) {
    const auto parsed = loadRecipe("/no/such/recipe.toml");
    ASSERT_TRUE(std::holds_alternative<std::string>(parsed));
    EXPECT_EQ(std::get<std::string>(parsed), "qorctl: cannot read recipe '/no/such/recipe.toml'");
}

// Each step is the command it names, with its options; files are found beside the recipe.
TEST(Recipe, StepsAreTheCommandsTheyName) {
    writeFile("FW_1.03.0020.BIN", "VERSION=1.03.0020\r\n");
    const std::string path = writeFile("steps.toml", R"(name = "line 4"
[[step]]
do = "info"
[[step]]
do = "upload"
kind = "firmware"
file = "FW_1.03.0020.BIN"
expect_version = "1.03.0020"
[[step]]
do = "set"
name = "timezone"
value = 0x0A
on_failure = "continue"
[[step]]
do = "diag"
program = 3
param = -1
wait = 5
label = "gains"
[[step]]
do = "test"
entry = "cam info"
[[step]]
do = "calibrate"
what = "awb"
limits = { awb_r_gain = [0.95, 1.05], agc_gain = { max = 2 }, awb_b_gain = { min = 0.9 } }
)");
    const auto parsed = loadRecipe(path);
    ASSERT_TRUE(std::holds_alternative<Recipe>(parsed)) << std::get<std::string>(parsed);
    const Recipe& r = std::get<Recipe>(parsed);
    EXPECT_EQ(r.name, "line 4");
    EXPECT_EQ(r.sha256.size(), 64u);
    struct Expected {
        std::vector<std::string> args;
        const char* label;
        int line;
        OnFailure onFailure;
    };
    const Expected expected[] = {
        {{"info"}, "info", 2, OnFailure::Stop},
        {{"upload", "firmware", scratchFolder() + "/FW_1.03.0020.BIN"},
         "upload firmware",
         4,
         OnFailure::Stop},
        {{"set", "timezone", "10"}, "set timezone 10", 9, OnFailure::Continue},
        {{"diag", "3"}, "gains", 14, OnFailure::Stop},
        {{"test", "cam info"}, "test cam info", 20, OnFailure::Stop},
        {{"calibrate", "awb"}, "calibrate awb", 23, OnFailure::Stop},
    };
    ASSERT_EQ(r.steps.size(), std::size(expected));
    for (size_t i = 0; i < r.steps.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(r.steps[i].command.args, expected[i].args);
        EXPECT_EQ(r.steps[i].label, expected[i].label);
        EXPECT_EQ(r.steps[i].line, expected[i].line);
        EXPECT_EQ(r.steps[i].onFailure, expected[i].onFailure);
    }
    EXPECT_EQ(r.steps[1].command.expectVersion, "1.03.0020");
    EXPECT_EQ(r.steps[3].command.param, -1);
    EXPECT_EQ(r.steps[3].command.waitSeconds, 5u);
    // The limits in the order they are written.
    const auto& limits = r.steps[5].limits;
    ASSERT_EQ(limits.size(), 3u);
    EXPECT_EQ(limits[0].value, "awb_r_gain");
    EXPECT_EQ(describe(limits[0]), "in [0.95, 1.05]");
    EXPECT_EQ(describe(limits[1]), "<= 2");
    EXPECT_EQ(describe(limits[2]), ">= 0.9");
}

TEST(Recipe, LimitsHoldOnlyForAMeasuredValueInside) {
    Outcome o;
    o.measure("gain", 1.05).measure("diff", -10, "pulse").note("firmware", "1.02.0017");
    o.measure("broken", std::nan(""));
    struct Case {
        Limit limit;
        bool held;
    };
    const Case cases[] = {
        {{"gain", 0.95, 1.05, {}, {}}, true},  // the ends belong to the range
        {{"gain", 0.95, 1.049, {}, {}}, false},
        {{"diff", -10, 10, {}, {}}, true},
        {{"diff", -9, {}, {}, {}}, false},
        {{"diff", {}, -10, {}, {}}, true},
        {{"diff", {}, {}, -10, {}}, true},
        {{"diff", {}, {}, 10, {}}, false},
        {{"firmware", {}, {}, {}, "1.02.0017"}, true},
        {{"firmware", {}, {}, {}, "1.02.0018"}, false},
        {{"firmware", 0, 10, {}, {}}, false},     // a text is not inside a range
        {{"diff", {}, {}, {}, "-10"}, false},     // nor a number equal to a text
        {{"broken", -1e9, 1e9, {}, {}}, false},   // nor a number that is none
        {{"not_measured", 0, 1, {}, {}}, false},  // nor a value the step did not measure
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.limit.value + " " + describe(c.limit));
        const auto checks = checkLimits({c.limit}, o);
        ASSERT_EQ(checks.size(), 1u);
        EXPECT_EQ(checks[0].held, c.held);
        EXPECT_EQ(checks[0].measured.has_value(), c.limit.value != "not_measured");
    }
}

}  // namespace
}  // namespace orvia::cli
