#include "cli/recipe.h"

#include <unistd.h>

#include <toml++/toml.h>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>

#include "cli/run_texts.h"
#include "cli/station.h"
#include "console/format.h"
#include "console/sha256.h"
#include "console/station_log.h"

namespace orvia::cli {
namespace {

// Something wrong in the recipe, at a line of it.
struct RecipeError {
    int line;
    std::string message;
};

[[noreturn]] void fail(int line, std::string message) {
    throw RecipeError{line, std::move(message)};
}

int lineOf(const toml::node& node) {
    return static_cast<int>(node.source().begin.line);
}

const char* typeName(const toml::node& node) {
    switch (node.type()) {
        case toml::node_type::string:
            return "a text";
        case toml::node_type::integer:
            return "an integer";
        case toml::node_type::floating_point:
            return "a number with a fraction";
        case toml::node_type::boolean:
            return "true or false";
        case toml::node_type::array:
            return "a list";
        case toml::node_type::table:
            return "a table";
        default:
            return "a date or time";
    }
}

std::string joined(const std::vector<std::string>& words, const char* between = ", ") {
    std::string out;
    for (const std::string& w : words)
        out += (out.empty() ? "" : between) + w;
    return out;
}

// The keys a step of each kind takes, besides those of every step.
const std::map<std::string, std::vector<std::string>>& stepKeys() {
    static const std::map<std::string, std::vector<std::string>> keys = {
        {"info", {}},
        {"upload", {"kind", "file", "expect_version"}},
        {"calibrate", {"what"}},
        {"set", {"name", "value"}},
        {"get", {"name"}},
        {"test", {"entry"}},
        {"diag", {"program", "param", "wait"}},
    };
    return keys;
}
const std::vector<std::string> kEveryStepKeys = {"do", "label", "limits", "on_failure"};
const std::vector<std::string> kStepOrder = {"info", "upload", "calibrate", "set",
                                             "get",  "test",   "diag"};

std::string numberText(double v) {
    return jsonNumber(v);
}

// Reads one step's table.
class StepReader {
  public:
    StepReader(const toml::table& table, const std::filesystem::path& folder)
        : table_(table), folder_(folder), line_(lineOf(table)) {}

    RecipeStep read() {
        const toml::node* command = table_.get("do");
        if (command == nullptr)
            fail(line_, format(text::kRecipeNoCommand, joined(kStepOrder).c_str()));
        kind_ = text("do");
        const auto keys = stepKeys().find(kind_);
        if (keys == stepKeys().end())
            fail(lineOf(*command),
                 format(text::kRecipeUnknownStep, kind_.c_str(), joined(kStepOrder).c_str()));
        for (auto&& [key, value] : table_) {
            const std::string k(key.str());
            const auto& own = keys->second;
            if (std::find(kEveryStepKeys.begin(), kEveryStepKeys.end(), k) ==
                    kEveryStepKeys.end() &&
                std::find(own.begin(), own.end(), k) == own.end()) {
                fail(lineOf(value), format(text::kRecipeUnknownKey, k.c_str(),
                                           format(text::kRecipeInStep, kind_.c_str()).c_str()));
            }
        }
        RecipeStep step;
        step.line = line_;
        Options& o = step.command;
        o.args = {kind_};
        if (kind_ == "upload") upload(o);
        if (kind_ == "calibrate") o.args.push_back(oneOf("what", {"awb", "focus", "uv"}));
        if (kind_ == "set" || kind_ == "get") namedValue(o);
        if (kind_ == "test") o.args.push_back(text("entry"));
        if (kind_ == "diag") diag(o);
        step.label = has("label") ? text("label") : labelOf(o);
        if (has("on_failure")) {
            step.onFailure = oneOf("on_failure", {"stop", "continue"}) == "continue"
                                 ? OnFailure::Continue
                                 : OnFailure::Stop;
        }
        if (const toml::node* limits = table_.get("limits")) {
            if (!limits->is_table())
                fail(lineOf(*limits),
                     format(text::kRecipeWrongType, "limits", "a table", typeName(*limits)));
            // In the order they are written (a table's keys come sorted).
            std::vector<std::pair<toml::source_position, Limit>> written;
            for (auto&& [name, value] : *limits->as_table())
                written.emplace_back(value.source().begin, limit(std::string(name.str()), value));
            std::stable_sort(written.begin(), written.end(),
                             [](const auto& a, const auto& b) { return a.first < b.first; });
            for (auto& [at, l] : written)
                step.limits.push_back(std::move(l));
        }
        return step;
    }

