#pragma once
// What the Windows tests share: a message pump, the user's keyboard, a focused window that logs
// what it receives, a low-level hook log of the system's key events, and a catcher of message
// boxes. Everything runs on real windows and real input under Wine.
#include <windows.h>

#include <functional>
#include <future>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "common/unique_handle.h"

namespace vantero::test {

// Milliseconds on a steady clock.
double now_ms();
// Dispatches messages until done() holds or the time runs out; returns done().
bool pump_until(const std::function<bool()>& done, int timeout_ms = 3000);
// Dispatches the calling thread's messages for about the given time.
inline void pump_for(int ms) {
    pump_until([] { return false; }, ms);
}

// The user's keyboard: injects "dn:17 dn:65 up:65 up:17" as untagged key events with the layout's
// scan code and the extended flag where a keyboard sets it, and dispatches nothing: safe inside a
// window procedure. "dn:66*" is a key the program types, tagged as its own.
void inject(const std::string& script);
// Injects the keys, then dispatches what they bring.
void play(const std::string& script);
// Brings the top-level window to the front and gives the keyboard focus to target (or to it).
bool give_focus(HWND window, HWND target = nullptr);
// Whether anyone holds the hotkey: then the test's own registration of it fails.
bool hotkey_taken(UINT vk, UINT modifiers = MOD_CONTROL | MOD_ALT);

// A top-level window with the keyboard focus. It logs its key messages as "dn:65{c}" (with the
// Shift/Ctrl/Alt/Win keys it reads as down through GetKeyState) and "up:65", and "menu" where
// the default procedure would enter menu mode. One serves the whole run: under Wine without a
// window manager, destroying a visible window takes seconds.
class FocusedWindow {
public:
    struct Key {
        unsigned vk, scan;
        bool extended, up;
    };

    static FocusedWindow& shared() {
        static FocusedWindow window;
        return window;
    }
    HWND hwnd() const { return window_.get(); }
    // Brings the window to the front and gives the keyboard focus to it or to a child.
    bool focus(HWND child = nullptr) { return give_focus(hwnd(), child); }
    // Runs action from the window's timer after about ms milliseconds, inside whatever is
    // dispatching messages then.
    void after(int ms, std::function<void()> action);

    void clear() { trace.clear(), keys.clear(), lone_taps = 0; }
    // The trace's steps for the given keys only: "dn:66{} up:66".
    std::string heard(const std::vector<unsigned>& vks) const;

    std::string trace;      // without the mask key, meaningless to windows
    std::vector<Key> keys;  // every key message
    // Alt or Win key-ups with no other key pressed since that key went down: a lone tap, which
    // Windows takes to the menu bar or the Start menu.
    int lone_taps = 0;
    std::function<void(const Key&)> on_key;  // after each key message is logged

private:
    FocusedWindow();
    static LRESULT CALLBACK proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    unique_window window_;
    unsigned last_down_ = 0;
    std::map<UINT_PTR, std::function<void()>> actions_;  // by timer id
};

struct KeyEvent {
    DWORD vk, scan, flags;  // flags: LLKHF_*
    bool up;
    double at_ms;  // now_ms() when the hook saw it
};

// The keys whose last event in the log went down ("162 164"): a hook that saw them sees them held.
std::string keys_left_down(const std::vector<KeyEvent>& events);

// Every key event of the system, injected ones too, as a low-level keyboard hook on a thread of
// its own sees them, from construction to destruction.
class KeyEventLog {
public:
    KeyEventLog();
    ~KeyEventLog() { ::PostThreadMessageW(thread_id_, WM_QUIT, 0, 0), thread_.join(); }
    std::vector<KeyEvent> events() const {
        const std::lock_guard lock(mutex_);
        return events_;
    }
    void clear() {
        const std::lock_guard lock(mutex_);
        events_.clear();
    }
    // Dispatches messages until at least n events are logged or the time runs out.
    bool wait_for(size_t n, int timeout_ms) const {
        return pump_until([&] { return events().size() >= n; }, timeout_ms);
    }

private:
    void run(std::promise<void>& hooked);
    mutable std::mutex mutex_;
    std::vector<KeyEvent> events_;
    DWORD thread_id_ = 0;
    std::thread thread_;
};

// While it lives, every message box the calling thread shows is logged as "caption: text" and
// closed with Cancel (the only button of an OK box), so no test can hang on one.
class MessageBoxCatcher {
public:
    MessageBoxCatcher();
    std::vector<std::wstring> take();  // the boxes seen since the last call

private:
    unique_hook hook_;
};

}  // namespace vantero::test
