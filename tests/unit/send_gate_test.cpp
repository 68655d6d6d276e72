// One send at a time, as scenarios: what arrives while a row's send holds its keys (the user's
// triggers "u2", triggers the send may have typed "t3", clicks that open something "click:menu",
// the exit "click:exit", which closes the gate when it runs) and what the gate makes of it, in
// order ("1 2 menu").
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <sstream>
#include <string>

#include "app/send_gate.h"

namespace vantero {
namespace {

struct Case {
    const char* start;                  // what happens while nothing is sent
    std::map<int, const char*> during;  // what happens during a row's first send
    const char* trace;
};

class Scenario {
public:
    explicit Scenario(const Case& c) : case_(c), gate_([this](int row) { send(row); }) {}

    std::string play() {
        events(case_.start);
        return trace_;
    }

private:
    void send(int row) {
        log(std::to_string(row));
        if (case_.during.count(row) && started_.insert(row).second) events(case_.during.at(row));
    }
    void events(const char* script) {
        std::istringstream in(script);
        for (std::string event; in >> event;) {
            if (event.rfind("click:", 0) == 0) {
                gate_.after_sends([this, what = event.substr(6)] {
                    log(what);
                    if (what == "exit") gate_.close();
                });
            } else {
                gate_.trigger(std::stoi(event.substr(1)), event[0] == 't');
            }
        }
    }
    void log(const std::string& what) { trace_ += (trace_.empty() ? "" : " ") + what; }

    const Case& case_;
    SendGate gate_;
    std::set<int> started_;
    std::string trace_;
};

TEST(SendGate, OneSendAtATime) {
    const Case cases[] = {
        {"u1 u2", {}, "1 2"},
        // The sending row's own repeat is dropped; other rows wait their turn, in order.
        {"u1", {{1, "u1 u1"}}, "1"},
        {"u1", {{1, "u3 u2"}}, "1 3 2"},
        {"u1", {{1, "u2 u2 u2"}}, "1 2"},
        {"u1", {{1, "u2 u3 u4 u5 u6 u7 u8 u9"}}, "1 2 3 4 5 6 7 8 9"},
        // A row the user triggers again after its send ran sends again.
        {"u1", {{1, "u2"}, {2, "u1"}}, "1 2 1"},
        // Rows that type their own or each other's triggers send once each.
        {"u1", {{1, "t1"}}, "1"},
        {"u2", {{2, "t3"}, {3, "t2"}}, "2 3"},
        {"u2", {{2, "t3"}, {3, "t2 t4"}, {4, "t3 t2"}}, "2 3 4"},
        // Menus, message boxes and the exit wait for the last send, queued ones included.
        {"u1", {{1, "click:menu u2"}}, "1 2 menu"},
        {"u1 click:menu", {}, "1 menu"},
        {"u1", {{1, "u2 click:exit u3"}}, "1 2 3 exit"},
        {"click:exit u1", {}, "exit"},
    };
    for (const Case& c : cases) {
        std::string during;
        for (const auto& [row, script] : c.during)
            during += " " + std::to_string(row) + ":[" + script + "]";
        EXPECT_EQ(Scenario(c).play(), c.trace) << c.start << during;
    }
}

}  // namespace
}  // namespace vantero
