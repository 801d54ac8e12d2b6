#include "console/outcome.h"

#include <utility>

#include "console/operator.h"

namespace orvia {

Outcome Outcome::failed(int32_t linkResult, std::string reason) {
    Outcome o;
    o.ending = Ending::Failed;
    o.linkResult = linkResult;
    o.reason = std::move(reason);
    return o;
}

Outcome Outcome::declined(std::string question) {
    Outcome o;
    o.ending = Ending::Declined;
    o.reason = std::move(question);
    return o;
}

Outcome Outcome::fileUnusable(std::string reason) {
    Outcome o;
    o.ending = Ending::FileUnusable;
    o.reason = std::move(reason);
    return o;
}

Outcome Outcome::needsConsole(std::string reason) {
    Outcome o;
    o.ending = Ending::NeedsConsole;
    o.reason = std::move(reason);
    return o;
}

Outcome& Outcome::measure(std::string name, double value, std::string unit) {
    values.push_back({std::move(name), value, {}, std::move(unit)});
    return *this;
}

Outcome& Outcome::note(std::string name, std::string text) {
    values.push_back({std::move(name), std::nullopt, std::move(text), {}});
    return *this;
}

const Measurement* Outcome::value(std::string_view name) const {
    for (const Measurement& m : values) {
        if (m.name == name) return &m;
    }
    return nullptr;
}

Outcome& Outcome::judged(bool pass) {
    judgement = pass ? Judgement::Pass : Judgement::Ng;
    return *this;
}

const char* endingName(Ending ending) {
    switch (ending) {
        case Ending::Completed:
            return "completed";
        case Ending::Failed:
            return "failed";
        case Ending::Declined:
            return "declined";
        case Ending::FileUnusable:
            return "file_unusable";
        case Ending::NeedsConsole:
            return "needs_console";
        case Ending::Interrupted:
            return "interrupted";
    }
    return "failed";
}

const char* judgementName(Judgement judgement) {
    switch (judgement) {
        case Judgement::Pass:
            return "pass";
        case Judgement::Ng:
            return "ng";
        case Judgement::NotJudged:
            break;
    }
    return "not_judged";
}

const char* messageKindName(MessageKind kind) {
    switch (kind) {
        case MessageKind::Information:
            return "information";
        case MessageKind::Warning:
            return "warning";
        case MessageKind::Error:
            return "error";
        case MessageKind::Question:
            return "question";
        case MessageKind::Plain:
            break;
    }
    return "plain";
}

Transcript::Mark Transcript::begin() {
    ++depth_;
    return {messages_.size(), results_.size()};
}

void Transcript::end(const Mark& mark, Outcome& outcome) {
    // The texts of this part replace any an inner outcome brought along: they include them.
    outcome.messages.assign(messages_.begin() + static_cast<std::ptrdiff_t>(mark.messages),
                            messages_.end());
    outcome.results.assign(results_.begin() + static_cast<std::ptrdiff_t>(mark.results),
                           results_.end());
    if (--depth_ == 0) {
        messages_.clear();
        results_.clear();
    }
}

void Transcript::add(ShownMessage message) {
    if (depth_ > 0) messages_.push_back(std::move(message));
}

void Transcript::add(ShownResult result) {
    if (depth_ > 0) results_.push_back(std::move(result));
}

void Operator::message(MessageKind kind, std::string_view text) {
    transcript_.add(ShownMessage{kind, std::string(text)});
    showMessage(kind, text);
}

void Operator::noteResult(std::string_view heading, std::string_view text) {
    transcript_.add(ShownResult{std::string(heading), std::string(text)});
}

Outcome runProcedure(Operator& op, const std::function<Outcome()>& procedure) {
    Transcript& transcript = op.transcript();
    const Transcript::Mark mark = transcript.begin();
    Outcome outcome;
    try {
        outcome = procedure();
    } catch (...) {
        transcript.end(mark, outcome);
        throw;
    }
    transcript.end(mark, outcome);
    return outcome;
}

}  // namespace orvia
