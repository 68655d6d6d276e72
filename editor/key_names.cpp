#include "editor/key_names.h"

#include <string>

namespace vantero {

namespace {

struct Entry {
    std::string name;
    int code;
};

// Every named key the editor offers. Letters and the two digit rows are generated.
const std::vector<Entry>& table() {
    static const std::vector<Entry> entries = [] {
        std::vector<Entry> t = {
            {"Shift", 16}, {"Ctrl", 17},     {"Alt", 18},   {"Win", 91},
            {"Enter", 13}, {"Backspace", 8}, {"Space", 32}, {"ESC", 27},
            {"LEFT", 37},  {"Right", 39},    {"UP", 38},    {"BOTTOM", 40},
            {"+", 107},    {"-", 109},       {"*", 106},    {"/", 111},
        };
        for (char c = 'A'; c <= 'Z'; ++c) t.push_back({std::string(1, c), c});
        for (int d = 0; d <= 9; ++d) {
            t.push_back({"L-" + std::to_string(d), 48 + d});
            t.push_back({"R-" + std::to_string(d), 96 + d});
        }
        return t;
    }();
    return entries;
}

// The entries after the letters, shared by both selectors.
void append_tail(std::vector<std::string>& names) {
    for (const char* n : {"LEFT", "Right", "UP", "BOTTOM", "+", "-", "*", "/"}) names.push_back(n);
    for (int d = 1; d <= 9; ++d) names.push_back("L-" + std::to_string(d));
    names.push_back("L-0");
    for (int d = 1; d <= 9; ++d) names.push_back("R-" + std::to_string(d));
    names.push_back("R-0");
}

void append_modifiers(std::vector<std::string>& names) {
    for (const char* n : {"Shift", "Ctrl", "Alt", "Win", "Enter", "Backspace", "Space", "ESC"}) {
        names.push_back(n);
    }
}

void append_letters(std::vector<std::string>& names) {
    for (char c = 'A'; c <= 'Z'; ++c) names.push_back(std::string(1, c));
}

}  // namespace

std::optional<int> key_code_of(std::string_view name) {
    for (const Entry& e : table()) {
        if (e.name == name) return e.code;
    }
    return std::nullopt;
}

std::optional<std::string> key_name(int code) {
    for (const Entry& e : table()) {
        if (e.code == code) return e.name;
    }
    return std::nullopt;
}

// The first selector leads with the modifiers since a combination usually starts with one.
const std::vector<std::string>& first_key_list_names() {
    static const std::vector<std::string> names = [] {
        std::vector<std::string> n{""};
        append_modifiers(n);
        append_letters(n);
        append_tail(n);
        return n;
    }();
    return names;
}

const std::vector<std::string>& other_key_list_names() {
    static const std::vector<std::string> names = [] {
        std::vector<std::string> n{""};
        append_letters(n);
        append_modifiers(n);
        append_tail(n);
        return n;
    }();
    return names;
}

}  // namespace vantero
