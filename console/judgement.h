// The judgement library: an outside library that judges a calibration's result text and says
// whether the camera passed. It is loaded for each judgement and unloaded right after, so a
// library replaced on disk between two calibrations is the one that judges the second.
#pragma once

#include <cstdint>
#include <string>

namespace orvia {

class Host;

// The library's Windows name and entry. The host looks for it beside the program, never in the
// working directory: a file dropped there must not run inside the program.
inline constexpr char kJudgementLibrary[] = ".\\Judvane.dll";
inline constexpr char kJudgementEntry[] = "fnJudvane";

// What is judged; the library's second argument.
enum class JudgedKind : int32_t { Focus = 1, Awb = 2 };

// The entry's calling convention: on Windows the standard one (the callee removes the arguments).
#if defined(_WIN32)
#define ORVIA_JUDGEMENT_CALL __stdcall
#else
#define ORVIA_JUDGEMENT_CALL
#endif

// The entry: (camera type text, kind, result text) -> 1 for a pass. The result text is a
// zero-terminated text in a writable buffer of 1024 bytes, which the library may rewrite.
using JudgementEntry = int32_t(ORVIA_JUDGEMENT_CALL*)(const char* cameraType, int32_t kind,
                                                      char* text);

// Loads the library, lets it judge `text` for a camera of type `cameraType`, and unloads it.
// `text` becomes what the buffer holds after the call. True only when the entry returned 1; a
// library that does not load or has no entry is not a pass.
bool judge(Host& host, const std::string& cameraType, JudgedKind kind, std::string& text);

}  // namespace orvia
