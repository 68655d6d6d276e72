#pragma once
// What the KeyLatch tests share: a visible host window in the foreground, real key presses
// injected with keybd_event, and a watcher that reads and closes the control's message boxes.
#include <windows.h>
#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "common/unique_handle.h"
#include "hotkey/key_latch.h"

namespace vantero::test {

inline const std::wstring kPlaceholder = L"按下快捷键";

// Pumps messages until done() holds or the time runs out; returns done().
bool pump_until(const std::function<bool()>& done, int timeout_ms = 2000);

// Plays "dn:17 dn:65 up:65 up:17" as injected key events, marked extended where a keyboard marks
// them, letting each one be handled before the next goes in.
void play_keys(const std::string& script);

std::wstring class_name(HWND window);
// The thread's visible top-level windows.
std::vector<HWND> visible_windows_of(DWORD thread);

// Lets go of any modifier a failed test may have left down.
void release_modifiers();

// The name the keyboard layout gives a key, asked with the extended bit where a keyboard sets it.
std::wstring layout_key_name(int virtual_key);

struct SeenBox {
    std::wstring caption;
    std::wstring text;
    HWND owner = nullptr;
    bool stop_icon = false;
};

// Watches the calling thread's windows from a thread of its own: every message box it finds is
// recorded and closed with OK, every popup menu counted and closed with Escape, so no test can
// hang on one.
class ModalWatcher {
public:
    ModalWatcher();
    ~ModalWatcher();
    ModalWatcher(const ModalWatcher&) = delete;
    ModalWatcher& operator=(const ModalWatcher&) = delete;

    std::vector<SeenBox> take();  // the boxes seen since the last call
    int menus_seen() const { return menus_; }

private:
    void run();

    DWORD ui_thread_;
    std::atomic<bool> stop_{false};
    std::atomic<int> menus_{0};
    std::mutex mutex_;
    std::vector<SeenBox> seen_;
    std::vector<HWND> closed_;
    std::thread thread_;
};

// A top-level window for hosting controls, shown and brought to the foreground. One serves the
// whole run: under Wine without a window manager, destroying a visible window takes two seconds.
class TestHost {
public:
    static TestHost& shared();
    void start_test() { next_top_ = 10; }
    HWND hwnd() const { return window_.get(); }
    // A control in run mode unless said otherwise; each new one goes below the last.
    std::unique_ptr<KeyLatch> add(const std::wstring& name, const KeyLatchLayout& layout,
                                  bool run_mode = true);
    // Makes the host the foreground window and gives window the keyboard focus.
    bool focus(HWND window);

private:
    TestHost();
    unique_window window_;
    int next_top_ = 10;
};

// Every KeyLatch test: its own INI file beside the test program, a host and a watcher.
class KeyLatchTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    KeyLatchLayout layout() const;  // the defaults with this test's INI file

    TestHost* host = nullptr;
    std::unique_ptr<ModalWatcher> watcher;
    std::wstring ini_path;
};

}  // namespace vantero::test
