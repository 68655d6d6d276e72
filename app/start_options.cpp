#include "app/start_options.h"

#include <cwctype>

#include "common/external_strings.h"

namespace vantero {
namespace {

bool same_text(std::wstring_view a, std::wstring_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (std::towlower(a[i]) != std::towlower(b[i])) return false;
    return true;
}

}  // namespace

StartOptions parse_start_options(std::wstring_view command_line) {
    StartOptions options;
    size_t at = 0;
    while (at < command_line.size()) {
        const size_t start = command_line.find_first_not_of(L" \t", at);
        if (start == std::wstring_view::npos) break;
        size_t end = start;
        // A quoted argument (the program's path, say) may hold blanks.
        if (command_line[start] == L'"') {
            end = command_line.find(L'"', start + 1);
            end = end == std::wstring_view::npos ? command_line.size() : end + 1;
        } else {
            end = command_line.find_first_of(L" \t", start);
            if (end == std::wstring_view::npos) end = command_line.size();
        }
        const std::wstring_view argument = command_line.substr(start, end - start);
        if (same_text(argument, external::kStartInTrayArgument)) options.in_tray = true;
        if (same_text(argument, external::kAfterRestartArgument)) options.after_restart = true;
        at = end;
    }
    return options;
}

std::wstring start_in_tray_command(std::wstring_view program_path) {
    return L"\"" + std::wstring(program_path) + L"\" " + external::kStartInTrayArgument;
}

bool run_value_starts(std::wstring_view value, std::wstring_view program_path) {
    return same_text(value, start_in_tray_command(program_path));
}

}  // namespace vantero
