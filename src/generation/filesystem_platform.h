// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// What each system gives the file-system layer (filesystem_posix.cpp, filesystem_windows.cpp),
// and the folder reading that the drive, folder and file lists share with it.
// Paths are UTF-8, or std::filesystem paths already converted.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

namespace pomerel::files::platform {

// What a folder's entry is, links followed: a broken link or a device is neither.
enum class EntryKind { File, Folder, Other };

struct FolderEntry
{
    std::string_view name; // UTF-8, valid during the call only
    EntryKind kind = EntryKind::Other;
    // Left out by the system's file browser: the name starts with "." on POSIX systems, the
    // entry has the hidden attribute on Windows.
    bool hidden = false;
};

// Calls visit for every entry directly in folder but "." and "..", in no set order. Error 76
// when the folder is missing.
void forEachEntryIn(std::string_view folder, const std::function<void(const FolderEntry &)> &visit);

// Copies the regular file source to destination, replacing it; a link at destination is
// replaced, not written through. A file copied onto itself stays as it is.
void copyFile(std::string_view source, std::string_view destination);

// A file open for writing: a descriptor or a handle.
using FileHandle = std::intptr_t;
inline constexpr FileHandle kNoFile = -1;

// Creates path for writing, never through a link. Returns kNoFile when the name is taken;
// other failures throw, naming reported. mode: the POSIX rights before the umask.
FileHandle createNewFile(const std::filesystem::path &path, unsigned mode,
                         std::string_view reported);
void writeToFile(FileHandle file, std::string_view bytes, std::string_view reported);
// Closes the file; a late write error throws.
void closeFile(FileHandle file, std::string_view reported);
// Closes the file if open and deletes it, quietly: used when giving up.
void discardFile(FileHandle file, const std::filesystem::path &path) noexcept;
// Renames from to to in one step, replacing to (or a link there, never its target).
void moveReplacing(const std::filesystem::path &from, const std::filesystem::path &to,
                   std::string_view reported);

} // namespace pomerel::files::platform