  private:
    bool has(const char* key) const { return table_.get(key) != nullptr; }

    const toml::node& required(const char* key) const {
        const toml::node* node = table_.get(key);
        if (node == nullptr) fail(line_, format(text::kRecipeMissing, kind_.c_str(), key));
        return *node;
    }

    std::string text(const char* key) const {
        const toml::node& node = required(key);
        if (!node.is_string())
            fail(lineOf(node), format(text::kRecipeWrongType, key, "a text", typeName(node)));
        std::string value = *node.value<std::string>();
        if (value.empty()) fail(lineOf(node), format(text::kRecipeEmpty, key));
        return value;
    }

    int64_t integer(const char* key, int64_t low, int64_t high) const {
        const toml::node& node = required(key);
        if (!node.is_integer())
            fail(lineOf(node), format(text::kRecipeWrongType, key, "an integer", typeName(node)));
        const int64_t value = *node.value<int64_t>();
        if (value < low || value > high) {
            fail(lineOf(node), format(text::kRecipeOutOfRange, key, static_cast<long long>(low),
                                      static_cast<long long>(high), static_cast<long long>(value)));
        }
        return value;
    }

    std::string oneOf(const char* key, const std::vector<std::string>& choices) const {
        const std::string value = text(key);
        if (std::find(choices.begin(), choices.end(), value) == choices.end()) {
            fail(lineOf(required(key)),
                 format(text::kRecipeNotOneOf, key, joined(choices, "|").c_str(), value.c_str()));
        }
        return value;
    }

    void upload(Options& o) const {
        const std::string kind = oneOf("kind", {"firmware", "image", "font", "nand"});
        std::filesystem::path file = text("file");
        if (file.is_relative()) file = folder_ / file;
        if (access(file.c_str(), R_OK) != 0)
            fail(lineOf(required("file")), format(text::kRecipeFileUnreadable, file.c_str()));
        if (has("expect_version")) {
            if (kind != "firmware")
                fail(lineOf(required("expect_version")), text::kRecipeVersionNotFirmware);
            o.expectVersion = text("expect_version");
        }
        o.args.push_back(kind);
        o.args.push_back(file.string());
    }

    void namedValue(Options& o) const {
        const std::string name = text("name");
        const std::vector<std::string> names = namedValues();
        if (std::find(names.begin(), names.end(), name) == names.end())
            fail(lineOf(required("name")), format(text::kRecipeUnknownName, name.c_str()));
        o.args.push_back(name);
        if (kind_ == "set") {
            o.args.push_back(std::to_string(integer("value", INT32_MIN, UINT32_MAX)));
        }
    }

    void diag(Options& o) const {
        o.args.push_back(std::to_string(integer("program", 0, 255)));
        if (has("param"))
            o.param = static_cast<int32_t>(
                static_cast<uint32_t>(integer("param", INT32_MIN, UINT32_MAX)));
        if (has("wait")) o.waitSeconds = static_cast<uint32_t>(integer("wait", 0, 3600));
    }

    static std::string labelOf(const Options& o) {
        // An upload is named by its kind; the file is in its values.
        if (o.args[0] == "upload") return "upload " + o.args[1];
        return joined(o.args, " ");
    }

    static std::optional<double> number(const toml::node& node) {
        if (node.is_integer()) return static_cast<double>(*node.value<int64_t>());
        if (node.is_floating_point()) return *node.value<double>();
        return std::nullopt;
    }

    static Limit limit(std::string name, const toml::node& node) {
        Limit l;
        l.value = name;
        const auto bad = [&](const char* why) {
            fail(lineOf(node), format(text::kRecipeBadLimit, name.c_str(), why));
        };
        if (const toml::array* range = node.as_array()) {
            if (range->size() != 2 || !number((*range)[0]) || !number((*range)[1]))
                bad(text::kRecipeLimitRange);
            l.low = number((*range)[0]);
            l.high = number((*range)[1]);
        } else if (const toml::table* t = node.as_table()) {
            for (auto&& [key, value] : *t) {
                const std::string k(key.str());
                if (k == "min" || k == "max") {
                    const auto n = number(value);
                    if (!n)
                        fail(lineOf(value), format(text::kRecipeWrongType, k.c_str(), "a number",
                                                   typeName(value)));
                    (k == "min" ? l.low : l.high) = n;
                } else if (k == "equals") {
                    if (value.is_string()) {
                        l.equalsText = *value.value<std::string>();
                    } else if (const auto n = number(value)) {
                        l.equalsNumber = n;
                    } else {
                        fail(lineOf(value), format(text::kRecipeWrongType, "equals",
                                                   "a number or a text", typeName(value)));
                    }
                } else {
                    fail(lineOf(value), format(text::kRecipeUnknownKey, k.c_str(), ""));
                }
            }
            const bool equals = l.equalsText || l.equalsNumber;
            if (equals && (l.low || l.high)) bad(text::kRecipeLimitMixed);
            if (!equals && !l.low && !l.high) bad(text::kRecipeLimitEmpty);
        } else if (node.is_string()) {
            l.equalsText = *node.value<std::string>();
        } else if (const auto n = number(node)) {
            l.equalsNumber = n;
        } else {
            bad(text::kRecipeLimitForm);
        }
        if (l.low && l.high && *l.low > *l.high) bad(text::kRecipeLimitReversed);
        return l;
    }

