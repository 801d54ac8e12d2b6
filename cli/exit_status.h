// qorctl's exit statuses, as its usage text documents them, and the version of its JSON objects.
#pragma once

#include "console/outcome.h"
#include "qorlink.h"

namespace orvia::cli {

// The version of the JSON objects' layout (docs/qorctl_json.md); raised when a field changes
// meaning or goes away.
inline constexpr int kJsonSchema = 1;

inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1;         // the procedure ended with a failure box
inline constexpr int kExitUsage = 2;          // bad command line
inline constexpr int kExitNoCamera = 3;       // no camera answered
inline constexpr int kExitBadFile = 4;        // the file cannot be used
inline constexpr int kExitDeclined = 5;       // the procedure's question was answered No
inline constexpr int kExitNeedsConsole = 6;   // the entry opens a window only the console has
inline constexpr int kExitJudgedNg = 7;       // the camera's result was judged NG
inline constexpr int kExitWrongVersion = 8;   // the firmware afterwards is not the expected one
inline constexpr int kExitOutOfLimits = 9;    // a recipe's measurement was outside its limits
inline constexpr int kExitInterrupted = 130;  // stopped by SIGINT or SIGTERM; recorded as such
// A camera call failed with link result R: 10 + R for R in 1-23, else kExitOtherResult.
inline constexpr int kExitResultBase = 10;
inline constexpr int kExitOtherResult = 40;
// A named serial device that cannot be used, told apart before the camera is looked for.
inline constexpr int kExitNoDevice = 41;      // it does not exist
inline constexpr int kExitNoPermission = 42;  // this user may not open it
inline constexpr int kExitDeviceBusy = 43;    // another program holds it

constexpr int exitForResult(int code) {
    return code >= 1 && code <= QORLINK_FOCUS_NOT_AVAILABLE ? kExitResultBase + code
                                                            : kExitOtherResult;
}

// The exit status of a procedure's outcome.
constexpr int exitFor(const Outcome& o) {
    switch (o.ending) {
        case Ending::Completed:
            return o.judgement == Judgement::Ng ? kExitJudgedNg : kExitOk;
        case Ending::Failed:
            return o.linkResult != 0 ? exitForResult(o.linkResult) : kExitFailed;
        case Ending::Declined:
            return kExitDeclined;
        case Ending::FileUnusable:
            return kExitBadFile;
        case Ending::NeedsConsole:
            return kExitNeedsConsole;
        case Ending::Interrupted:
            return kExitInterrupted;
    }
    return kExitFailed;
}

}  // namespace orvia::cli
