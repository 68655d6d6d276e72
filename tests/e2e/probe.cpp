// Looks at and pokes the running program from outside, for the end-to-end tests.
// Prints UTF-8 lines; exits 0 when it found what it was asked about, 1 when not, 2 on bad usage.
//
//   probe windows            top-level windows of other processes:
//                            hwnd pid visible topmost left,top,right,bottom class title
//                            (tab-separated)
//   probe tree <class>       every window inside the first top-level window of that class:
//                            hwnd visible id left,top,right,bottom class text
//   probe rows               the main window's nine rows, one line each:
//                            k hotkey-text target-text remark-text check (0/1) (tab-separated)
//   probe messagebox [--close]
//                            the text of a visible "error" message box; --close presses its OK
//   probe keystate           every virtual key that the system reports down, space-separated
//   probe tray <lparam>      posts the tray window its icon message, as the shell does
//   probe menu               the screen rectangle of an open popup menu: left top right bottom
//   probe tooltip            the text of a tooltip that is showing
//   probe foreground         class and title of the foreground window
//   probe focus <title>      makes the top-level window with that title the foreground window
//   probe resources <class>  of the process that owns the first top-level window of that class:
//                            pid=, handles=, gdi=, user= (object counts), private=, working_set=
//                            (bytes), counted= (the figures the system would not give, counted
//                            another way; "-" for none)
//   probe ping <class>       sends WM_NULL to every top-level window of that class and prints the
//                            milliseconds the slowest took to answer; 1 when one did not answer
//   probe repeat <vk> <n> <ms>
//                            n key-downs of that virtual key, ms apart, without a key-up: what a
//                            keyboard's auto-repeat sends while the key is held
//   probe clock              for each line read from stdin, the performance counter's time in
//                            milliseconds (the recorder's clock), until stdin ends
//   probe wait <class> <s>   prints "ready", then, as soon as a visible top-level window of that
//                            class exists, the performance counter's milliseconds; 1 after s
//                            seconds without one
#include <windows.h>
#include <commctrl.h>
#include <psapi.h>
#include <fcntl.h>
#include <io.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <string>
#include <vector>

namespace {

constexpr int kRows = 9;
constexpr int kFirstCheckId = 101;

std::string utf8(const std::wstring& text) {
    if (text.empty()) return {};
    const int size = ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                           nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(size), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), size,
                          nullptr, nullptr);
    return out;
}

void print(const std::wstring& line) {
    const std::string bytes = utf8(line) + "\n";
    std::fwrite(bytes.data(), 1, bytes.size(), stdout);
}

std::wstring class_of(HWND window) {
    wchar_t name[256] = L"";
    ::GetClassNameW(window, name, 256);
    return name;
}

// Asks the window for its text, which also works for edit boxes of other processes. The wait is
// generous: without a window manager, Wine holds a program's thread for up to two seconds when it
// hides a framed window (a message box, for one).
std::wstring text_of(HWND window) {
    DWORD_PTR length = 0;
    if (!::SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 5000, &length))
        return {};
    std::wstring text(length + 1, L'\0');
    DWORD_PTR copied = 0;
    ::SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                          SMTO_ABORTIFHUNG, 5000, &copied);
    text.resize(std::min<size_t>(copied, length));
    return text;
}

std::wstring one_line(std::wstring text) {
    std::replace_if(
        text.begin(), text.end(), [](wchar_t c) { return c == L'\t' || c == L'\r' || c == L'\n'; },
        L' ');
    return text;
}

DWORD pid_of(HWND window) {
    DWORD pid = 0;
    ::GetWindowThreadProcessId(window, &pid);
    return pid;
}

