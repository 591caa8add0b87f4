// SPDX-License-Identifier: GPL-3.0-or-later

// The file-system layer on Windows, through the wide Win32 functions.

#include "generation/error.h"
#include "generation/filesystem.h"
#include "generation/filesystem_platform.h"
#include "generation/paths.h"
#include "generation/temporaryfile.h"

#include <algorithm>
#include <cstdint>
#include <memory>
#include <windows.h>

namespace pomerel::files {

namespace {

std::wstring wide(std::string_view utf8)
{
    return toFsPath(utf8).native();
}

std::string narrow(const wchar_t *text)
{
    return fromFsPath(std::filesystem::path(text));
}

ErrorNumber numberOf(DWORD code)
{
    switch (code) {
    case ERROR_FILE_NOT_FOUND:
        return ErrorNumber::FileNotFound;
    case ERROR_PATH_NOT_FOUND:
    case ERROR_DIRECTORY:
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_NET_NAME:
        return ErrorNumber::PathNotFound;
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_WRITE_PROTECT:
        return ErrorNumber::PermissionDenied;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return ErrorNumber::DiskFull;
    case ERROR_NOT_READY:
    case ERROR_INVALID_DRIVE:
        return ErrorNumber::DiskNotReady;
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS:
        return ErrorNumber::FileAlreadyExists;
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
    case ERROR_FILENAME_EXCED_RANGE:
        return ErrorNumber::BadFileName;
    case ERROR_NOT_ENOUGH_MEMORY:
    case ERROR_OUTOFMEMORY:
        return ErrorNumber::OutOfMemory;
    case ERROR_CRC:
    case ERROR_READ_FAULT:
    case ERROR_WRITE_FAULT:
    case ERROR_GEN_FAILURE:
        return ErrorNumber::DeviceIoError;
    default:
        return ErrorNumber::PathFileAccessError;
    }
}

Error windowsError(DWORD code, std::string_view path)
{
    return Error(numberOf(code), std::string(path));
}

// Closes a handle, or a search, as it goes out of scope.
template<auto close> struct Closer
{
    void operator()(HANDLE handle) const { close(handle); }
};
using Handle = std::unique_ptr<void, Closer<&::CloseHandle>>;
using FindHandle = std::unique_ptr<void, Closer<&::FindClose>>;

// Calls visit(entry) for every entry of the folder but "." and "..".
template<typename Visit> void forEachEntry(std::string_view folder, Visit visit)
{
    const std::wstring pattern = wide(joinFolderAndFile(folder, "*"));
    WIN32_FIND_DATAW entry{};
    const HANDLE found = ::FindFirstFileW(pattern.c_str(), &entry);
    if (found == INVALID_HANDLE_VALUE) {
        const DWORD code = ::GetLastError();
        if (code == ERROR_FILE_NOT_FOUND || code == ERROR_NO_MORE_FILES)
            return; // an empty drive root
        if (code == ERROR_PATH_NOT_FOUND || code == ERROR_DIRECTORY || code == ERROR_INVALID_NAME)
            throw Error(ErrorNumber::PathNotFound, std::string(folder));
        throw windowsError(code, folder);
    }
    const FindHandle handle(found);
    do {
        const std::wstring_view name = entry.cFileName;
        if (name != L"." && name != L"..")
            visit(entry);
    } while (::FindNextFileW(handle.get(), &entry));
    if (const DWORD code = ::GetLastError(); code != ERROR_NO_MORE_FILES)
        throw windowsError(code, folder);
}

bool isFolder(DWORD attributes)
{
    return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool isLink(DWORD attributes)
{
    return (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
}

} // namespace

namespace platform {

void forEachEntryIn(std::string_view folder, const std::function<void(const FolderEntry &)> &visit)
{
    forEachEntry(folder, [&](const WIN32_FIND_DATAW &entry) {
        const std::string name = narrow(entry.cFileName);
        const DWORD attributes = entry.dwFileAttributes;
        visit(FolderEntry{name, isFolder(attributes) ? EntryKind::Folder : EntryKind::File,
                          (attributes & FILE_ATTRIBUTE_HIDDEN) != 0});
    });
}

void copyFile(std::string_view source, std::string_view destination)
{
    const std::wstring from = wide(source);
    const std::wstring to = wide(destination);
    const DWORD sourceAttributes = ::GetFileAttributesW(from.c_str());
    if (sourceAttributes == INVALID_FILE_ATTRIBUTES)
        throw windowsError(::GetLastError(), source);
    if (isFolder(sourceAttributes))
        throw Error(ErrorNumber::FileNotFound, std::string(source));

    const DWORD destinationAttributes = ::GetFileAttributesW(to.c_str());
    if (destinationAttributes != INVALID_FILE_ATTRIBUTES) {
        if (isLink(destinationAttributes)) {
            // Replace the link itself rather than write through it.
            if (!::DeleteFileW(to.c_str()))
                throw windowsError(::GetLastError(), destination);
        } else {
            std::error_code ignored;
            if (std::filesystem::equivalent(from, to, ignored))
                return;
            // CopyFileW will not replace a read-only or hidden file.
            if (destinationAttributes != FILE_ATTRIBUTE_NORMAL && !isFolder(destinationAttributes))
                ::SetFileAttributesW(to.c_str(), FILE_ATTRIBUTE_NORMAL);
        }
    }
    if (!::CopyFileW(from.c_str(), to.c_str(), FALSE))
        throw windowsError(::GetLastError(), destination);
}

FileHandle createNewFile(const std::filesystem::path &path, unsigned, std::string_view reported)
{
    const HANDLE file = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE)
        return reinterpret_cast<FileHandle>(file);
    const DWORD code = ::GetLastError();
    if (code == ERROR_FILE_EXISTS || code == ERROR_ALREADY_EXISTS)
        return kNoFile;
    // The new file's folder is the destination: missing, it is a path not found.
    throw windowsError(code == ERROR_FILE_NOT_FOUND ? ERROR_PATH_NOT_FOUND : code, reported);
}

void writeToFile(FileHandle file, std::string_view bytes, std::string_view reported)
{
    while (!bytes.empty()) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 30));
        DWORD written = 0;
        if (!::WriteFile(reinterpret_cast<HANDLE>(file), bytes.data(), chunk, &written, nullptr))
            throw windowsError(::GetLastError(), reported);
        bytes.remove_prefix(written);
    }
}

