// SPDX-License-Identifier: GPL-3.0-or-later

#include "generation/paths.h"

#include "generation/characters.h"
#include "generation/error.h"

#include <algorithm>
#include <system_error>

namespace pomerel {

namespace {

// Counts characters, not bytes: a UTF-8 continuation byte does not start one.
std::size_t characterCount(std::string_view text)
{
    return static_cast<std::size_t>(
        std::count_if(text.begin(), text.end(), [](char c) { return !isUtf8Continuation(c); }));
}

constexpr std::string_view kRootFolderName = "Pomerel";

} // namespace

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
    std::string result;
    result.reserve(folder.size() + 1 + name.size());
    result += folder;
    if (!result.empty() && result.back() != separator(style))
        result += separator(style);
    result += name;
    return result;
}

std::string resourceFolderFor(std::string_view currentDirectory, PathStyle style)
{
    std::string result(currentDirectory);
    // A drive root is the one working folder that ends with a separator: "C:\" on Windows
    // (told by its length alone) and "/" elsewhere. The folder name goes straight after it.
    const bool isRoot = style == PathStyle::Windows ? characterCount(currentDirectory) == 3
                                                    : currentDirectory == "/";
    if (isRoot)
        result += kRootFolderName;
    return result;
}

std::string currentResourceFolder()
{
    std::error_code error;
    const std::filesystem::path current = std::filesystem::current_path(error);
    // A working folder that has been deleted cannot be read: `depart` stays empty, and the
    // first copy from it reports the missing path.
    if (error)
        return {};
    return resourceFolderFor(fromFsPath(current));
}

std::filesystem::path toFsPath(std::string_view utf8)
{
    try {
        return std::filesystem::path(
            std::u8string_view(reinterpret_cast<const char8_t *>(utf8.data()), utf8.size()));
    } catch (const std::system_error &) {
        // Only where paths are converted (Windows): the text is not valid UTF-8.
        throw Error(ErrorNumber::BadFileName, std::string(utf8));
    }
}

std::string fromFsPath(const std::filesystem::path &path)
{
    const std::u8string text = path.u8string();
    return std::string(reinterpret_cast<const char *>(text.data()), text.size());
}

std::string pagePath(std::string_view oa)
{
    // oa ends with its separator, so this is oa followed by the name.
    return joinFolderAndFile(oa, kPageName);
}

std::string resourcePath(std::string_view depart, std::string_view name)
{
    // Without a resource folder the name would point at the root of the disk.
    if (depart.empty())
        throw Error(ErrorNumber::PathNotFound, std::string(name));
    return joinFolderAndFile(depart, name);
}

} // namespace pomerel
