#pragma once

#include "generation/filesystem_platform.h"

#include <filesystem>
#include <string>
#include <string_view>

namespace pomerel::files {

// A new file beside target that takes target's place on commit() and is deleted otherwise,
// so that target is either as it was or complete. Its name, ".pomerel-" and eight hex digits
// then ".tmp", has the same length whatever target is called (a name of 255 bytes can be
// written), starts with a dot so that a file browser does not show it, and tells a later run
// what a killed one left behind. It stays locked while open.
class TemporaryFile
{
public:
    TemporaryFile(std::string_view target, unsigned mode);
    ~TemporaryFile();
    TemporaryFile(const TemporaryFile &) = delete;
    TemporaryFile &operator=(const TemporaryFile &) = delete;

    void write(std::string_view bytes);
    void commit();

private:
    std::string m_target;
    std::filesystem::path m_targetPath;
    std::filesystem::path m_path;
    platform::FileHandle m_file = platform::kNoFile;
};

// Whether name is that of a temporary file, as TemporaryFile makes them.
bool isTemporaryFileName(std::string_view name);

} // namespace pomerel::files
