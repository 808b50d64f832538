// Names between the game (UTF-8, '/' between folders) and Windows' wide-character calls.
#pragma once

#include <windows.h>

#include <string>

namespace veltrano {

inline std::wstring Wide(const std::string& utf8) {
    if (utf8.empty()) return {};
    const int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(), n);
    return wide;
}

// UTF-8 with '/' for every '\'.
inline std::string Utf8(const wchar_t* wide, size_t length) {
    if (length == 0) return {};
    const int n =
        WideCharToMultiByte(CP_UTF8, 0, wide, static_cast<int>(length), nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide, static_cast<int>(length), utf8.data(), n, nullptr, nullptr);
    for (char& c : utf8)
        if (c == '\\') c = '/';
    return utf8;
}

}  // namespace veltrano
