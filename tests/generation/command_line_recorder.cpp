// SPDX-License-Identifier: GPL-3.0-or-later

// Stands in for the browser in the Windows tests: writes the command line it was started with,
// in UTF-8, into the file that POMEREL_RECORD_FILE names. It writes a temporary file first and
// renames it, so that the file appears complete.

#include <string>
#include <windows.h>

int main()
{
    wchar_t target[4096];
    const DWORD length = ::GetEnvironmentVariableW(L"POMEREL_RECORD_FILE", target, 4096);
    if (length == 0 || length >= 4096)
        return 1;
    const std::wstring path(target, length);
    const std::wstring partial = path + L".part";

    const wchar_t *line = ::GetCommandLineW();
    const int size = ::WideCharToMultiByte(CP_UTF8, 0, line, -1, nullptr, 0, nullptr, nullptr);
    if (size <= 0)
        return 2;
    std::string utf8(static_cast<std::size_t>(size), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, line, -1, utf8.data(), size, nullptr, nullptr);
    utf8.pop_back(); // the terminating NUL

    const HANDLE file = ::CreateFileW(partial.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return 3;
    DWORD written = 0;
    const BOOL ok =
        ::WriteFile(file, utf8.data(), static_cast<DWORD>(utf8.size()), &written, nullptr);
    ::CloseHandle(file);
    if (!ok || !::MoveFileExW(partial.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING))
        return 4;
    return 0;
}
