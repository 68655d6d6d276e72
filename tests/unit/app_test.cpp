// Sending a row's keys, as scenarios: the key-sequence string and the modifiers the user holds
// in, the key steps out ("mask up:164 dn:65 hold:200 up:65 dn-if-held:164 mask"); and the gate
// that runs one send at a time.
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <optional>
#include <set>
#include <sstream>
#include <stdexcept>
#include <string>
#include <tuple>

#include "app/chrome_layout.h"
#include "app/elevation.h"
#include "app/row_start.h"
#include "app/send_gate.h"
#include "app/sender.h"
#include "app/start_options.h"
#include "common/key_sequence.h"
#include "common/scale.h"

namespace vantero {
namespace {

void append(std::string& trace, const std::string& event) {
    trace += (trace.empty() ? "" : " ") + event;
}

class Recorder : public KeyOutput {
public:
    void send(const KeyStep& step) override {
        // In the order of KeyStepKind.
        static const char* const kKinds[] = {"dn:", "up:", "dn-if-held:", "up-if-free:", "mask"};
        const bool mask = step.kind == KeyStepKind::mask;
        append(trace, kKinds[static_cast<int>(step.kind)] +
                          (mask ? "" : std::to_string(step.virtual_key)));
        if (step.kind == KeyStepKind::press && step.virtual_key == fail_press_of)
            throw std::runtime_error("press");
    }
    void hold(int ms) override {
        append(trace, "hold:" + std::to_string(ms));
        if (fail_hold) throw std::runtime_error("hold");
    }

