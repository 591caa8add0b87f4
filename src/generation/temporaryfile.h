#pragma once

#include "generation/filesystem_platform.h"

#include <filesystem>
#include <string>
#include <string_view>

namespace pomerel::files {

// A new file beside target that takes target's place on commit() and is deleted otherwise,
// so that target is either as it was or complete. Its name starts with a dot, so a file
// browser does not show it while it is written.
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

} // namespace pomerel::files
