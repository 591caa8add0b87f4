// SPDX-License-Identifier: GPL-3.0-or-later

// Holds a file open in the Windows tests, as another program that shares nothing does (an
// editor, a browser): opens the file named on its command line for reading and writing with
// no sharing, writes "held" to its output, and keeps it open until its input closes.

#include <windows.h>

int wmain(int argc, wchar_t *argv[])
{
    if (argc != 2)
        return 1;
    const HANDLE file = ::CreateFileW(argv[1], GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return 2;
    DWORD count = 0;
    ::WriteFile(::GetStdHandle(STD_OUTPUT_HANDLE), "held", 4, &count, nullptr);
    char ignored;
    while (::ReadFile(::GetStdHandle(STD_INPUT_HANDLE), &ignored, 1, &count, nullptr) &&
           count > 0) {
    }
    ::CloseHandle(file);
    return 0;
}