void closeFile(FileHandle file, std::string_view reported)
{
    if (!::CloseHandle(reinterpret_cast<HANDLE>(file)))
        throw windowsError(::GetLastError(), reported);
}

void discardFile(FileHandle file, const std::filesystem::path &path) noexcept
{
    if (file != kNoFile)
        ::CloseHandle(reinterpret_cast<HANDLE>(file));
    ::DeleteFileW(path.c_str());
}

void moveReplacing(const std::filesystem::path &from, const std::filesystem::path &to,
                   std::string_view reported)
{
    // A link at the target is replaced by the file; its own target is left alone.
    if (!::MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING))
        throw windowsError(::GetLastError(), reported);
}

} // namespace platform

void removeLeftoversIn(std::string_view folder)
{
    forEachEntry(folder, [&](const WIN32_FIND_DATAW &entry) {
        const DWORD attributes = entry.dwFileAttributes;
        const std::string name = narrow(entry.cFileName);
        if (isFolder(attributes) || isLink(attributes) || !isTemporaryFileName(name))
            return;
        // A temporary file still being written is open without sharing, so it cannot be
        // deleted; what cannot be removed is left for the attribute walk to report.
        ::DeleteFileW(wide(joinFolderAndFile(folder, name)).c_str());
    });
}

void clearAttributesIn(std::string_view folder)
{
    forEachEntry(folder, [&](const WIN32_FIND_DATAW &entry) {
        const DWORD attributes = entry.dwFileAttributes;
        if (isFolder(attributes) || isLink(attributes) || attributes == FILE_ATTRIBUTE_NORMAL)
            return;
        const std::string path = joinFolderAndFile(folder, narrow(entry.cFileName));
        if (!::SetFileAttributesW(wide(path).c_str(), FILE_ATTRIBUTE_NORMAL))
            throw windowsError(::GetLastError(), path);
    });
}

std::string readAll(std::string_view path)
{
    const DWORD attributes = ::GetFileAttributesW(wide(path).c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && isFolder(attributes))
        throw Error(ErrorNumber::PathFileAccessError, std::string(path));
    const HANDLE opened =
        ::CreateFileW(wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (opened == INVALID_HANDLE_VALUE)
        throw windowsError(::GetLastError(), path);
    const Handle file(opened);
    std::string content;
    char buffer[1 << 16];
    for (;;) {
        DWORD count = 0;
        if (!::ReadFile(file.get(), buffer, sizeof buffer, &count, nullptr))
            throw windowsError(::GetLastError(), path);
        if (count == 0)
            break;
        content.append(buffer, count);
    }
    return content;
}

bool isFile(std::string_view path)
{
    const DWORD attributes = ::GetFileAttributesW(wide(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !isFolder(attributes);
}

void startProgram(std::string_view program, std::string_view commandLine)
{
    const std::wstring application = wide(program);
    std::wstring arguments = wide(commandLine); // CreateProcessW may write into it
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION process{};
    // The program is named apart from the command line, so the unquoted blanks in it cannot
    // make Windows start "C:\Program" instead.
    if (!::CreateProcessW(application.c_str(), arguments.data(), nullptr, nullptr, FALSE, 0,
                          nullptr, nullptr, &startup, &process))
        throw windowsError(::GetLastError(), program);
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
}

} // namespace pomerel::files