std::vector<HWND> top_level_windows() {
    std::vector<HWND> found;
    ::EnumWindows(
        [](HWND window, LPARAM data) -> BOOL {
            if (pid_of(window) != ::GetCurrentProcessId())
                reinterpret_cast<std::vector<HWND>*>(data)->push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

std::vector<HWND> descendants(HWND parent) {
    std::vector<HWND> found;
    ::EnumChildWindows(
        parent,
        [](HWND window, LPARAM data) -> BOOL {
            reinterpret_cast<std::vector<HWND>*>(data)->push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

HWND find_visible(const wchar_t* class_name, const wchar_t* title) {
    for (HWND window : top_level_windows()) {
        if (!::IsWindowVisible(window)) continue;
        if (class_name && class_of(window) != class_name) continue;
        if (title && text_of(window) != title) continue;
        return window;
    }
    return nullptr;
}

int twips(int value) {
    return value / 15;
}

int list_windows() {
    for (HWND window : top_level_windows()) {
        RECT r{};
        ::GetWindowRect(window, &r);
        const bool topmost = (::GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
        wchar_t head[160];
        std::swprintf(head, 160, L"%llx\t%lu\t%d\t%d\t%ld,%ld,%ld,%ld\t",
                      static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(window)),
                      pid_of(window), ::IsWindowVisible(window) ? 1 : 0, topmost ? 1 : 0, r.left,
                      r.top, r.right, r.bottom);
        // Text only through GetWindowTextW: it never waits on a window that does not answer.
        wchar_t title[256] = L"";
        ::GetWindowTextW(window, title, 256);
        print(head + class_of(window) + L"\t" + one_line(title));
    }
    return 0;
}

int list_tree(const wchar_t* class_name) {
    HWND top = nullptr;
    for (HWND window : top_level_windows()) {
        if (class_of(window) == class_name) {
            top = window;
            break;
        }
    }
    if (!top) return 1;
    for (HWND child : descendants(top)) {
        RECT r{};
        ::GetWindowRect(child, &r);
        wchar_t head[160];
        std::swprintf(head, 160, L"%llx\t%d\t%d\t%ld,%ld,%ld,%ld\t",
                      static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(child)),
                      ::IsWindowVisible(child) ? 1 : 0, ::GetDlgCtrlID(child), r.left, r.top,
                      r.right, r.bottom);
        print(head + class_of(child) + L"\t" + one_line(text_of(child)));
    }
    return 0;
}

// The main window's row controls, told apart by the column and the row they sit in.
int list_rows() {
    HWND main = ::FindWindowW(L"VanteroMain", L"设置");
    if (!main) return 1;
    struct Row {
        std::wstring hotkey, target, remark;
        int check = -1;
    };
    Row rows[kRows];
    const int hotkey_left = twips(3735), target_left = twips(5835), remark_left = twips(7740);
    static const int kTargetTops[kRows] = {2310, 2925, 3540, 4155, 4740, 5370, 5985, 6585, 7185};

    auto row_at = [&](int top) {
        int best = 0;
        for (int k = 1; k < kRows; ++k) {
            if (std::abs(twips(kTargetTops[k]) - top) < std::abs(twips(kTargetTops[best]) - top))
                best = k;
        }
        return best;
    };
    for (HWND child : descendants(main)) {
        RECT r{};
        ::GetWindowRect(child, &r);
        POINT at{r.left, r.top};
        ::ScreenToClient(main, &at);
        const std::wstring kind = class_of(child);
        const int id = ::GetDlgCtrlID(child);
        if (kind == L"Button" || kind == L"BUTTON") {
            if (id >= kFirstCheckId && id < kFirstCheckId + kRows) {
                const LRESULT state = ::SendMessageW(child, BM_GETCHECK, 0, 0);
                rows[id - kFirstCheckId].check = state == BST_CHECKED ? 1 : 0;
            }
        } else if (kind == L"Edit" || kind == L"EDIT") {
            Row& row = rows[row_at(at.y)];
            if (std::abs(at.x - target_left) <= 8) {
                row.target = text_of(child);
            } else if (std::abs(at.x - hotkey_left) <= 8) {
                row.hotkey = text_of(child);
            }
        } else if (kind == L"VanteroRemark" && std::abs(at.x - remark_left) <= 8) {
            rows[row_at(at.y)].remark = text_of(child);
        }
    }
    for (int k = 0; k < kRows; ++k) {
        print(std::to_wstring(k) + L"\t" + one_line(rows[k].hotkey) + L"\t" +
              one_line(rows[k].target) + L"\t" + one_line(rows[k].remark) + L"\t" +
              std::to_wstring(rows[k].check));
    }
    return 0;
}

// The text of the message box with that caption; press: the button to press then (0: none).
int message_box(const wchar_t* caption, int press) {
    HWND box = find_visible(L"#32770", caption);
    if (!box) return 1;
    std::wstring message;
    for (HWND child : descendants(box)) {
        if (class_of(child) != L"Static") continue;
        const std::wstring text = text_of(child);
        if (text.size() > message.size()) message = text;
    }
    print(one_line(message));
    if (press) ::PostMessageW(box, WM_COMMAND, MAKEWPARAM(press, BN_CLICKED), 0);
    return 0;
}

// Holds a file open with no sharing for a while, as another program may; <path>.held exists
// while it does.
int lock_file(const wchar_t* path, const wchar_t* seconds) {
    HANDLE file =
        ::CreateFileW(path, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return 1;
    const std::wstring held = std::wstring(path) + L".held";
    ::CloseHandle(
        ::CreateFileW(held.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    ::Sleep(static_cast<DWORD>(std::wcstod(seconds, nullptr) * 1000.0));
    ::CloseHandle(file);
    ::DeleteFileW(held.c_str());
    return 0;
}

int key_state() {
    std::wstring down;
    for (int vk = 1; vk < 256; ++vk) {
        if (::GetAsyncKeyState(vk) & 0x8000)
            down += (down.empty() ? L"" : L" ") + std::to_wstring(vk);
    }
    print(down);
    return 0;
}

int tray(const wchar_t* lparam_text) {
    HWND tray = ::FindWindowW(L"VanteroTray", L"Form1");
    if (!tray) return 1;
    const LPARAM lparam = static_cast<LPARAM>(std::wcstol(lparam_text, nullptr, 0));
    return ::PostMessageW(tray, WM_MOUSEMOVE, 0, lparam) ? 0 : 1;
}

int menu() {
    HWND popup = find_visible(L"#32768", nullptr);
    if (!popup) return 1;
    RECT r{};
    ::GetWindowRect(popup, &r);
    wchar_t line[80];
    std::swprintf(line, 80, L"%ld %ld %ld %ld", r.left, r.top, r.right, r.bottom);
    print(line);
    return 0;
}

int tooltip() {
    HWND tip = find_visible(TOOLTIPS_CLASSW, nullptr);
    if (!tip) return 1;
    print(one_line(text_of(tip)));
    return 0;
}

int foreground() {
    HWND window = ::GetForegroundWindow();
    if (!window) return 1;
    print(class_of(window) + L"\t" + one_line(text_of(window)));
    return 0;
}

int focus(const wchar_t* title) {
    HWND window = find_visible(nullptr, title);
    if (!window) return 1;
    ::SetForegroundWindow(window);
    return ::GetForegroundWindow() == window ? 0 : 1;
}

HWND find_top_level(const wchar_t* class_name) {
    for (HWND window : top_level_windows()) {
        if (class_of(window) == class_name) return window;
    }
    return nullptr;
}

// Handles of one process, counted in the system's handle list (where GetProcessHandleCount gives
// nothing, as under Wine).
DWORD count_handles(DWORD pid) {
    struct Entry {
        USHORT pid;
        USHORT backtrace;
        UCHAR type;
        UCHAR flags;
        USHORT handle;
        PVOID object;
        ACCESS_MASK access;
    };
    struct List {
        ULONG count;
        Entry entries[1];
    };
    using Query = LONG(WINAPI*)(ULONG, PVOID, ULONG, PULONG);
    auto query = reinterpret_cast<Query>(reinterpret_cast<void*>(
        ::GetProcAddress(::GetModuleHandleW(L"ntdll.dll"), "NtQuerySystemInformation")));
    if (!query) return 0;
    constexpr ULONG kSystemHandleInformation = 16;
    constexpr LONG kInfoLengthMismatch = static_cast<LONG>(0xC0000004);
    std::vector<unsigned char> buffer(1 << 20);
    ULONG length = 0;
    LONG status;
    while ((status = query(kSystemHandleInformation, buffer.data(),
                           static_cast<ULONG>(buffer.size()), &length)) == kInfoLengthMismatch) {
        buffer.resize(buffer.size() * 2);
    }
    if (status != 0) return 0;
    const auto* list = reinterpret_cast<const List*>(buffer.data());
    DWORD mine = 0;
    for (ULONG i = 0; i < list->count; ++i) {
        if (list->entries[i].pid == static_cast<USHORT>(pid)) ++mine;
    }
    return mine;
}

// GDI objects of one process, counted in its GDI handle table, which the process environment
// block points to (where GetGuiResources gives nothing, as under Wine: there the table belongs to
// the process alone). Entries of 24 bytes with the object type at byte 14.
DWORD count_gdi_objects(HANDLE process) {
    struct BasicInformation {
        PVOID reserved1;
        PVOID peb;
        PVOID reserved2[4];
    } basic{};
    using Query = LONG(WINAPI*)(HANDLE, ULONG, PVOID, ULONG, PULONG);
    auto query = reinterpret_cast<Query>(reinterpret_cast<void*>(
        ::GetProcAddress(::GetModuleHandleW(L"ntdll.dll"), "NtQueryInformationProcess")));
    if (!query || query(process, 0, &basic, sizeof(basic), nullptr) != 0 || !basic.peb) return 0;
    constexpr size_t kTableOffset = sizeof(void*) == 8 ? 0xF8 : 0x94;
    constexpr size_t kEntrySize = 24, kTypeOffset = 14, kEntries = 0x10000;
    PVOID table = nullptr;
    SIZE_T read = 0;
    if (!::ReadProcessMemory(process, static_cast<char*>(basic.peb) + kTableOffset, &table,
                             sizeof(table), &read) ||
        !table) {
        return 0;
    }
    std::vector<unsigned char> entries(kEntrySize * kEntries);
    if (!::ReadProcessMemory(process, table, entries.data(), entries.size(), &read)) return 0;
    DWORD used = 0;
    for (size_t i = 0; i < kEntries; ++i) {
        if (entries[i * kEntrySize + kTypeOffset] != 0) ++used;
    }
    return used;
}

// Windows of one process: top-level windows and everything inside them.
DWORD count_windows(DWORD pid) {
    DWORD count = 0;
    for (HWND window : top_level_windows()) {
        if (pid_of(window) != pid) continue;
        count += 1 + static_cast<DWORD>(descendants(window).size());
    }
    return count;
}

// Committed private memory of one process, region by region.
unsigned long long committed_private_bytes(HANDLE process) {
    unsigned long long total = 0;
    MEMORY_BASIC_INFORMATION region{};
    const char* at = nullptr;
    while (::VirtualQueryEx(process, at, &region, sizeof(region)) == sizeof(region)) {
        if (region.State == MEM_COMMIT && region.Type == MEM_PRIVATE) total += region.RegionSize;
        const char* next = static_cast<const char*>(region.BaseAddress) + region.RegionSize;
        if (next <= at) break;
        at = next;
    }
    return total;
}

int resources(const wchar_t* class_name) {
    HWND window = find_top_level(class_name);
    if (!window) return 1;
    const DWORD pid = pid_of(window);
    HANDLE process = ::OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pid);
    if (!process) return 1;
    // What the system reports; where a call gives nothing (Wine stubs some of them), the figure
    // is counted another way and named in "counted".
    std::wstring counted;
    auto note = [&](const wchar_t* name) {
        counted += (counted.empty() ? L"" : L",") + std::wstring(name);
    };
    DWORD handles = 0;
    if (!::GetProcessHandleCount(process, &handles) || handles == 0) {
        handles = count_handles(pid);
        note(L"handles");
    }
    DWORD gdi = ::GetGuiResources(process, GR_GDIOBJECTS);
    if (gdi == 0) {
        gdi = count_gdi_objects(process);
        note(L"gdi");
    }
    DWORD user = ::GetGuiResources(process, GR_USEROBJECTS);
    if (user == 0) {
        user = count_windows(pid);
        note(L"user");
    }
    PROCESS_MEMORY_COUNTERS_EX memory{};
    memory.cb = sizeof(memory);
    ::GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory),
                           sizeof(memory));
    unsigned long long private_bytes = memory.PrivateUsage;
    if (private_bytes == 0) {
        private_bytes = committed_private_bytes(process);
        note(L"private");
    }
    ::CloseHandle(process);
    wchar_t line[300];
    std::swprintf(line, 300,
                  L"pid=%lu handles=%lu gdi=%lu user=%lu private=%llu working_set=%llu counted=%ls",
                  pid, handles, gdi, user, private_bytes,
                  static_cast<unsigned long long>(memory.WorkingSetSize),
                  counted.empty() ? L"-" : counted.c_str());
    print(line);
    return 0;
}

int ping(const wchar_t* class_name) {
    bool found = false;
    DWORD slowest = 0;
    for (HWND window : top_level_windows()) {
        if (class_of(window) != class_name) continue;
        found = true;
        const DWORD started = ::GetTickCount();
        DWORD_PTR result = 0;
        if (!::SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &result))
            return 1;
        slowest = std::max(slowest, ::GetTickCount() - started);
    }
    if (!found) return 1;
    print(std::to_wstring(slowest));
    return 0;
}

int repeat(const wchar_t* vk, const wchar_t* count, const wchar_t* interval) {
    const auto key = static_cast<BYTE>(std::wcstol(vk, nullptr, 0));
    const long n = std::wcstol(count, nullptr, 0);
    const auto pause = static_cast<DWORD>(std::wcstol(interval, nullptr, 0));
    for (long i = 0; i < n; ++i) {
        ::keybd_event(key, 0, 0, 0);
        ::Sleep(pause);
    }
    return 0;
}

double counter_ms() {
    LARGE_INTEGER frequency, now;
    ::QueryPerformanceFrequency(&frequency);
    ::QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

int print_clock() {
    char line[64];
    while (std::fgets(line, sizeof(line), stdin)) {
        std::printf("%.3f\n", counter_ms());
        std::fflush(stdout);
    }
    return 0;
}

int wait_for(const wchar_t* class_name, const wchar_t* seconds) {
    std::puts("ready");
    std::fflush(stdout);
    const double deadline = counter_ms() + std::wcstod(seconds, nullptr) * 1000.0;
    while (counter_ms() < deadline) {
        for (HWND window = ::FindWindowW(class_name, nullptr); window;
             window = ::FindWindowExW(nullptr, window, class_name, nullptr)) {
            if (::IsWindowVisible(window)) {
                std::printf("%.3f\n", counter_ms());
                return 0;
            }
        }
        ::Sleep(1);
    }
    return 1;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    _setmode(_fileno(stdout), _O_BINARY);
    const std::wstring command = argc > 1 ? argv[1] : L"";
    int result = 2;
    if (command == L"windows") {
        result = list_windows();
    } else if (command == L"tree" && argc > 2) {
        result = list_tree(argv[2]);
    } else if (command == L"rows") {
        result = list_rows();
    } else if (command == L"messagebox") {
        // messagebox [--close | --press <button id>] [--caption <caption>]
        int press = 0;
        const wchar_t* caption = L"error";
        for (int i = 2; i < argc; ++i) {
            const std::wstring option = argv[i];
            if (option == L"--close") press = IDOK;
            if (option == L"--press" && i + 1 < argc)
                press = static_cast<int>(std::wcstol(argv[++i], nullptr, 0));
            if (option == L"--caption" && i + 1 < argc) caption = argv[++i];
        }
        result = message_box(caption, press);
    } else if (command == L"lock" && argc > 3) {
        result = lock_file(argv[2], argv[3]);
    } else if (command == L"keystate") {
        result = key_state();
    } else if (command == L"tray" && argc > 2) {
        result = tray(argv[2]);
    } else if (command == L"menu") {
        result = menu();
    } else if (command == L"tooltip") {
        result = tooltip();
    } else if (command == L"foreground") {
        result = foreground();
    } else if (command == L"focus" && argc > 2) {
        result = focus(argv[2]);
    } else if (command == L"resources" && argc > 2) {
        result = resources(argv[2]);
    } else if (command == L"ping" && argc > 2) {
        result = ping(argv[2]);
    } else if (command == L"repeat" && argc > 4) {
        result = repeat(argv[2], argv[3], argv[4]);
    } else if (command == L"clock") {
        result = print_clock();
    } else if (command == L"wait" && argc > 3) {
        result = wait_for(argv[2], argv[3]);
    } else {
        std::fputs(
            "usage: probe windows|tree <class>|rows|messagebox [--close|--press <id>] [--caption "
            "<text>]|keystate|"
            "tray <lparam>|menu|tooltip|foreground|focus <title>|resources <class>|ping <class>|"
            "repeat <vk> <n> <ms>|clock|wait <class> <seconds>|lock <file> <seconds>\n",
            stderr);
    }
    std::fflush(stdout);
    return result;
}
