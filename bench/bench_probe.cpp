// What the benchmarks ask of the running program from outside. Prints UTF-8 lines; exits 0 when
// it found what it was asked about, 1 when not, 2 on bad usage.
//
//   bench_probe resources <class>  of the process that owns the first top-level window of that
//                                  class: pid=, handles=, gdi=, user= (object counts), private=,
//                                  working_set= (bytes), counted= (the figures the system would not
//                                  give, counted another way; "-" for none)
//   bench_probe clock              for each line read from stdin, the performance counter's time
//                                  in milliseconds (the recorder's clock), until stdin ends
//   bench_probe wait <class> <s>   prints "ready", then, as soon as a visible top-level window of
//                                  that class exists, the performance counter's milliseconds; 1
//                                  after s seconds without one
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
    if (command == L"resources" && argc > 2) {
        result = resources(argv[2]);
    } else if (command == L"clock") {
        result = print_clock();
    } else if (command == L"wait" && argc > 3) {
        result = wait_for(argv[2], argv[3]);
    } else {
        std::fputs("usage: bench_probe resources <class>|clock|wait <class> <seconds>\n", stderr);
    }
    std::fflush(stdout);
    return result;
}
