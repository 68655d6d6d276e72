#pragma once
// Observes the system's keyboard input with a low-level keyboard hook on a thread of its own,
// which sees injected input too.
#include <windows.h>

#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace vantero::test {

struct KeyEvent {
    DWORD vk;
    DWORD scan;
    DWORD flags;  // LLKHF_* flags
    bool up;
    double at_ms;  // on the performance counter's clock
};

class KeyEventLog {
public:
    KeyEventLog();
    ~KeyEventLog();
    KeyEventLog(const KeyEventLog&) = delete;
    KeyEventLog& operator=(const KeyEventLog&) = delete;

    std::vector<KeyEvent> events() const;
    void clear();
    // "dn:17 dn:65 up:65 up:17"
    std::string trace() const;
    // Waits until at least n events are in the log or the time runs out.
    bool wait_for(size_t n, int timeout_ms) const;

private:
    static LRESULT CALLBACK hook_proc(int code, WPARAM wparam, LPARAM lparam);
    void run();

    mutable std::mutex mutex_;
    std::vector<KeyEvent> events_;
    std::thread thread_;
    DWORD thread_id_ = 0;
    HANDLE ready_ = nullptr;
};

double now_ms();

// Pumps the calling thread's messages for about the given time.
void pump_for(int ms);

}  // namespace vantero::test
