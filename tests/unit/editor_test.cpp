// The editor's picks, as scenarios: three names picked in, what saving writes out
// ("Ctrl + A / 2|17|65"); and a row's keys opened back into picks.
#include <gtest/gtest.h>

#include <string>

#include "editor/editor_model.h"
#include "editor/key_names.h"

namespace vantero {
namespace {

std::string picks(const EditorModel& model) {
    return model.picked(0) + "," + model.picked(1) + "," + model.picked(2);
}

TEST(EditorModel, SavesThePicksInOrder) {
    const struct {
        const char *first, *second, *third, *saved;
    } cases[] = {
        {"Ctrl", "", "A", "Ctrl + A / 2|17|65"},
        {"Shift", "Alt", "Z", "Shift + Alt + Z / 3|16|18|90"},
        {"+", "R-5", "", "+ + R-5 / 2|107|101"},
        {"bogus", "", "", "bogus / none"},  // a name without a code: the row gets no keys
        {"", "Ctrl", "A", "nothing"},       // nothing saved without a first key
    };
    for (const auto& c : cases) {
        EditorModel model;
        model.pick(0, c.first);
        model.pick(1, c.second);
        model.pick(2, c.third);
        model.pick(3, "B");  // there is no fourth selector
        const auto saved = model.save();
        EXPECT_EQ(saved ? saved->display_text + " / " + (saved->keys ? saved->keys->text() : "none")
                        : "nothing",
                  c.saved);
    }
}

TEST(EditorModel, OpensOnTheRowsKeysAndKnowsWhetherTheyChanged) {
    const struct {
        const char *sequence, *picks;
    } cases[] = {
        {"3|16|18|90", "Shift,Alt,Z"},
        {"1|13", "Enter,,"},
        {"1|200", ",,"},  // no name for the code
        {"2|17", ",,"},   // not a valid string
    };
    EditorModel model;
    for (const auto& c : cases) {
        model.pick(0, "Win");  // whatever the last row left
        model.open(TargetKeys::parse(c.sequence));
        EXPECT_EQ(picks(model), c.picks) << c.sequence;
        EXPECT_FALSE(model.changed()) << c.sequence;
    }
    model.open(TargetKeys::parse("2|17|65"));
    model.pick(1, "B");
    EXPECT_TRUE(model.changed());
    model.pick(1, "A");
    EXPECT_FALSE(model.changed()) << "picked back to what it was";
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
