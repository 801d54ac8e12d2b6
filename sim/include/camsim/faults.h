// Fault injection: seeded, deterministic, by rate or by script.
//
// Every unit the camera receives (the probe byte, a command frame, a data frame, a handshake
// byte that continues an exchange) may be given one fault, which shapes the camera's answer to
// that unit. Scripted rules are consulted first, in the order added; then the rates draw from a
// generator seeded by `seed`, so a run with the same seed and the same input repeats exactly.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace camsim {

enum class Fault {
    None,
    Drop,        // the answer is lost on the line (the camera acts on the unit all the same)
    Corrupt,     // one byte of the answer is altered
    Nak,         // NAK instead of acting on the unit
    Dc1,         // DC1 instead of acting on the unit
    Stray,       // an extra byte goes out before the answer
    EndSession,  // the session-end byte instead of acting on the unit; the session is over
    Delay,       // the answer goes out late (by default past the 12-second handshake time-out)
};

enum class Unit { Any, Probe, Command, Data, Handshake };

inline constexpr uint64_t kDefaultFaultDelayUs = 13'000'000;

// "On the nth unit of this kind (with this operation and code) do this."
struct FaultRule {
    Fault fault = Fault::None;
    Unit unit = Unit::Command;
    int op = -1;    // operation of the command or of the exchange the unit belongs to; -1 any
    int code = -1;  // command code of that exchange; -1 any
    int nth = 1;    // first matching unit acted on, counting from 1
    int times = 1;  // matching units acted on from the nth; 0 for all of them
    uint8_t strayByte = 0x7E;
    int corruptIndex = -1;  // byte of the answer to alter; -1 lets the generator choose
    uint64_t delayUs = kDefaultFaultDelayUs;
};

// Probability per unit of each fault (only units the camera would answer).
struct FaultRates {
    double drop = 0, corrupt = 0, nak = 0, dc1 = 0, stray = 0, endSession = 0, delay = 0;
    uint64_t delayUs = kDefaultFaultDelayUs;
};

// The fault chosen for one unit, with its details.
struct FaultDecision {
    Fault fault = Fault::None;
    uint8_t strayByte = 0x7E;
    int corruptIndex = -1;
    uint64_t delayUs = kDefaultFaultDelayUs;
};

class FaultPlan {
  public:
    explicit FaultPlan(uint64_t seed = 1) : state_(seed) {}

    void reseed(uint64_t seed) { state_ = seed; }
    void add(const FaultRule& rule) { rules_.push_back({rule, 0}); }
    void setRates(const FaultRates& rates) { rates_ = rates; }
    void clear();

    // Chooses the fault for one unit. `answerable` units are open to the rates.
    FaultDecision decide(Unit unit, int op, int code, bool answerable);

    // Next value of the seeded generator.
    uint64_t next();
    // Faults injected so far, in all and of one kind.
    int injected() const { return injected_; }
    int injected(Fault kind) const { return byKind_[static_cast<size_t>(kind)]; }

  private:
    struct Scripted {
        FaultRule rule;
        int seen;
    };
    FaultDecision fromRates();

    std::vector<Scripted> rules_;
    FaultRates rates_;
    uint64_t state_;
    int injected_ = 0;
    int byKind_[static_cast<size_t>(Fault::Delay) + 1] = {};
};

// "drop", "corrupt", "nak", "dc1", "stray", "end", "delay" -> the fault; None otherwise.
Fault faultByName(const std::string& name);

}  // namespace camsim
