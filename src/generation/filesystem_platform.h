// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// What each system gives the file-system layer (filesystem_posix.cpp, filesystem_windows.cpp).
// Paths are UTF-8, or std::filesystem paths already converted.

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace pomerel::files::platform {

// Names of the regular files directly in folder (a link to one counts, since sources may be
// links). Error 76 when the folder is missing.
std::vector<std::string> fileNamesIn(std::string_view folder);

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
