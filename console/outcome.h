// What a procedure did, as one value: how it ended, the link result of the camera call that
// failed, the judgement where one was made, the values it measured and the texts it showed.
// The console's windows show these texts as the procedure runs; the station log, qorctl's exit
// status and its JSON are all made from this value, never from a box text read back.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orvia {

class Operator;

// How a procedure ended.
enum class Ending {
    Completed,     // it ran to its end (its judgement may still be NG)
    Failed,        // a camera call failed, or the camera did not do what was asked
    Declined,      // the operator answered No; nothing was sent after the question
    FileUnusable,  // the chosen file cannot be used; nothing was sent
    NeedsConsole,  // the procedure opens a window that only the console has
    Interrupted,   // stopped from outside (a signal) before it ended
};

// The verdict on a result the program judges.
enum class Judgement { NotJudged, Pass, Ng };

// A message box's kind; the box shows the matching icon (none for Plain).
enum class MessageKind { Plain, Information, Warning, Error, Question };

// A text the operator was shown in a message box.
struct ShownMessage {
    MessageKind kind = MessageKind::Plain;
    std::string text;
};

// A text the operator was shown in the result window.
struct ShownResult {
    std::string heading;
    std::string text;
};

// A value a procedure read from the camera: a number (with its unit where one is known) or,
// for values that are not numbers (a firmware version), a text.
struct Measurement {
    std::string name;
    std::optional<double> number;
    std::string text;
    std::string unit;
};

struct Outcome {
    Ending ending = Ending::Completed;
    // The result of the camera call that failed; 0 when none did.
    int32_t linkResult = 0;
    Judgement judgement = Judgement::NotJudged;
    std::vector<Measurement> values;
    // Why the procedure did not complete, as the operator was told (empty when it completed).
    std::string reason;
    // The texts the procedure showed, in order.
    std::vector<ShownMessage> messages;
    std::vector<ShownResult> results;

    // Completed and not judged NG: what a production line may count as passed.
    bool passed() const { return ending == Ending::Completed && judgement != Judgement::Ng; }

    static Outcome completed() { return {}; }
    static Outcome failed(int32_t linkResult, std::string reason);
    static Outcome declined(std::string question);
    static Outcome fileUnusable(std::string reason);
    static Outcome needsConsole(std::string reason);

    // Adds a measured number; returns *this.
    Outcome& measure(std::string name, double value, std::string unit = {});
    // Adds a measured text; returns *this.
    Outcome& note(std::string name, std::string text);
    // The value named `name`, if measured.
    const Measurement* value(std::string_view name) const;
    // Sets the judgement from a pass/NG verdict; returns *this.
    Outcome& judged(bool pass);
};

// Stable names for the endings and judgements, as records and JSON carry them.
const char* endingName(Ending ending);
const char* judgementName(Judgement judgement);
const char* messageKindName(MessageKind kind);

// Runs a procedure and adds to its outcome the texts the operator was shown while it ran.
// Procedures may nest (a Test list entry opening a dialog whose button runs one): each
// outcome holds the texts of its own run, the inner ones included.
Outcome runProcedure(Operator& op, const std::function<Outcome()>& procedure);

}  // namespace orvia
