#include "generation/temporaryfile.h"

#include "generation/error.h"
#include "generation/paths.h"

#include <cstdint>
#include <random>

namespace pomerel::files {

namespace {

std::string randomSuffix()
{
    static constexpr std::string_view letters = "abcdefghijklmnopqrstuvwxyz0123456789";
    std::random_device device;
    std::uint32_t bits = device();
    std::string suffix;
    for (int i = 0; i < 6; ++i) {
        suffix += letters[bits % letters.size()];
        bits /= static_cast<std::uint32_t>(letters.size());
    }
    return suffix;
}

} // namespace

TemporaryFile::TemporaryFile(std::string_view target, unsigned mode)
    : m_target(target)
    , m_targetPath(toFsPath(target))
{
    const std::string stem = "." + fromFsPath(m_targetPath.filename()) + ".";
    for (int attempt = 0; attempt < 100; ++attempt) {
        m_path = m_targetPath.parent_path() / toFsPath(stem + randomSuffix() + ".tmp");
        m_file = platform::createNewFile(m_path, mode, m_target);
        if (m_file != platform::kNoFile)
            return;
    }
    throw Error(ErrorNumber::FileAlreadyExists, fromFsPath(m_path));
}

TemporaryFile::~TemporaryFile()
{
    if (m_file != platform::kNoFile)
        platform::discardFile(m_file, m_path);
}

void TemporaryFile::write(std::string_view bytes)
{
    platform::writeToFile(m_file, bytes, m_target);
}

void TemporaryFile::commit()
{
    const platform::FileHandle file = m_file;
    m_file = platform::kNoFile;
    try {
        platform::closeFile(file, m_target);
        platform::moveReplacing(m_path, m_targetPath, m_target);
    } catch (...) {
        platform::discardFile(platform::kNoFile, m_path);
        throw;
    }
}

} // namespace pomerel::files
