#pragma once

// Conversions between the program's UTF-8 path strings and the file system's own form.

#include <filesystem>
#include <string>
#include <string_view>

namespace pomerel {

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
