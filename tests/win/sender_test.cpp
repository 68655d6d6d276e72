// The sender's real key events, as a low-level keyboard hook sees them.
#include <gtest/gtest.h>

#include "app/keybd_output.h"
#include "app/sender.h"
#include "tests/win/key_event_log.h"

namespace vantero {
namespace {

using test::KeyEventLog;

std::string send_and_trace(const std::string& sequence, KeyEventLog& log, size_t expected_events) {
    log.clear();
    SystemKeyOutput keys;
    opendo(sequence, keys);
    if (expected_events == 0) {
        test::pump_for(300);  // give stray events time to show up
    } else {
        log.wait_for(expected_events, 2000);
    }
    return log.trace();
}

TEST(SenderUnderWine, PressesInOrderAndReleasesInReverseWithPlainFlags) {
    KeyEventLog log;
    struct Case {
        const char* sequence;
        const char* trace;
    };
    const Case cases[] = {
        {"1|65", "dn:65 up:65"},
        {"2|17|65", "dn:17 dn:65 up:65 up:17"},
        {"3|17|16|65", "dn:17 dn:16 dn:65 up:65 up:16 up:17"},
        {"2|37|38", "dn:37 dn:38 up:38 up:37"},  // arrows too go without the extended flag
        {"1|65|66", "dn:65 up:65"},              // fields after the count are ignored
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.sequence);
        const std::string expected = c.trace;
        const size_t n = static_cast<size_t>(std::count(expected.begin(), expected.end(), ':'));
        EXPECT_EQ(send_and_trace(c.sequence, log, n), expected);
        for (const test::KeyEvent& e : log.events()) {
            EXPECT_EQ(e.scan, 0u) << "vk " << e.vk;
            EXPECT_EQ(e.flags & LLKHF_EXTENDED, 0u) << "vk " << e.vk;
            EXPECT_NE(e.flags & LLKHF_INJECTED, 0u) << "vk " << e.vk;
        }
    }
}

TEST(SenderUnderWine, MalformedSequencesSendNothing) {
    KeyEventLog log;
    for (const char* sequence : {"", "0|65", "4|65|66|67|68", "01|65", " 1|65", "2|65", "1|", "1|256",
                                 "1|-1", "1|6 5", "2|17|", "x"}) {
        SCOPED_TRACE(sequence);
        EXPECT_EQ(send_and_trace(sequence, log, 0), "");
    }
}

TEST(SenderUnderWine, HoldsOneKeyAbout100msAndSeveralAbout200ms) {
    KeyEventLog log;
    struct Case {
        const char* sequence;
        size_t events;
        double hold_ms;
    };
    for (const Case& c : {Case{"1|65", 2, 100}, Case{"2|17|65", 4, 200}, Case{"3|17|16|65", 6, 200}}) {
        SCOPED_TRACE(c.sequence);
        send_and_trace(c.sequence, log, c.events);
        const auto events = log.events();
        ASSERT_EQ(events.size(), c.events);
        const double held = events[c.events / 2].at_ms - events[c.events / 2 - 1].at_ms;
        // Generous bounds: the machines are shared; the benchmark measures accuracy.
        EXPECT_GE(held, c.hold_ms - 5);
        EXPECT_LE(held, c.hold_ms + 150);
    }
}

}  // namespace
}  // namespace vantero