    const toml::table& table_;
    const std::filesystem::path& folder_;
    int line_;
    std::string kind_;
};

Recipe read(const toml::table& doc, const std::string& path) {
    Recipe recipe;
    recipe.path = path;
    recipe.name = std::filesystem::path(path).stem().string();
    const std::filesystem::path folder = std::filesystem::path(path).parent_path();
    for (auto&& [key, value] : doc) {
        const std::string k(key.str());
        if (k == "name" || k == "description") {
            if (!value.is_string())
                fail(lineOf(value),
                     format(text::kRecipeWrongType, k.c_str(), "a text", typeName(value)));
            if (k == "name") recipe.name = *value.value<std::string>();
        } else if (k != "step") {
            fail(lineOf(value), format(text::kRecipeUnknownKey, k.c_str(), ""));
        }
    }
    const toml::node* steps = doc.get("step");
    if (steps == nullptr) fail(1, text::kRecipeNoSteps);
    if (!steps->is_array_of_tables()) fail(lineOf(*steps), text::kRecipeStepsNotTables);
    for (const toml::node& step : *steps->as_array())
        recipe.steps.push_back(StepReader(*step.as_table(), folder).read());
    if (recipe.steps.empty()) fail(lineOf(*steps), text::kRecipeNoSteps);
    return recipe;
}

}  // namespace

std::string describe(const Limit& l) {
    if (l.equalsText) return format(text::kLimitEquals, l.equalsText->c_str());
    if (l.equalsNumber) return format(text::kLimitEquals, numberText(*l.equalsNumber).c_str());
    if (l.low && l.high)
        return format(text::kLimitRange, numberText(*l.low).c_str(), numberText(*l.high).c_str());
    if (l.low) return format(text::kLimitAtLeast, numberText(*l.low).c_str());
    return format(text::kLimitAtMost, numberText(l.high.value_or(0)).c_str());
}

std::vector<LimitCheck> checkLimits(const std::vector<Limit>& limits, const Outcome& outcome) {
    std::vector<LimitCheck> checks;
    for (const Limit& l : limits) {
        LimitCheck c{l, std::nullopt, false};
        if (const Measurement* m = outcome.value(l.value)) {
            c.measured = *m;
            if (l.equalsText) {
                c.held = !m->number && m->text == *l.equalsText;
            } else if (!m->number || std::isnan(*m->number)) {
                c.held = false;
            } else if (l.equalsNumber) {
                c.held = *m->number == *l.equalsNumber;
            } else {
                c.held = (!l.low || *m->number >= *l.low) && (!l.high || *m->number <= *l.high);
            }
        }
        checks.push_back(std::move(c));
    }
    return checks;
}

std::variant<Recipe, std::string> parseRecipe(const std::string& text, const std::string& path) {
    try {
        const toml::table doc = toml::parse(text, path);
        return read(doc, path);
    } catch (const toml::parse_error& e) {
        return format(text::kRecipeAt, path.c_str(), static_cast<int>(e.source().begin.line),
                      std::string(e.description()).c_str());
    } catch (const RecipeError& e) {
        return format(text::kRecipeAt, path.c_str(), e.line, e.message.c_str());
    }
}

std::variant<Recipe, std::string> loadRecipe(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return format(text::kRecipeUnreadable, path.c_str());
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (in.bad()) return format(text::kRecipeUnreadable, path.c_str());
    auto parsed = parseRecipe(bytes, path);
    if (auto* recipe = std::get_if<Recipe>(&parsed)) {
        recipe->sha256 = sha256Hex(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
    }
    return parsed;
}

}  // namespace orvia::cli
