#include "app/integrity.h"

#include <shellapi.h>

#include <vector>

#include "common/external_strings.h"
#include "common/unique_handle.h"

namespace vantero {
namespace {

std::optional<unsigned long> token_integrity_level(HANDLE process) {
    HANDLE token_handle = nullptr;
    if (!::OpenProcessToken(process, TOKEN_QUERY, &token_handle)) return std::nullopt;
    const unique_kernel_handle token(token_handle);
    DWORD size = 0;
    ::GetTokenInformation(token.get(), TokenIntegrityLevel, nullptr, 0, &size);
    if (size == 0) return std::nullopt;
    std::vector<BYTE> buffer(size);
    if (!::GetTokenInformation(token.get(), TokenIntegrityLevel, buffer.data(), size, &size))
        return std::nullopt;
    const auto* label = reinterpret_cast<const TOKEN_MANDATORY_LABEL*>(buffer.data());
    const PUCHAR count = ::GetSidSubAuthorityCount(label->Label.Sid);
    if (!count || *count == 0) return std::nullopt;
    return *::GetSidSubAuthority(label->Label.Sid, *count - 1U);
}

std::wstring process_path(HANDLE process) {
    std::wstring path(32768, L'\0');
    DWORD size = static_cast<DWORD>(path.size());
    if (!::QueryFullProcessImageNameW(process, 0, path.data(), &size)) return {};
    path.resize(size);
    return path;
}

}  // namespace

ForegroundProgram query_foreground_program() {
    ForegroundProgram program;
    DWORD id = 0;
    ::GetWindowThreadProcessId(::GetForegroundWindow(), &id);
    if (id == 0) return program;
    const unique_kernel_handle process(::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, id));
    if (!process) return program;
    program.level = token_integrity_level(process.get());
    const std::wstring path = process_path(process.get());
    program.name = path.substr(path.find_last_of(L"\\/") + 1);
    return program;
}

std::optional<unsigned long> own_integrity_level() {
    return token_integrity_level(::GetCurrentProcess());
}

bool runs_elevated() {
    const std::optional<unsigned long> level = own_integrity_level();
    return level && *level >= SECURITY_MANDATORY_HIGH_RID;
}

std::wstring own_program_path() {
    std::wstring path(32768, L'\0');
    path.resize(::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size())));
    return path;
}

bool start_as_administrator(HWND owner) {
    const std::wstring path = own_program_path();
    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = SEE_MASK_NOASYNC;
    info.hwnd = owner;
    info.lpVerb = L"runas";
    info.lpFile = path.c_str();
    info.lpParameters = external::kAfterRestartArgument;
    info.nShow = SW_SHOWNORMAL;
    return ::ShellExecuteExW(&info) != FALSE;
}

}  // namespace vantero
