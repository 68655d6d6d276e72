#include "app/send_engine.h"

#include <algorithm>

namespace vantero {
namespace {

bool contains(const auto& items, const auto& item) {
    return std::find(items.begin(), items.end(), item) != items.end();
}

}  // namespace

void SendEngine::set_trigger(int row, std::optional<TypedChord> trigger) {
    if (row < 0 || row >= kRowCount) return;
    triggers_[row] = trigger;
    if (!trigger) std::erase(waiting_, row);
}

void SendEngine::trigger(int row, bool from_user, Micros now) {
    if (closed_ || row < 0 || row >= kRowCount || !triggers_[row]) return;
    if (current_) {
        if (row == current_->row || contains(waiting_, row)) return;
        if (!from_user && contains(sent_since_idle_, row)) return;
        waiting_.push_back(row);
        return;
    }
    waiting_.push_back(row);
    start_waiting(now);
}

void SendEngine::tick(Micros now) {
    if (current_ && now >= current_->due) finish();
    if (!current_) start_waiting(now);
}

void SendEngine::close() {
    closed_ = true;
    waiting_.clear();
    if (current_) finish();
}

std::optional<Micros> SendEngine::wake_at() const {
    if (!current_) return std::nullopt;
    return current_->due;
}

void SendEngine::start_waiting(Micros now) {
    while (!closed_ && !waiting_.empty()) {
        const int row = waiting_.front();
        waiting_.pop_front();
        if (triggers_[row] && start(row, now)) return;
    }
    // Idle again: rows may send once more whatever typed their triggers.
    sent_since_idle_.clear();
}

bool SendEngine::start(int row, Micros now) {
    const std::optional<SendStart> keys = port_.begin_send(row);
    if (!keys) return false;
    const SendPlan plan = plan_send(keys->keys.codes(), keys->held, keys->user_keys_known);
    Send send{row, now + Micros{plan.hold_ms} * 1000, plan.after_hold, {}};
    // A chord typed that is one of the rows' triggers would fire that row instead of reaching
    // the window.
    const std::vector<TypedChord> chords = typed_chords(plan, keys->held);
    for (int k = 0; k < kRowCount; ++k) {
        if (triggers_[k] && contains(chords, *triggers_[k])) send.silenced.push_back(k);
    }
    sent_since_idle_.push_back(row);
    current_ = std::move(send);
    for (int k : current_->silenced) port_.silence_trigger(k, true);
    for (const KeyStep& step : plan.before_hold) port_.type(step);
    return true;
}

void SendEngine::finish() {
    // Its keys go up before anything else can start.
    Send send = std::move(*current_);
    for (const KeyStep& step : send.release) port_.type(step);
    current_.reset();
    port_.end_send();
    for (int k : send.silenced) port_.silence_trigger(k, false);
}

}  // namespace vantero
