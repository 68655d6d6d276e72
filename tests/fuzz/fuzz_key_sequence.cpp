// Any text given to the sender, with any modifiers held (first byte, one bit per side) and the
// user's keys known or not (second byte): a valid parse agrees with the text's count; a send holds
// once and presses at most its keys, never one the user's own key still gives; keys are released
// in reverse order; held modifiers are lifted only behind a mask before anything is pressed, and
// each is offered back once nothing pressed is down.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/sender.h"
#include "common/key_sequence.h"

namespace {

using vantero::KeyStepKind;

void require(bool condition) {
    if (!condition) std::abort();
}

struct Checker final : vantero::KeyOutput {
    explicit Checker(vantero::ModifierSet held) : held(held) {}

    void send(const vantero::KeyStep& step) override {
        const std::uint8_t vk = step.virtual_key;
        if (step.kind == KeyStepKind::mask) {
            masked = true;
        } else if (step.kind == KeyStepKind::press) {
            const auto group = vantero::modifier_group(vk);
            vantero::ModifierSet still_held = held;
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
    void hold(int ms) override {
        require(ms == 100 || ms == 200);
        ++holds;
    }

    vantero::ModifierSet held;
    std::vector<std::uint8_t> down, lifted;
    bool masked = false;
    int presses = 0, holds = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) return 0;
    const auto held = vantero::ModifierSet::from_bits(data[0]);
    const std::string text(reinterpret_cast<const char*>(data + 2), size - 2);
    const auto keys = vantero::parse_key_sequence(text);
    const std::size_t count = keys ? keys->size() : 0;
    if (keys) require(count >= 1 && count <= 3 && text.starts_with(std::to_string(count) + "|"));
    Checker out(held);
    vantero::send_key_sequence(text, held, (data[1] & 1) != 0, out);
    require(out.down.empty() && out.lifted.empty());
    require(out.presses <= static_cast<int>(count) && out.holds == (keys ? 1 : 0));
    return 0;
}
