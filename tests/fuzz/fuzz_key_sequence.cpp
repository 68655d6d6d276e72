// Any text given to the sender, with any modifiers held: a valid parse agrees with the text; a
// send presses at most three keys and releases each in reverse order; every modifier lifted is
// offered back; nothing held by the user that the target uses is touched.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/sender.h"
#include "common/key_sequence.h"

namespace {

using vantero::KeyStep;
using vantero::KeyStepKind;

class Recorder final : public vantero::KeyOutput {
public:
    explicit Recorder(vantero::ModifierSet held) : held_(held) {}

    void send(const KeyStep& step) override {
        switch (step.kind) {
            case KeyStepKind::press:
                if (auto group = vantero::modifier_group(step.virtual_key);
                    group && held_.any_in(*group))
                    std::abort();
                down.push_back(step.virtual_key);
                ++pressed;
                break;
            case KeyStepKind::release:
            case KeyStepKind::release_if_free:
                if (!held_.contains(step.virtual_key) || held_back_) {
                    if (down.empty() || down.back() != step.virtual_key) std::abort();
                    down.pop_back();
                } else {
                    lifted.push_back(
                        step.virtual_key);  // a held modifier lifted before the first press
                    if (pressed) std::abort();
                }
                break;
            case KeyStepKind::press_if_held:
                held_back_ = true;
                if (!down.empty() || lifted.empty() || lifted.front() != step.virtual_key)
                    std::abort();
                lifted.erase(lifted.begin());
                break;
            case KeyStepKind::mask:
                break;
        }
    }
    void hold(int ms) override {
        if (ms != 100 && ms != 200) std::abort();
        held_back_ = true;
        ++holds;
    }

    std::vector<int> down;
    std::vector<int> lifted;
    int pressed = 0;
    int holds = 0;

private:
    vantero::ModifierSet held_;
    bool held_back_ = false;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) return 0;  // the modifiers held, whether the user's keys are known, the text
    vantero::ModifierSet held;
    for (std::size_t i = 0; i < vantero::ModifierSet::kSides.size(); ++i) {
        if (data[0] & (1u << i)) held.add(vantero::ModifierSet::kSides[i]);
    }
    const std::string text(reinterpret_cast<const char*>(data + 2), size - 2);
    const auto keys = vantero::parse_key_sequence(text);
    if (keys) {
        if (keys->empty() || keys->size() > 3) std::abort();
        if (text.size() < 2 || text[0] != static_cast<char>('0' + keys->size()) || text[1] != '|')
            std::abort();
    }
    Recorder out(held);
    vantero::send_key_sequence(text, held, (data[1] & 1) != 0, out);
    if (!out.down.empty() || !out.lifted.empty()) std::abort();
    if (out.pressed > static_cast<int>(keys ? keys->size() : 0)) std::abort();
    if (out.holds != (keys ? 1 : 0)) std::abort();
    return 0;
}
