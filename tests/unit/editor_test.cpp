// The editor's picks, as scenarios: three names picked in, what saving writes out
// ("Ctrl + A / 2|17|65"); and a row's keys opened back into picks.
#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "editor/editor_model.h"
#include "editor/key_names.h"

namespace vantero {
namespace {

TEST(EditorModel, SavesThePicksInOrder) {
    const std::tuple<const char*, const char*, const char*, const char*> cases[] = {
        {"Ctrl", "", "A", "Ctrl + A / 2|17|65"},
        {"Shift", "Alt", "Enter", "Shift + Alt + Enter / 3|16|18|13"},
        {"+", "R-5", "", "+ + R-5 / 2|107|101"},
        {"bogus", "", "", "bogus / none"},  // a name without a code: the row gets no keys
        {"", "Ctrl", "A", "nothing"},       // nothing saved without a first key
    };
    for (const auto& [first, second, third, expected] : cases) {
        EditorModel model;
        int selector = 0;  // a fourth pick goes nowhere: there is no fourth selector
        for (const char* name : {first, second, third, "B"}) model.pick(selector++, name);
        const auto saved = model.save();
        EXPECT_EQ(saved ? saved->display_text + " / " + (saved->keys ? saved->keys->text() : "none")
                        : "nothing",
                  expected);
    }
}

TEST(EditorModel, OpensOnTheRowsKeysAndKnowsWhetherTheyChanged) {
    // A code without a name and a row without keys open on nothing, whatever was picked before.
    const std::pair<const char*, const char*> rows[] = {
        {"1|200", ",,"}, {"", ",,"}, {"3|16|18|90", "Shift,Alt,Z"}};
    EditorModel model;
    for (const auto& [sequence, picked] : rows) {
        model.pick(0, "Win");
        model.open(TargetKeys::parse(sequence));
        EXPECT_EQ(model.picked(0) + "," + model.picked(1) + "," + model.picked(2), picked);
        EXPECT_FALSE(model.changed()) << sequence;
    }
    model.pick(1, "B");
    EXPECT_TRUE(model.changed());
    model.pick(1, "Alt");
    EXPECT_FALSE(model.changed()) << "picked back to what it was";
}

TEST(EditorModel, ARemarkIsStoredAsOneLineKeptAsItWasOrRefusedWithTheReason) {
    // The file's code page lacks only "ä" and "ñ".
    auto holds = [](std::wstring_view c) { return c != L"ä" && c != L"ñ"; };
    using Action = RemarkSave::Action;
    // Typed, as opened; what saving does and the text stored or the reason refused.
    const std::tuple<const wchar_t*, const wchar_t*, Action, std::wstring> cases[] = {
        {L"十个字的旧备注一二三", L"十个字的旧备注一二三", Action::unchanged,
         L"十个字的旧备注一二三"},
        {L"a\r\n[b]", L"a", Action::store, L"a [b]"},
        {L"", L"复制", Action::store, L""},
        {L"1234567", L"", Action::store, L"1234567"},
        {L"Mäxñä", L"", Action::refused, L"设置文件存不下这些字符：äñ\n请换成别的字。"},
        {L"12345678ä", L"", Action::refused,
         L"备注最多7个字，这条有9个字。\n\n设置文件存不下这些字符：ä\n请换成别的字。"},
    };
    for (const auto& [typed, opened, action, text] : cases) {
        const RemarkSave judged = judge_remark(typed, opened, holds);
        EXPECT_EQ(std::pair(judged.action, judged.text), std::pair(action, text));
    }
}

TEST(KeyNames, EveryNameOfferedRoundTripsThroughASavedRow) {
    for (const auto* names : {&first_key_list_names(), &other_key_list_names()}) {
        for (const std::string& name : *names) {
            if (name.empty()) continue;
            EditorModel model;
            model.pick(0, name);
            model.open(model.save()->keys);
            EXPECT_EQ(model.picked(0), name);
        }
    }
    EXPECT_FALSE(key_code_of("ctrl").has_value()) << "names match exactly";
}

}  // namespace
}  // namespace vantero
