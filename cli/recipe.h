// A station recipe: the steps one camera goes through, in order, each a qorctl command with its
// options, the limits its measurements must keep and what to do when it fails. Recipes are TOML
// files; everything wrong in one is found when it is read, before any camera is touched.
#pragma once

#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "cli/options.h"
#include "console/outcome.h"

namespace orvia::cli {

// What a measurement must be: within [low, high] (either side may be open), or equal to a
// number or a text.
struct Limit {
    std::string value;  // the measurement's name
    std::optional<double> low;
    std::optional<double> high;
    std::optional<double> equalsNumber;
    std::optional<std::string> equalsText;
};

// A limit held against an outcome: what was measured and whether it is inside.
struct LimitCheck {
    Limit limit;
    std::optional<Measurement> measured;  // nothing when the step did not measure it
    bool held = false;
};

// The limit as a person reads it: "in [0.95, 1.05]", "<= 10", "= 1.02.0017".
std::string describe(const Limit& limit);
// Each limit against the outcome's values.
std::vector<LimitCheck> checkLimits(const std::vector<Limit>& limits, const Outcome& outcome);

enum class OnFailure { Stop, Continue };

struct RecipeStep {
    int line = 0;       // where the step begins in its file
    std::string label;  // the step's own name, or its command's words
    Options command;    // the command and its options (args, param, wait, expect version)
    std::vector<Limit> limits;
    OnFailure onFailure = OnFailure::Stop;
};

struct Recipe {
    std::string name;    // the recipe's name, else its file's name without the extension
    std::string path;    // the file it was read from
    std::string sha256;  // of the file's bytes
    std::vector<RecipeStep> steps;
};

// The recipe in `text`, read from `path` (relative file names in it are taken from the
// recipe's folder), or the first thing wrong in it as "PATH:LINE: what".
std::variant<Recipe, std::string> parseRecipe(const std::string& text, const std::string& path);
// The recipe in the file at `path`, or what is wrong with it (or with reading it).
std::variant<Recipe, std::string> loadRecipe(const std::string& path);

}  // namespace orvia::cli
