#include "app/pages.h"

#include <shellapi.h>
#include <shlobj.h>

#include <string_view>

#include "app/page_addresses.h"
#include "common/unique_handle.h"
#include "resources/resource_ids.h"
#include "resources/vantero_version.h"

namespace vantero {
namespace {

struct OwnPage {
    int resource_id;
    const wchar_t* file_name;
};

OwnPage own_page(Page page) {
    return page == Page::home ? OwnPage{IDR_HOME_PAGE, L"home.html"}
                              : OwnPage{IDR_PRODUCT_PAGE, L"product.html"};
}

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

bool make_folder(const std::wstring& path) {
    return ::CreateDirectoryW(path.c_str(), nullptr) || ::GetLastError() == ERROR_ALREADY_EXISTS;
}

// %LOCALAPPDATA%\Vantero\<version>, created when missing; empty when it cannot be. One folder
// per version, so that two versions never overwrite each other's pages.
std::wstring pages_folder() {
    wchar_t local[MAX_PATH] = {};
    if (FAILED(::SHGetFolderPathW(nullptr, CSIDL_LOCAL_APPDATA | CSIDL_FLAG_CREATE, nullptr,
                                  SHGFP_TYPE_CURRENT, local))) {
        return {};
    }
    const std::wstring product_folder = std::wstring(local) + L"\\Vantero";
    const std::wstring version_folder = product_folder + L"\\" VANTERO_VERSION_WIDE;
    if (!make_folder(product_folder) || !make_folder(version_folder)) return {};
    return version_folder;
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
    ::DeleteFileW(temporary.c_str());
    return false;
}

// The full path of the page's copy, written when missing or altered; empty when there is none
// holding the program's page.
std::wstring own_page_copy(Page page) {
    const OwnPage own = own_page(page);
    const std::string_view bytes = page_bytes(own.resource_id);
    const std::wstring folder = pages_folder();
    if (bytes.empty() || folder.empty()) return {};
    const std::wstring path = folder + L"\\" + own.file_name;
    if (!file_holds(path, bytes) && !replace_file(path, bytes)) return {};
    return path;
}

}  // namespace

PageAddresses configured_page_addresses() {
    return {configured::kHomePageUrl, configured::kProductPageUrl};
}

void open_page(HWND owner, Page page) {
    open_page(owner, page, configured_page_addresses());
}

std::wstring open_page(HWND owner, Page page, const PageAddresses& addresses) {
    const std::wstring& address = page == Page::home ? addresses.home : addresses.product;
    const std::wstring target = address.empty() ? own_page_copy(page) : address;
    if (!target.empty()) ::ShellExecuteW(owner, L"open", target.c_str(), L"", L"", SW_SHOWNORMAL);
    return target;
}

}  // namespace vantero
