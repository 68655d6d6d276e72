// Sending a row's keys, as scenarios: the key-sequence string and the modifiers the user holds
// in, the key steps and the chords typed out ("mask up:164 dn:65 hold:200 up:65 dn-if-held:164
// mask = 65/2"); the engine that runs the sends in time, triggers and clock in ("h1 +20 w2 +300"),
// steps and times out ("dn:65@0 up:65@100 dn:66@100 up:66@200"); what the keyboard watch makes of
// each key event.
#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <set>
#include <sstream>
#include <string>
#include <tuple>

#include "app/chrome_layout.h"
#include "app/elevation.h"
#include "app/key_watch_state.h"
#include "app/page_places.h"
#include "app/row_start.h"
#include "app/send_engine.h"
#include "app/sender.h"
#include "app/start_options.h"
#include "app/tray_menu.h"
#include "common/external_strings.h"
#include "common/key_event_tag.h"
#include "common/key_sequence.h"
#include "common/scale.h"

namespace vantero {
namespace {

// One trace for every table: events joined by spaces.
template <class Char>
void append(std::basic_string<Char>& trace, const std::basic_string<Char>& event) {
    if (!trace.empty()) trace += Char{' '};
    trace += event;
}

std::string step_name(const KeyStep& step) {
    // In the order of KeyStepKind.
    static const char* const kKinds[] = {"dn:", "up:", "dn-if-held:", "up-if-free:", "mask"};
    const bool mask = step.kind == KeyStepKind::mask;
    return kKinds[static_cast<int>(step.kind)] + (mask ? "" : std::to_string(step.virtual_key));
}

// The steps of a send, then after "=" the chords it types as a registered hotkey would see them:
// "49/3" is Ctrl+Alt+1.
std::string plan_trace(const char* sequence, std::initializer_list<std::uint8_t> sides,
                       bool user_keys_known) {
    ModifierSet held;
    for (std::uint8_t side : sides) held.add(side);
    const SendPlan plan = plan_send(TargetKeys::parse(sequence)->codes(), held, user_keys_known);
    std::string trace;
    for (const KeyStep& step : plan.before_hold) append(trace, step_name(step));
    append(trace, "hold:" + std::to_string(plan.hold_ms));
    for (const KeyStep& step : plan.after_hold) append(trace, step_name(step));
    append(trace, std::string("="));
    for (const TypedChord& chord : typed_chords(plan, held))
        append(trace, std::to_string(chord.virtual_key) + "/" + std::to_string(chord.modifiers));
    return trace;
}

constexpr std::uint8_t kLCtrl = kVkLeftCtrl, kRCtrl = kVkRightCtrl, kLAlt = kVkLeftAlt,
                       kLShift = kVkLeftShift;

TEST(Sender, TheWindowSeesExactlyTheTargetKeys) {
    const struct {
        std::initializer_list<std::uint8_t> held;
        const char* sequence;
        const char* trace;
        bool user_keys_known = true;
    } cases[] = {
        // Pressed in order, held, released in reverse; fields past the count are not read.
        {{}, "1|65|66", "dn:65 hold:100 up:65 = 65/0"},
        {{},
         "3|17|16|255",
         "dn:17 dn:16 dn:255 hold:200 up:255 up-if-free:16 up-if-free:17 = 17/0 16/2 255/6"},
        // The user's modifiers that the target does not use are lifted behind a mask and put
        // back if still held; one the target uses stays as the user holds it, either side.
        {{kLCtrl, kLAlt}, "2|17|65", "mask up:164 dn:65 hold:200 up:65 dn-if-held:164 mask = 65/2"},
        {{kLCtrl, kLShift},
         "1|66",
         "mask up:160 up:162 dn:66 hold:100 up:66 dn-if-held:160 dn-if-held:162 mask = 66/0"},
        {{kRCtrl}, "2|17|65", "dn:65 hold:200 up:65 = 65/2"},
        // A target of held modifiers only is typed as a tap of its keys.
        {{kLCtrl, kLAlt},
         "1|18",
         "mask up:162 up:164 dn:18 hold:100 up:18 dn-if-held:162 dn-if-held:164 mask = 18/0"},
        // Without the user's keys no one can tell later whether a lifted key is still held.
        {{kLCtrl}, "1|17", "hold:100 =", false},
        {{kLCtrl, kLAlt}, "2|17|65", "dn:65 hold:200 up:65 = 65/3", false},
        {{kLCtrl}, "2|16|65", "dn:16 dn:65 hold:200 up:65 up:16 = 16/2 65/6", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(plan_trace(c.sequence, c.held, c.user_keys_known), c.trace) << c.sequence;
}

// Row n's trigger is Ctrl+Alt+n; it types the letter n ("1|65" for row 1) unless given targets.
// In a script, "h2" is row 2's hotkey from the system, "w2" the same seen by the keyboard watch
// (the user's), "+20" lets 20 ms pass, "-2" unticks row 2 and "x" ends the program. Out comes
// every key step with its time in ms, and "mute3"/"unmute3" for row 3's hotkey let go for a send.
class Scenario final : public SendPort {
public:
    explicit Scenario(const std::map<int, const char*>& targets)
        : targets_(targets.begin(), targets.end()) {
        for (int k = 0; k < kRowCount; ++k) {
            engine_.set_trigger(k, TypedChord{static_cast<std::uint8_t>('1' + k), 3});
            targets_.try_emplace(k + 1, "1|" + std::to_string('A' + k));
        }
    }

    std::string play(const char* script) {
        std::istringstream in(script);
        for (std::string event; in >> event;) {
            const int number = event.size() > 1 ? std::stoi(event.substr(1)) : 0;
            if (event[0] == '+') {
                const Micros until = now_ + number * 1000;
                while (engine_.wake_at() && *engine_.wake_at() <= until)
                    engine_.tick(now_ = *engine_.wake_at());
                engine_.tick(now_ = until);  // a wake-up before its time changes nothing
            } else if (event[0] == '-') {
                engine_.set_trigger(number - 1, std::nullopt);
            } else if (event[0] == 'x') {
                engine_.close();
            } else {
                engine_.trigger(number - 1, event[0] == 'w', now_);
            }
        }
        EXPECT_EQ(open_sends_, 0) << "a send still holds its keys";
        return trace_;
    }

private:
    std::optional<SendStart> begin_send(int row) override {
        const auto keys = TargetKeys::parse(targets_[row + 1]);
        open_sends_ += keys ? 1 : 0;
        return keys ? std::optional(SendStart{*keys, {}, true}) : std::nullopt;
    }
    void type(const KeyStep& step) override { record(step_name(step)); }
    void end_send() override { --open_sends_; }
    void silence_trigger(int row, bool silenced) override {
        record((silenced ? "mute" : "unmute") + std::to_string(row + 1));
    }
    void record(const std::string& s) { append(trace_, s + "@" + std::to_string(now_ / 1000)); }

    std::map<int, std::string> targets_;  // by row number
    SendEngine engine_{*this};
    Micros now_ = 0;
    int open_sends_ = 0;
    std::string trace_;
};

TEST(SendEngine, OneSendAtATimeEachHeldItsTimeAndEveryKeyReleased) {
    const struct {
        const char* script;
        const char* trace;
        std::map<int, const char*> targets = {};
    } cases[] = {
        {"h5 +300", "dn:17@0 dn:65@0 up:65@200 up-if-free:17@200", {{5, "2|17|65"}}},
        // Others wait their turn, in order, once each; the sending row's own repeat is dropped.
        {"h1 +20 h2 +20 w1 +300", "dn:65@0 up:65@100 dn:66@100 up:66@200"},
        {"h1 +10 w3 w2 w3 +400", "dn:65@0 up:65@100 dn:67@100 up:67@200 dn:66@200 up:66@300"},
        {"h1 +10 w2 +95 w1 +300", "dn:65@0 up:65@100 dn:66@100 up:66@200 dn:65@200 up:65@300"},
        // What the system reports during a send may be the send's own keys: rows that type
        // each other's triggers send once each, until the engine is idle again.
        {"h2 +10 h3 +100 h2 h4 +100 h3 h2 +300 h2 +300",
         "dn:66@0 up:66@100 dn:67@100 up:67@200 dn:68@200 up:68@300 dn:66@510 up:66@610"},
        // A chord typed that is another row's trigger lets go of that row's hotkey meanwhile.
        {"h2 +300",
         "mute3@0 dn:17@0 dn:18@0 dn:51@0 up:51@200 up-if-free:18@200 up-if-free:17@200 "
         "unmute3@200",
         {{2, "3|17|18|51"}}},
        // A row unticked while it waits does not send; one unticked while it sends finishes.
        {"h1 +10 h2 -2 +300", "dn:65@0 up:65@100"},
        {"h1 +10 -1 +300 h1 +300", "dn:65@0 up:65@100"},
        // A row that may not send now gives its turn to the next.
        {"h1 +10 h9 h2 +300", "dn:65@0 up:65@100 dn:66@100 up:66@200", {{9, "2|65"}}},
        // The end releases the keys at once, and nothing starts after.
        {"h1 +10 h2 +10 x +300 h3 +300", "dn:65@0 up:65@20"},
    };
    for (const auto& c : cases) EXPECT_EQ(Scenario(c.targets).play(c.script), c.trace) << c.script;
}

// A row starts only with a named trigger, valid target keys and, for a typing key, a yes; each
// refusal the user is told of names the row.
TEST(RowStart, ChecksInTheOrderOfAClickAndNamesEachRowRefused) {
    const std::pair<RowFacts, RowRefusal> cases[] = {
        {{0, false, true, false, false}, RowRefusal::no_trigger},
        {{232, false, true, false, false}, RowRefusal::unnamed_trigger},
        {{65, true, false, true, false}, RowRefusal::no_target},
        {{65, true, true, true, false}, RowRefusal::needs_confirmation},
        {{65, true, true, true, true}, RowRefusal::none},
        {{112, true, true, false, false}, RowRefusal::none},
    };
    for (const auto& [facts, refusal] : cases)
        EXPECT_EQ(check_row_start(facts), refusal) << facts.trigger_key;

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
    using Level = std::optional<unsigned long>;
    // This program's level, the focused one's and its name; send, tell, a restart would help.
    const std::tuple<Level, Level, const wchar_t*, bool, bool, bool> cases[] = {
        {kMedium, kMedium, L"notepad.exe", true, false, false},
        {kMedium, kHigh, L"regedit.exe", false, true, true},
        {kMedium, kSystem, L"REGEDIT.EXE", false, false, false},  // the same program
        {kMedium, kHigh, L"taskmgr.exe", false, true, true},
        {kHigh, kSystem, L"winlogon.exe", false, true, false},
        {std::nullopt, kSystem, L"lsass.exe", true, false, false},  // unknown: as before
    };
    std::set<std::wstring> told;
    for (const auto& [own, target, program, send, tell, restart_helps] : cases) {
        const SendDecision decision = decide_send(own, target, program, told);
        EXPECT_EQ(std::tuple(decision.send, decision.tell, decision.restart_helps),
                  std::tuple(send, tell, restart_helps))
            << testing::PrintToString(std::wstring(program));
    }
}

TEST(StartOptions, ReadsTheArgumentsThatStartInTheTrayOrAfterARestart) {
    const std::pair<const wchar_t*, std::pair<bool, bool>> cases[] = {
        {L"/tray", {true, false}},
        {L"  /TRAY\t", {true, false}},
        {L"/tray /restarted", {true, true}},
        {L"/trays \"/tray x\" tray", {false, false}},
    };
    for (const auto& [line, want] : cases) {
        const StartOptions options = parse_start_options(line);
        EXPECT_EQ(std::pair(options.in_tray, options.after_restart), want)
            << testing::PrintToString(std::wstring(line));
    }
    // The Run value that starts this program in the tray, its path kept whole, in any case.
    const wchar_t* path = L"C:\\Program Files\\V\\vantero.exe";
    EXPECT_TRUE(parse_start_options(start_in_tray_command(path)).in_tray);
    const std::pair<const wchar_t*, bool> run_values[] = {
        {L"\"C:\\Program Files\\V\\vantero.exe\" /tray", true},
        {L"\"c:\\program files\\v\\VANTERO.EXE\" /TRAY", true},
        {L"\"C:\\old\\vantero.exe\" /tray", false},
        {L"\"C:\\Program Files\\V\\vantero.exe\"", false},
    };
    for (const auto& [value, starts] : run_values)
        EXPECT_EQ(run_value_starts(value, path), starts)
            << testing::PrintToString(std::wstring(value));
}

// The tray menu as it opens ("Display(grey) 关于本软件 | 暂停[x] ..."), the tooltip, the clicks.
TEST(TrayMenu, ShowsTheStateAsItOpensAndAnswersOnlyTheButtonsRelease) {
    auto shown = [](const TrayState& state) {
        std::wstring items;
        for (const TrayMenuLine& line : tray_menu(state))
            append(items, line.item == kTraySeparator
                              ? L"|"
                              : line.caption + std::wstring(line.grey ? L"(grey)" : L"") +
                                    (line.ticked ? L"[x]" : L"") + L"#" +
                                    std::to_wstring(line.item));
        return items;
    };
    EXPECT_EQ(shown({}),
              L"Display(grey)#1 关于本软件#2 | 暂停#4 开机自动启动#5 以管理员身份运行#6 | 退出#3");
    EXPECT_EQ(shown({true, true, true}),
              L"Display(grey)#1 关于本软件#2 | 暂停[x]#4 开机自动启动[x]#5 | 退出#3");
    EXPECT_NE(std::wstring(tray_tip(true)), tray_tip(false));
    // Only a button's release acts: a double click brings two.
    const std::pair<unsigned, IconClick> clicks[] = {
        {0x0202, IconClick::show_main}, {0x0205, IconClick::open_menu}, {0x0201, IconClick::none}};
    for (const auto& [message, click] : clicks) EXPECT_EQ(icon_click(message), click) << message;
}

// The keyboard hook's decisions, as scenarios: the user's key events "dn:51", the program's
// "+dn:65" (the first of a send "*dn:65"), its put-back "put-back:164" and end mark "end", time
// passing "wait:5000" in; what is dropped and posted, the modifiers the user holds and the
// put-backs the user had let go of out. Row 1 is Ctrl+3, row 5 Ctrl+4.
std::string watch(const char* script) {
    using namespace key_event_tag;
    KeyWatchState state;
    state.reset({});
    for (auto [row, vk] : {std::pair{0, '3'}, {4, '4'}, {-1, '5'}, {kRowCount, '5'}})
        state.set_trigger(row, static_cast<std::uint8_t>(vk), 2);
    std::string trace;
    std::uint32_t now = 0xFFFFF000;  // the tick count wraps during the scenarios
    std::istringstream in(script);
    for (std::string event; in >> event;) {
        const size_t colon = event.find(':');
        const std::string what = event.substr(0, colon);
        const int number = what == "end" ? kVkMaskKey : std::stoi(event.substr(colon + 1));
        now += what == "wait" ? number : 0;
        if (what == "wait") continue;
        const std::uintptr_t tag = what == "put-back" ? make(press_if_held)
                                   : what == "end"    ? make(end_send)
                                   : what[0] == '+'   ? make(plain)
                                   : what[0] == '*'   ? make(plain) | kBeginsSend
                                                      : 0;
        const bool up = what.ends_with("up") || what == "end";
        const WatchDecision decision =
            state.on_key({static_cast<std::uint8_t>(number), up, false, 0, tag, now});
        if (decision.drop) append(trace, "drop:" + std::to_string(number));
        if (decision.post_row >= 0) append(trace, "post:" + std::to_string(decision.post_row + 1));
    }
    for (auto [name, set] :
         {std::pair{"held", state.user_modifiers()}, {"let-go", state.take_put_back_let_go()}}) {
        append(trace, std::string(name));
        for (std::uint8_t side : ModifierSet::kSides)
            if (set.contains(side)) trace += ":" + std::to_string(side);
    }
    return trace;
}

TEST(KeyWatch, TriggersDuringASendGoToTheListenerAndPutBacksTheUserLetGoAreNoted) {
    const std::pair<const char*, const char*> cases[] = {
        // During a send, by the modifiers the user holds (not the ones the send lifts): triggers,
        // repeats included, go to the listener; their key-ups and other keys pass.
        {"dn:162 *up:162 dn:51 dn:51 up:51 dn:52 dn:53 dn:49 +dn:51 end dn:51",
         "drop:51 post:1 drop:51 post:1 drop:52 post:5 held:162 let-go"},
        {"dn:160 dn:162 *dn:65 dn:51 up:160 dn:51 end", "drop:51 post:1 held:162 let-go"},
        // Nested sends: open until the last end; an end without a begin opens nothing, and
        // outside a send every key passes.
        {"dn:162 *dn:65 *dn:66 end dn:51 end dn:51 end end *dn:65 end dn:52",
         "drop:51 post:1 held:162 let-go"},
        // A send whose end mark was lost is over after five seconds.
        {"dn:162 *dn:65 wait:5000 dn:51 wait:1 dn:51 dn:52", "drop:51 post:1 held:162 let-go"},
        // A modifier put back as the user let go of it, until the user touches that key again.
        {"dn:164 dn:162 *up:164 up:164 up:162 put-back:164 put-back:162 up:160",
         "held let-go:162:164"},
        {"dn:164 *up:164 up:164 put-back:164 dn:164", "held:164 let-go"},
        {"dn:164 *up:164 put-back:164 +up:164 end", "held:164 let-go"},
    };
    for (const auto& [script, trace] : cases) EXPECT_EQ(watch(script), trace) << script;
}

// The program's own pages: the user's folder, else the temp folder's, one folder per version; the
// message that names the folders tried and why the last failed.
TEST(Pages, TryTheUsersFolderThenTheTempFolderAndSayWhyNeitherTookThem) {
    const std::tuple<const wchar_t*, const wchar_t*, const wchar_t*> cases[] = {
        {L"C:\\Users\\李\\AppData\\Local", L"C:\\Temp\\",
         L"C:\\Users\\李\\AppData\\Local\\Vantero>1.2 C:\\Temp\\Vantero>1.2 "},
        {L"", L"D:\\", L"D:\\Vantero>1.2 "},
    };
    for (const auto& [local, temp, expected] : cases) {
        std::wstring folders;
        for (const PageFolder& folder : page_folders(local, temp, L"1.2"))
            folders +=
                folder.product + L">" + folder.version.substr(folder.product.size() + 1) + L" ";
        EXPECT_EQ(folders, expected);
    }
    const std::wstring not_written = external::kPageNotWritten;
    EXPECT_EQ(no_page_copy_text({L"C:\\a", L"D:\\b"}, kErrorAlreadyExists, L"x"),
              not_written + L"\nC:\\a\nD:\\b\n\n原因：文件夹的位置上已有一个同名的文件。");
    EXPECT_EQ(no_page_copy_text({L"C:\\a"}, 5, L"拒绝访问。"),
              not_written + L"\nC:\\a\n\n原因：拒绝访问。（错误代码 5）。");
    EXPECT_EQ(no_page_copy_text({}, 1816, L""),
              not_written + L"\n\n原因：未知错误（错误代码 1816）。");
}

}  // namespace
}  // namespace vantero
