#include <gtest/gtest.h>

#include <string>

#include "editor/editor_model.h"

namespace vantero {
namespace {

// "display / sequence" after picking the three names, or "-" when nothing is saved.
std::string save_after(EditorModel& model, const char* a, const char* b, const char* c) {
    model.pick(0, a);
    model.pick(1, b);
    model.pick(2, c);
    auto saved = model.save();
    return saved ? saved->display_text + " / " + saved->key_sequence : "-";
}

TEST(EditorModel, Save) {
    const struct {
        const char *a, *b, *c, *saved;
    } cases[] = {
        {"Ctrl", "", "A", "Ctrl + A / 2|17|65"},
        {"Shift", "Alt", "Z", "Shift + Alt + Z / 3|16|18|90"},
        {"R-5", "", "", "R-5 / 1|101"},
        {"L-0", "", "", "L-0 / 1|48"},
        {"Ctrl", "Enter", "", "Ctrl + Enter / 2|17|13"},
        {"+", "-", "*", "+ + - + * / 3|107|109|106"},
        {"bogus", "", "", "bogus / 1|"},  // a name without a code still counts
        {"", "Ctrl", "A", "-"},
        {"", "", "", "-"},
    };
    for (const auto& c : cases) {
        EditorModel model;
        EXPECT_EQ(save_after(model, c.a, c.b, c.c), c.saved);
    }
}

TEST(EditorModel, PicksStayBetweenSaves) {
    EditorModel model;
    EXPECT_EQ(save_after(model, "Ctrl", "A", ""), "Ctrl + A / 2|17|65");
    model.pick(1, "");
    EXPECT_EQ(model.save()->key_sequence, "1|17");
    model.pick(2, "B");
    EXPECT_EQ(model.save()->key_sequence, "2|17|66");
    EXPECT_EQ(model.picked(0) + "," + model.picked(1) + "," + model.picked(2), "Ctrl,,B");
    model.pick(0, "");
    EXPECT_FALSE(model.save().has_value());
}

TEST(EditorModel, OpensOnTheRowsKeysAndKnowsWhetherTheyChanged) {
    const struct {
        const char *sequence, *picks;
    } cases[] = {
        {"2|17|65", "Ctrl,A,"},
        {"3|16|18|90", "Shift,Alt,Z"},
        {"1|13", "Enter,,"},
        {"1|200", ",,"},  // no name for the code
        {"", ",,"},
        {"2|17", ",,"},  // not a valid string
    };
    EditorModel model;
    for (const auto& c : cases) {
        model.pick(0, "Win");  // whatever the last row left
        model.open(c.sequence);
        EXPECT_EQ(model.picked(0) + "," + model.picked(1) + "," + model.picked(2), c.picks)
            << c.sequence;
        EXPECT_FALSE(model.changed()) << c.sequence;
    }
    model.open("2|17|65");
    model.pick(1, "B");
    EXPECT_TRUE(model.changed());
    model.pick(1, "A");
    EXPECT_FALSE(model.changed()) << "picked back to what it was";
}

TEST(EditorModel, BadSelectorIsIgnored) {
    EditorModel model;
    for (int bad : {-1, 3, 1000}) {
        model.pick(bad, "A");
        EXPECT_EQ(model.picked(bad), "");
    }
    EXPECT_FALSE(model.save().has_value());
}

}  // namespace
}  // namespace vantero
