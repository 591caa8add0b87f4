#pragma once

// The program's paths: UTF-8 strings in the system's own style, and their conversions to the
// file system's own form.

#include <filesystem>
#include <string>
#include <string_view>

namespace pomerel {

// Windows paths ("C:\CV\") or POSIX ones ("/home/moi/cv/").
enum class PathStyle { Windows, Posix };
PathStyle nativePathStyle() noexcept;
char separator(PathStyle style = nativePathStyle()) noexcept;

// The folder, then a separator unless the folder already ends with one (a drive root), then
// the name. An empty folder gives the name alone.
std::string joinFolderAndFile(std::string_view folder, std::string_view name,
                              PathStyle style = nativePathStyle());

// `depart` for a given working folder: a drive root gets "Pomerel" appended.
std::string resourceFolderFor(std::string_view currentDirectory,
                              PathStyle style = nativePathStyle());
// `depart` for this process, from its current working folder.
std::string currentResourceFolder();

// A UTF-8 path as the file system wants it (wide characters on Windows).
std::filesystem::path toFsPath(std::string_view utf8);
// The UTF-8 text of a file-system path.
std::string fromFsPath(const std::filesystem::path &path);

// Where the page goes in oa: "CV.html" in that folder.
inline constexpr std::string_view kPageName = "CV.html";
std::string pagePath(std::string_view oa);

// The path of name in the resource folder depart, which carries no trailing separator.
// An empty depart is error 76.
std::string resourcePath(std::string_view depart, std::string_view name);

} // namespace pomerel
