#include "generation/temporaryfile.h"

#include "generation/error.h"
#include "generation/paths.h"

#include <cstdint>
#include <random>

namespace pomerel::files {

namespace {

constexpr std::string_view kPrefix = ".pomerel-";
constexpr std::string_view kSuffix = ".tmp";
constexpr std::size_t kDigits = 8;
constexpr std::string_view kHexDigits = "0123456789abcdef";

std::string randomName()
{
    std::uint32_t bits = std::random_device()();
    std::string digits(kDigits, '0');
    for (char &digit : digits) {
        digit = kHexDigits[bits & 0x0F];
        bits >>= 4;
    }
    return std::string(kPrefix) + digits + std::string(kSuffix);
}

} // namespace

bool isTemporaryFileName(std::string_view name)
{
    if (name.size() != kPrefix.size() + kDigits + kSuffix.size() || !name.starts_with(kPrefix) ||
        !name.ends_with(kSuffix))
        return false;
    const std::string_view digits = name.substr(kPrefix.size(), kDigits);
    return digits.find_first_not_of(kHexDigits) == std::string_view::npos;
}

TemporaryFile::TemporaryFile(std::string_view target, unsigned mode)
    : m_target(target)
    , m_targetPath(toFsPath(target))
{
    for (int attempt = 0; attempt < 100; ++attempt) {
        m_path = m_targetPath.parent_path() / toFsPath(randomName());
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
