#include "platform/SystemFolders.h"

#include <cwchar>
#include <filesystem>

#include "platform/windows/WideNames.h"

namespace veltrano {

std::string ExecutableFolder() {
    std::wstring path(32768, L'\0');
    const DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (n == 0 || n >= path.size()) return ".";
    const std::string exe = Utf8(path.data(), n);
    const size_t slash = exe.rfind('/');
    return slash == std::string::npos ? "." : exe.substr(0, slash);
}

// Windows answers a question about the right to write only by trying: a file is made and removed.
bool FolderWritable(const std::string& folder) {
    const std::wstring probe = Wide(folder + "/.write-test-" + std::to_string(GetCurrentProcessId()));
    const HANDLE file = CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    CloseHandle(file);
    return true;
}

std::string SystemPlayerFolder() {
    const wchar_t* appData = _wgetenv(L"APPDATA");
    if (appData == nullptr || appData[0] == L'\0') return {};
    return Utf8(appData, std::wcslen(appData)) + "/VeltranoGame2";
}

std::string MakeTemporaryFolder(const std::string& prefix, std::string* why) {
    wchar_t temporary[MAX_PATH + 1];
    const DWORD n = GetTempPathW(MAX_PATH + 1, temporary);
    std::string folder;
    for (unsigned attempt = 0; n > 0 && attempt < 100; ++attempt) {
        folder = Utf8(temporary, n) + prefix + std::to_string(GetCurrentProcessId()) + "-" +
                 std::to_string(GetTickCount64() % 100000) + "-" + std::to_string(attempt);
        if (CreateDirectoryW(Wide(folder).c_str(), nullptr)) return folder;
        if (GetLastError() != ERROR_ALREADY_EXISTS) break;
    }
    if (why) *why = folder + ": cannot be made (error " + std::to_string(GetLastError()) + ")";
    return {};
}

}  // namespace veltrano
