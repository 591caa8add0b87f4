#pragma once

// What each system gives the wildcard copy (filesystem_posix.cpp, filesystem_windows.cpp).
// Paths are UTF-8.

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

} // namespace pomerel::files::platform
