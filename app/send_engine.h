#pragma once
// Decides what is typed and when: one row's send at a time, its keys pressed, held for the hold
// time and released, then the next trigger that waited. It reads no clock and calls no system:
// the time comes in with each call, key steps go out through a port, and wake_at() says when
// the engine must be called again (tick).
//
// - A trigger that arrives while no send runs starts its row's send at once.
// - During a send another row's trigger waits, in order, until the send has released its keys.
//   The sending row's own trigger (the keyboard's auto-repeat of a held trigger) is dropped, and
//   so is a trigger of a row already waiting: at most one send per row waits.
// - A trigger the system reports during a send may be the send's own keys (a target that is
//   another row's trigger): it waits only if its row has not sent since the engine was last
//   idle, so rows that type each other's triggers send once each, not for ever. The enabled rows
//   whose trigger is one of the chords a send types let go of their hotkeys for that send.
// - A row unticked or paused while it waits does not send. At the end (close) a send's keys are
//   released at once and nothing starts any more.
#include <array>
#include <cstdint>
#include <deque>
#include <optional>
#include <vector>

#include "app/sender.h"
#include "common/key_sequence.h"
#include "common/rows.h"

namespace vantero {

// Microseconds from any fixed start.
using Micros = std::int64_t;

// A send about to start: its target keys, the modifiers the user holds, and whether someone
// watches the user's keys (the steps that depend on them need it).
struct SendStart {
    TargetKeys keys;
    ModifierSet held;
    bool user_keys_known = false;
};

// The engine's way out to the keyboard and the rows.
class SendPort {
public:
    virtual ~SendPort() = default;
    // Row's send starts now: what it types, or nothing if it may not send now.
    virtual std::optional<SendStart> begin_send(int row) = 0;
    virtual void type(const KeyStep& step) = 0;
    // Every key the send pressed has been released.
    virtual void end_send() = 0;
    // Row's hotkey lets go while a send types its chord, and is taken back after.
    virtual void silence_trigger(int row, bool silenced) = 0;
};

class SendEngine {
public:
    explicit SendEngine(SendPort& port) : port_(port) {}

    // An enabled row's trigger as a registered hotkey has it; nothing for a row that is not
    // enabled (unticked or paused), and then a send of it that waits is dropped.
    void set_trigger(int row, std::optional<TypedChord> trigger);
    // Row's trigger fired. from_user: the keyboard watch saw the user press it; otherwise the
    // system's hotkey, which during a send may be the send's own keys.
    void trigger(int row, bool from_user, Micros now);
    // Ends a hold that is due and starts the next send that waits.
    void tick(Micros now);
    // Releases a send's keys at once and drops what waits; nothing starts any more.
    void close();

    bool sending() const { return current_.has_value(); }
    bool closed() const { return closed_; }
    bool has_trigger(int row) const { return triggers_[row].has_value(); }
    // When tick is due; nothing while no send holds keys.
    std::optional<Micros> wake_at() const;

private:
    struct Send {
        int row;
        Micros due;
        std::vector<KeyStep> release;
        std::vector<int> silenced;
    };
    void start_waiting(Micros now);
    bool start(int row, Micros now);
    void finish();

    SendPort& port_;
    std::array<std::optional<TypedChord>, kRowCount> triggers_{};
    std::optional<Send> current_;
    std::deque<int> waiting_;
    std::vector<int> sent_since_idle_;
    bool closed_ = false;
};

}  // namespace vantero
