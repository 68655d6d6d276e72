// Any text given to a row's send, with any modifiers held (first byte, one bit per side) and the
// user's keys known or not (second byte): a valid parse agrees with the text's count; the engine
// holds once, for the hold time, and presses at most its keys, never one the user's own key still
// gives; keys are released in reverse order; held modifiers are lifted only behind a mask before
// anything is pressed, and each is offered back once nothing pressed is down.
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "app/send_engine.h"
#include "common/key_sequence.h"

namespace {

using namespace vantero;

void require(bool condition) {
    if (!condition) std::abort();
}

struct Checker final : SendPort {
    Checker(std::optional<TargetKeys> keys, ModifierSet held, bool known)
        : keys(std::move(keys)), held(held), known(known) {}

    std::optional<SendStart> begin_send(int) override {
        return keys ? std::optional(SendStart{*keys, held, known}) : std::nullopt;
    }
    void end_send() override { ++ends; }
    void silence_trigger(int, bool) override {}
    void type(const KeyStep& step) override {
        const std::uint8_t vk = step.virtual_key;
        if (step.kind == KeyStepKind::mask) {
            masked = true;
        } else if (step.kind == KeyStepKind::press) {
            const auto group = modifier_group(vk);
            ModifierSet still_held = held;
            for (std::uint8_t side : lifted) still_held.remove(side);
            require(!group || !still_held.any_in(*group));
            down.push_back(vk);
            ++presses;
        } else if (step.kind == KeyStepKind::press_if_held) {
            require(down.empty() && !lifted.empty() && lifted.front() == vk);
            lifted.erase(lifted.begin());
        } else if (!down.empty() && down.back() == vk) {
            down.pop_back();
        } else {  // a release of the user's own modifier: a lift
            require(held.contains(vk) && masked && presses == 0 && holds == 0);
            lifted.push_back(vk);
        }
    }
    std::optional<TargetKeys> keys;
    ModifierSet held;
    bool known;
    std::vector<std::uint8_t> down, lifted;
    bool masked = false;
    int presses = 0, holds = 0, ends = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) return 0;
    const std::string text(reinterpret_cast<const char*>(data + 2), size - 2);
    const auto keys = TargetKeys::parse(text);
    const std::size_t count = keys ? keys->codes().size() : 0;
    if (keys) require(count >= 1 && count <= 3 && text.starts_with(std::to_string(count) + "|"));
    Checker out(keys, ModifierSet::from_bits(data[0]), (data[1] & 1) != 0);
    SendEngine engine(out);
    engine.set_trigger(0, TypedChord{'1', 3});
    engine.trigger(0, true, 0);
    if (const auto due = engine.wake_at()) {
        require(*due == 100'000 || *due == 200'000);
        ++out.holds;
        engine.tick(*due - 1);
        require(engine.sending());
        engine.tick(*due);
    }
    require(!engine.sending() && out.ends == out.holds);
    require(out.down.empty() && out.lifted.empty());
    require(out.presses <= static_cast<int>(count) && out.holds == (keys ? 1 : 0));
    return 0;
}
