#include "app/pages.h"

#include <shellapi.h>
#include <shlobj.h>

#include <string_view>
#include <vector>

#include "app/page_addresses.h"
#include "common/external_strings.h"
#include "common/unique_handle.h"
#include "resources/resource_ids.h"
#include "resources/vantero_version.h"
#include "settings/save_error.h"

namespace vantero {
namespace {

static_assert(kErrorAlreadyExists == ERROR_ALREADY_EXISTS);

// The page as compiled into the program; empty when it is missing. Resource memory lives as long
// as the module: nothing to free.
std::string_view page_bytes(int resource_id) {
    const HMODULE module = ::GetModuleHandleW(nullptr);
    const HRSRC found = ::FindResourceW(module, MAKEINTRESOURCEW(resource_id), RT_RCDATA);
    const HGLOBAL loaded = found ? ::LoadResource(module, found) : nullptr;
    const void* data = loaded ? ::LockResource(loaded) : nullptr;
    if (!data) return {};
    return {static_cast<const char*>(data), ::SizeofResource(module, found)};
}

// The folder at path, created when missing; a file of that name is no folder.
bool make_folder(const std::wstring& path) {
    if (::CreateDirectoryW(path.c_str(), nullptr)) return true;
    const DWORD error = ::GetLastError();
    if (error != ERROR_ALREADY_EXISTS) return false;
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
        return true;
    ::SetLastError(ERROR_ALREADY_EXISTS);
    return false;
}

std::vector<PageFolder> own_page_folders() {
    wchar_t local[MAX_PATH + 1] = {};
    if (FAILED(::SHGetFolderPathW(nullptr, CSIDL_LOCAL_APPDATA | CSIDL_FLAG_CREATE, nullptr,
                                  SHGFP_TYPE_CURRENT, local))) {
        local[0] = L'\0';
    }
    wchar_t temp[MAX_PATH + 1] = {};
    const DWORD length = ::GetTempPathW(MAX_PATH + 1, temp);
    return page_folders(local, length <= MAX_PATH ? std::wstring_view(temp, length) : L"",
                        VANTERO_VERSION_WIDE);
}

bool file_holds(const std::wstring& path, std::string_view bytes) {
    const unique_file file(::CreateFileW(path.c_str(), GENERIC_READ,
                                         FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                         nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER size{};
    if (!file || !::GetFileSizeEx(file.get(), &size) ||
        size.QuadPart != static_cast<LONGLONG>(bytes.size())) {
        return false;
    }
    std::string content(bytes.size(), '\0');
    DWORD read = 0;
    return ::ReadFile(file.get(), content.data(), static_cast<DWORD>(content.size()), &read,
                      nullptr) &&
           read == content.size() && content == bytes;
}

// Written under another name and then moved over the page: a write cut short leaves the old page
// or none, never half of one.
bool replace_file(const std::wstring& path, std::string_view bytes) {
    const std::wstring temporary = path + L"." + std::to_wstring(::GetCurrentProcessId()) + L".tmp";
    bool written = false;
    {
        const unique_file file(::CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr,
                                             CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file) return false;
        DWORD count = 0;
        written = ::WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &count,
                              nullptr) &&
                  count == bytes.size() && ::FlushFileBuffers(file.get());
    }
    if (written && ::MoveFileExW(temporary.c_str(), path.c_str(),
                                 MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        return true;
    }
    const DWORD error = ::GetLastError();
    ::DeleteFileW(temporary.c_str());
    ::SetLastError(error);
    return false;
}

struct PageCopy {
    std::wstring path;                // the copy holding the program's page; empty when none
    std::vector<std::wstring> tried;  // the folders that could not hold it
    DWORD error = ERROR_SUCCESS;      // why the last of them could not
};

// The copy of the page, written when missing or altered, in the first folder that takes it.
PageCopy own_page_copy(Page page) {
    const std::string_view bytes =
        page_bytes(page == Page::home ? IDR_HOME_PAGE : IDR_PRODUCT_PAGE);
    PageCopy copy;
    if (bytes.empty()) {
        copy.error = ERROR_RESOURCE_DATA_NOT_FOUND;
        return copy;
    }
    for (const PageFolder& folder : own_page_folders()) {
        const std::wstring path = folder.version + L"\\" + own_page_file_name(page);
        if (make_folder(folder.product) && make_folder(folder.version) &&
            (file_holds(path, bytes) || replace_file(path, bytes))) {
            copy.path = path;
            return copy;
        }
        copy.error = ::GetLastError();
        copy.tried.push_back(folder.version);
    }
    return copy;
}

void report_no_copy(HWND owner, const PageCopy& copy) {
    const std::wstring text =
        no_page_copy_text(copy.tried, copy.error, system_error_text(copy.error));
    ::MessageBoxW(owner, text.c_str(), external::kPageFailedCaption, MB_ICONWARNING | MB_OK);
}

}  // namespace

PageAddresses configured_page_addresses() {
    return {configured::kHomePageUrl, configured::kProductPageUrl};
}

void open_page(HWND owner, Page page) {
    open_page(owner, page, configured_page_addresses());
}

std::wstring open_page(HWND owner, Page page, const PageAddresses& addresses) {
    std::wstring target = page == Page::home ? addresses.home : addresses.product;
    if (target.empty()) {
        const PageCopy copy = own_page_copy(page);
        if (copy.path.empty()) {
            report_no_copy(owner, copy);
            return {};
        }
        target = copy.path;
    }
    ::ShellExecuteW(owner, L"open", target.c_str(), L"", L"", SW_SHOWNORMAL);
    return target;
}

}  // namespace vantero
