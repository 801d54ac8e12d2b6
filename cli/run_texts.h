// The words of qorctl's recipe runs and unit records: recipe errors, step lines, summaries.
#pragma once

namespace orvia::text {

// ---- Recipe errors, each after "FILE:LINE: " -----------------------------------------------
inline constexpr char kRecipeAt[] = "%s:%d: %s";
inline constexpr char kRecipeUnreadable[] = "qorctl: cannot read recipe '%s'";
inline constexpr char kRecipeNoSteps[] = "the recipe has no steps (add [[step]] tables)";
inline constexpr char kRecipeStepsNotTables[] = "'step' must be written as [[step]] tables";
inline constexpr char kRecipeUnknownKey[] = "unknown key '%s'%s";
inline constexpr char kRecipeInStep[] = " in the %s step";
inline constexpr char kRecipeNoCommand[] = "a step needs 'do' (one of: %s)";
inline constexpr char kRecipeUnknownStep[] = "unknown step '%s' (the steps are: %s)";
inline constexpr char kRecipeMissing[] = "the %s step needs '%s'";
inline constexpr char kRecipeWrongType[] = "'%s' must be %s, not %s";
inline constexpr char kRecipeNotOneOf[] = "'%s' must be one of %s, not '%s'";
inline constexpr char kRecipeOutOfRange[] = "'%s' must be within %lld-%lld, not %lld";
inline constexpr char kRecipeEmpty[] = "'%s' must not be empty";
inline constexpr char kRecipeUnknownName[] = "unknown name '%s' (qorctl help get lists them)";
inline constexpr char kRecipeVersionNotFirmware[] = "'expect_version' is for firmware uploads only";
inline constexpr char kRecipeFileUnreadable[] = "cannot read the file '%s'";
inline constexpr char kRecipeBadLimit[] = "bad limit for '%s': %s";
inline constexpr char kRecipeLimitForm[] =
    "write [low, high], a number, a text, or a table of min, max and equals";
inline constexpr char kRecipeLimitRange[] = "a range is two numbers, [low, high]";
inline constexpr char kRecipeLimitReversed[] = "its low end is above its high end";
inline constexpr char kRecipeLimitMixed[] = "'equals' stands alone, without min or max";
inline constexpr char kRecipeLimitEmpty[] = "the table names no min, max or equals";

// ---- Limits as printed ---------------------------------------------------------------------
inline constexpr char kLimitRange[] = "in [%s, %s]";
inline constexpr char kLimitAtLeast[] = ">= %s";
inline constexpr char kLimitAtMost[] = "<= %s";
inline constexpr char kLimitEquals[] = "= %s";
inline constexpr char kLimitHeld[] = "  %s %s %s: held\n";
inline constexpr char kLimitBroken[] = "  %s %s %s: OUTSIDE ITS LIMITS\n";
inline constexpr char kLimitNotMeasured[] = "  %s (not measured) %s: OUTSIDE ITS LIMITS\n";
inline constexpr char kLimitReason[] = "%s %s is outside its limits (%s)";
inline constexpr char kLimitNotMeasuredReason[] = "%s was not measured (limit %s)";

// ---- Steps and the run ---------------------------------------------------------------------
inline constexpr char kStepBegins[] = "== step %zu/%zu: %s\n";
inline constexpr char kStepEnds[] = "== step %zu %s: %s (status %d)\n";
inline constexpr char kStepFailed[] = "step %zu (%s): %s";
inline constexpr char kRunStopped[] = "== the recipe stops here: step %zu failed\n";
inline constexpr char kVerdictPassed[] = "passed";
inline constexpr char kVerdictFailed[] = "failed";
inline constexpr char kVerdictInterrupted[] = "interrupted";
inline constexpr char kRunNoCamera[] = "no camera";

// ---- Unit records --------------------------------------------------------------------------
inline constexpr char kStoreUnusable[] = "qorctl: the unit database '%s' cannot be used: %s";
inline constexpr char kStoreNotWritten[] = "qorctl: the unit record was not stored: %s";
inline constexpr char kStoreTooNew[] =
    "its schema is version %d, newer than this qorctl knows (%d)";
inline constexpr char kHistoryNone[] = "no runs of camera '%s' in '%s'\n";
inline constexpr char kHistoryRun[] = "%s  %s  %s  %s  recipe %s  firmware %s -> %s  (run %s)\n";
inline constexpr char kHistoryStep[] = "    %d %-24s %s  %s\n";

}  // namespace orvia::text
