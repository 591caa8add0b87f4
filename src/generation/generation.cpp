#include "generation/generation.h"

#include "generation/error.h"

namespace pomerel {

// Placeholder bodies: the generation core is being written.

PathStyle nativePathStyle() noexcept
{
#ifdef _WIN32
    return PathStyle::Windows;
#else
    return PathStyle::Posix;
#endif
}

char separator(PathStyle style) noexcept
{
    return style == PathStyle::Windows ? '\\' : '/';
}

std::string joinFolderAndFile(std::string_view folder, std::string_view name, PathStyle style)
{
    std::string result(folder);
    if (result.empty() || result.back() != separator(style))
        result += separator(style);
    result += name;
    return result;
}

std::string resourceFolderFor(std::string_view currentDirectory, PathStyle)
{
    return std::string(currentDirectory);
}

std::string currentResourceFolder()
{
    return {};
}

CvFields buildCvFields(std::string_view, const BoxTexts &)
{
    return {};
}

void fillTemplate(std::string_view, std::string_view, const CvFields &)
{
    throw Error(ErrorNumber::InvalidCall);
}

void prepareDestination(std::string_view, std::string_view, std::string_view, std::string &)
{
    throw Error(ErrorNumber::InvalidCall);
}

std::string browserCommandLine(std::string_view oa)
{
    return std::string("C:\\Program Files\\Internet Explorer\\IEXPLORE.EXE ") + std::string(oa) +
           "cv.html";
}

void openPage(std::string_view, GenerationWindow &)
{
    throw Error(ErrorNumber::InvalidCall);
}

void generatePage(RunData &, GenerationWindow &)
{
    throw Error(ErrorNumber::InvalidCall);
}

} // namespace pomerel