    std::string trace;
    bool fail_hold = false;
    int fail_press_of = -1;
};

ModifierSet held_keys(std::initializer_list<std::uint8_t> sides) {
    ModifierSet held;
    for (std::uint8_t side : sides) held.add(side);
    return held;
}

constexpr std::uint8_t kLCtrl = kVkLeftCtrl, kRCtrl = kVkRightCtrl, kLAlt = kVkLeftAlt,
                       kLShift = kVkLeftShift, kRWin = kVkRightWinKey;

TEST(Sender, TheWindowSeesExactlyTheTargetKeys) {
    const struct {
        std::initializer_list<std::uint8_t> held;
        const char* sequence;
        const char* trace;
        bool user_keys_known = true;
    } cases[] = {
        // Pressed in order, held, released in reverse; fields past the count are not read.
        {{}, "1|65|66", "dn:65 hold:100 up:65"},
        {{}, "3|17|16|255", "dn:17 dn:16 dn:255 hold:200 up:255 up-if-free:16 up-if-free:17"},
        {{}, "1|007", "dn:7 hold:100 up:7"},
        // The user's modifiers that the target does not use are lifted behind a mask and put
        // back if still held; one the target uses stays as the user holds it, either side.
        {{kLCtrl, kLAlt}, "2|17|65", "mask up:164 dn:65 hold:200 up:65 dn-if-held:164 mask"},
        {{kLCtrl, kLShift},
         "1|66",
         "mask up:160 up:162 dn:66 hold:100 up:66 dn-if-held:160 dn-if-held:162 mask"},
        {{kRCtrl}, "2|17|65", "dn:65 hold:200 up:65"},
        {{kRWin}, "2|91|68", "dn:68 hold:200 up:68"},
        // A target of held modifiers only is typed as a tap of its keys.
        {{kLCtrl, kLAlt},
         "1|18",
         "mask up:162 up:164 dn:18 hold:100 up:18 dn-if-held:162 dn-if-held:164 mask"},
        {{kLCtrl}, "1|17", "mask up:162 dn:17 hold:100 up:17 dn-if-held:162 mask"},
        {{kLCtrl}, "1|17", "hold:100", false},
        // Without the user's keys no one can tell later whether a lifted key is still held.
        {{kLCtrl, kLAlt}, "2|17|65", "dn:65 hold:200 up:65", false},
        {{kLCtrl}, "2|16|65", "dn:16 dn:65 hold:200 up:65 up:16", false},
        // Not a valid key-sequence string: nothing at all.
        {{kLCtrl, kLAlt}, "2|65", ""},
        {{kLCtrl, kLAlt}, "01|65", ""},
        {{kLCtrl, kLAlt}, "1|256", ""},
        {{kLCtrl, kLAlt}, "1|4294967361", ""},  // 2^32 + 65
        {{kLCtrl, kLAlt}, "4|65|66|67|68", ""},
        {{kLCtrl, kLAlt}, "2||65", ""},
    };
    for (const auto& c : cases) {
        Recorder out;
        send_key_sequence(c.sequence, held_keys(c.held), c.user_keys_known, out);
        EXPECT_EQ(out.trace, c.trace) << '"' << c.sequence << '"';
    }
}

// The chords a send types, as a registered hotkey would see them: "49/3" is Ctrl+Alt+1.
TEST(Sender, NamesTheChordsItTypes) {
    const struct {
        std::initializer_list<std::uint8_t> held;
        const char* sequence;
        const char* chords;
    } cases[] = {
        {{}, "3|17|18|49", "17/0 18/2 49/3"},
        {{kLCtrl, kLAlt}, "3|17|18|49", "49/3"},
        {{kLCtrl, kLAlt}, "2|17|65", "65/2"},
        {{kRWin}, "3|91|16|66", "16/8 66/12"},
    };
    for (const auto& c : cases) {
        std::string chords;
        const SendPlan plan = plan_send(*parse_key_sequence(c.sequence), held_keys(c.held), true);
        for (const TypedChord& chord : typed_chords(plan, held_keys(c.held)))
            append(chords,
                   std::to_string(chord.virtual_key) + "/" + std::to_string(chord.modifiers));
        EXPECT_EQ(chords, c.chords) << c.sequence;
    }
}

TEST(Sender, EveryKeyIsReleasedWhenSendingFails) {
    Recorder hold_fails;
    hold_fails.fail_hold = true;
    EXPECT_THROW(send_key_sequence("2|17|65", held_keys({kLAlt}), true, hold_fails),
                 std::runtime_error);
    EXPECT_EQ(hold_fails.trace,
              "mask up:164 dn:17 dn:65 hold:200 up:65 up-if-free:17 dn-if-held:164 mask");
    // A press that failed may still have reached the system: it is released too.
    Recorder press_fails;
    press_fails.fail_press_of = 65;
    EXPECT_THROW(send_key_sequence("2|17|65", {}, true, press_fails), std::runtime_error);
    EXPECT_EQ(press_fails.trace, "dn:17 dn:65 up:65 up-if-free:17");
}

// What arrives while a row's send holds its keys: the user's triggers "u2", triggers the send
// may have typed "t3", clicks that open something "click:menu", the exit "click:exit" (which
// closes the gate when it runs); out comes what the gate runs, in order ("1 2 menu").
struct GateCase {
    const char* start;                  // while nothing is sent
    std::map<int, const char*> during;  // during a row's first send
    const char* trace;
};

std::string play(const GateCase& c) {
    std::string trace;
    std::set<int> started;
    std::function<void(const char*)> events;
    SendGate gate([&](int row) {
        append(trace, std::to_string(row));
        if (c.during.count(row) && started.insert(row).second) events(c.during.at(row));
    });
    events = [&](const char* script) {
        std::istringstream in(script);
        for (std::string event; in >> event;) {
            if (!event.starts_with("click:")) {
                gate.trigger(std::stoi(event.substr(1)), event[0] == 't');
                continue;
            }
            gate.after_sends([&, what = event.substr(6)] {
                append(trace, what);
                if (what == "exit") gate.close();
            });
        }
    };
    events(c.start);
    return trace;
}

TEST(SendGate, OneSendAtATime) {
    const GateCase cases[] = {
        {"u1 u2", {}, "1 2"},
        // The sending row's own repeat is dropped; other rows wait their turn, once each.
        {"u1", {{1, "u1 u1"}}, "1"},
        {"u1", {{1, "u3 u2 u3"}}, "1 3 2"},
        {"u1", {{1, "u2"}, {2, "u1"}}, "1 2 1"},
        // Rows that type their own or each other's triggers send once each.
        {"u1", {{1, "t1"}}, "1"},
        {"u2", {{2, "t3"}, {3, "t2 t4"}, {4, "t3 t2"}}, "2 3 4"},
        // Menus, message boxes and the exit wait for the last send, queued ones included.
        {"u1", {{1, "click:menu u2"}}, "1 2 menu"},
        {"u1", {{1, "u2 click:exit u3"}}, "1 2 3 exit"},
        {"click:exit u1", {}, "exit"},
    };
    for (const GateCase& c : cases) EXPECT_EQ(play(c), c.trace) << c.start;
}

// A row starts only with a named trigger, valid target keys and, for a typing key, a yes; each
// refusal the user is told of names the row.
TEST(RowStart, ChecksInTheOrderOfAClickAndNamesEachRowRefused) {
    const struct {
        RowFacts facts;
        RowRefusal refusal;
    } cases[] = {
        {{0, false, true, false, false}, RowRefusal::no_trigger},
        {{232, false, true, false, false}, RowRefusal::unnamed_trigger},
        {{65, true, false, true, false}, RowRefusal::no_target},
        {{65, true, true, true, false}, RowRefusal::needs_confirmation},
        {{65, true, true, true, true}, RowRefusal::none},
        {{112, true, true, false, false}, RowRefusal::none},
    };
    for (const auto& c : cases)
        EXPECT_EQ(check_row_start(c.facts), c.refusal) << c.facts.trigger_key;

    EXPECT_EQ(describe_rows_not_started({{2, RowRefusal::registration_refused},
                                         {5, RowRefusal::none},
                                         {9, RowRefusal::no_target}}),
              L"第 2 行：热键已被其他程序占用\n第 9 行：没有设置要发送的按键");
    EXPECT_EQ(describe_rows_not_started({{1, RowRefusal::none}}), L"");
}

// Layout lengths and font heights at a resolution round half away from zero, as the system's
// MulDiv does; the pictures come from the nearest drawn scale, the larger of two equally near.
TEST(Scale, RoundsAsTheSystemDoesAndPicksTheNearestPictures) {
    EXPECT_EQ(Scale(144).twips(2325), 233);
    EXPECT_EQ(Scale(144).px(-2), -3);
    EXPECT_EQ(Scale(0).px(10), 10);
    for (int dpi = 72; dpi <= 288; ++dpi)  // the hotkey boxes' fonts were sized by MulDiv
        for (int pt = 1; pt <= 36; ++pt) ASSERT_EQ(Scale(dpi).points(pt), mul_div(pt, dpi, 72));
    const std::pair<int, int> nearest[] = {{72, 0},  {96, 0},  {108, 1},
                                           {132, 2}, {168, 3}, {400, 3}};
    for (const auto& [dpi, index] : nearest) EXPECT_EQ(nearest_picture_scale(dpi), index) << dpi;
}

// A click on the main window's frame lands on what is drawn there at 100 % and 150 % (the exit
// area overlaps the hide button and wins); the window is centred in the work area, but never with
// its title off the screen.
TEST(MainWindowLayout, ClicksLandOnWhatIsDrawnAndTheWindowStaysOnTheScreen) {
    using enum ChromeHit;
    const std::tuple<int, Point, ChromeHit> cases[] = {
        {96, {770, 39}, hide_button}, {96, {779, 27}, exit_area},     {96, {805, 49}, skin},
        {96, {260, 20}, title_label}, {144, {1155, 58}, hide_button}, {144, {1214, 10}, outside}};
    for (const auto& [dpi, at, hit] : cases)
        EXPECT_EQ(chrome_hit_test(at, Scale(dpi)), hit) << dpi << ": " << at.x << "," << at.y;
    EXPECT_EQ(centred({0, 0, 1280, 1024}, {814, 591}), (Point{233, 216}));
    EXPECT_EQ(centred({0, 40, 800, 600}, {1221, 887}), (Point{0, 40}));
}

// The keys go unless the focused program runs higher than this one; each program is named once.
TEST(Elevation, HoldsBackSendsToHigherLevelsAndTellsOncePerProgram) {
    constexpr unsigned long kMedium = 0x2000, kHigh = 0x3000, kSystem = 0x4000;
    struct Case {
        std::optional<unsigned long> own, target;
        const wchar_t* program;
        bool send, tell, restart_helps;
    };
    const Case cases[] = {
        {kMedium, kMedium, L"notepad.exe", true, false, false},
        {kMedium, kHigh, L"regedit.exe", false, true, true},
        {kMedium, kSystem, L"REGEDIT.EXE", false, false, false},  // the same program
        {kMedium, kHigh, L"taskmgr.exe", false, true, true},
        {kHigh, kSystem, L"winlogon.exe", false, true, false},
        {kHigh, kHigh, L"regedit.exe", true, false, false},
        {kHigh, kMedium, L"notepad.exe", true, false, false},
        {kMedium, std::nullopt, L"", true, false, false},  // unknown: as before
        {std::nullopt, kSystem, L"lsass.exe", true, false, false},
    };
    std::set<std::wstring> told;
    for (const Case& c : cases) {
        const SendDecision decision = decide_send(c.own, c.target, c.program, told);
        EXPECT_EQ(std::tuple(decision.send, decision.tell, decision.restart_helps),
                  std::tuple(c.send, c.tell, c.restart_helps))
            << testing::PrintToString(std::wstring(c.program));
    }
}

TEST(StartOptions, ReadsTheArgumentsThatStartInTheTrayOrAfterARestart) {
    const std::pair<const wchar_t*, std::pair<bool, bool>> cases[] = {
        {L"", {false, false}},
        {L"/tray", {true, false}},
        {L"  /TRAY\t", {true, false}},
        {L"/restarted", {false, true}},
        {L"/tray /restarted", {true, true}},
        {L"/trays \"/tray x\" tray", {false, false}},
    };
    for (const auto& [line, want] : cases) {
        const StartOptions options = parse_start_options(line);
        EXPECT_EQ(std::pair(options.in_tray, options.after_restart), want)
            << testing::PrintToString(std::wstring(line));
    }
    // What the Run value holds starts the program in the tray, its path kept whole.
    const std::wstring command = start_in_tray_command(L"C:\\Program Files\\V\\vantero.exe");
    EXPECT_EQ(command, L"\"C:\\Program Files\\V\\vantero.exe\" /tray");
    EXPECT_TRUE(parse_start_options(command).in_tray);
}

}  // namespace
}  // namespace vantero
