#include "camsim/faults.h"

namespace camsim {

namespace {

bool matches(const FaultRule& r, Unit unit, int op, int code) {
    return (r.unit == Unit::Any || r.unit == unit) && (r.op < 0 || r.op == op) &&
           (r.code < 0 || r.code == code);
}

FaultDecision fromRule(const FaultRule& r) {
    return {r.fault, r.strayByte, r.corruptIndex, r.delayUs};
}

}  // namespace

void FaultPlan::clear() {
    rules_.clear();
    rates_ = {};
}

uint64_t FaultPlan::next() {
    // splitmix64: small, fast and the same on every platform.
    uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

FaultDecision FaultPlan::decide(Unit unit, int op, int code, bool answerable) {
    FaultDecision d;
    for (auto& s : rules_) {
        if (!matches(s.rule, unit, op, code)) continue;
        int n = ++s.seen;
        bool inRange = n >= s.rule.nth && (s.rule.times == 0 || n < s.rule.nth + s.rule.times);
        if (inRange && d.fault == Fault::None) d = fromRule(s.rule);
    }
    if (d.fault == Fault::None && answerable) d = fromRates();
    if (d.fault != Fault::None) {
        ++injected_;
        ++byKind_[static_cast<size_t>(d.fault)];
    }
    return d;
}

FaultDecision FaultPlan::fromRates() {
    const std::pair<double, Fault> table[] = {
        {rates_.drop, Fault::Drop},   {rates_.corrupt, Fault::Corrupt},
        {rates_.nak, Fault::Nak},     {rates_.dc1, Fault::Dc1},
        {rates_.stray, Fault::Stray}, {rates_.endSession, Fault::EndSession},
        {rates_.delay, Fault::Delay},
    };
    double total = 0;
    for (const auto& [rate, fault] : table)
        total += rate;
    if (total <= 0) return {};
    double u = static_cast<double>(next() >> 11) * 0x1.0p-53;
    FaultDecision d;
    d.delayUs = rates_.delayUs;
    for (const auto& [rate, fault] : table) {
        if (u < rate) {
            d.fault = fault;
            return d;
        }
        u -= rate;
    }
    return {};
}

Fault faultByName(const std::string& name) {
    static const std::pair<const char*, Fault> names[] = {
        {"drop", Fault::Drop},   {"corrupt", Fault::Corrupt}, {"nak", Fault::Nak},
        {"dc1", Fault::Dc1},     {"stray", Fault::Stray},     {"end", Fault::EndSession},
        {"delay", Fault::Delay},
    };
    for (const auto& [n, f] : names)
        if (name == n) return f;
    return Fault::None;
}

}  // namespace camsim
