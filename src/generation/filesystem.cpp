// SPDX-License-Identifier: GPL-3.0-or-later

#include "generation/filesystem.h"

#include "generation/characters.h"
#include "generation/error.h"
#include "generation/filesystem_platform.h"
#include "generation/paths.h"

#include <algorithm>
#include <vector>

namespace pomerel::files {

namespace {

bool isSeparator(char c)
{
    // Windows takes either slash; elsewhere only "/" separates.
    return c == separator() || c == '/';
}

struct Split
{
    std::string_view folder;
    std::string_view name;
};

// "C:\Pomerel\*.jpg" → "C:\Pomerel" and "*.jpg"; a root keeps its separator ("/*.jpg" → "/").
Split splitFolderAndName(std::string_view path)
{
    std::size_t last = path.size();
    while (last > 0 && !isSeparator(path[last - 1]))
        --last;
    if (last == 0)
        return {{}, path};
    std::size_t folderEnd = last - 1;
    const bool isDriveRoot =
        nativePathStyle() == PathStyle::Windows && folderEnd == 2 && path[1] == ':';
    const bool isRoot = folderEnd == 0 || isDriveRoot;
    if (isRoot)
        ++folderEnd;
    return {path.substr(0, folderEnd), path.substr(last)};
}

// Bytes taken by the UTF-8 character that starts at text[position].
std::size_t characterLength(std::string_view text, std::size_t position)
{
    std::size_t end = position + 1;
    while (end < text.size() && isUtf8Continuation(text[end]))
        ++end;
    return end - position;
}

} // namespace

bool matchesWildcard(std::string_view name, std::string_view pattern)
{
    // Greedy matching that goes back to the last "*" on a mismatch: linear in practice.
    std::size_t n = 0;
    std::size_t p = 0;
    std::size_t starPattern = std::string_view::npos;
    std::size_t starName = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == '*') {
            starPattern = p++;
            starName = n;
        } else if (p < pattern.size() && pattern[p] == '?') {
            ++p;
            n += characterLength(name, n);
        } else if (p < pattern.size() && lowerAscii(pattern[p]) == lowerAscii(name[n])) {
            ++p;
            ++n;
        } else if (starPattern != std::string_view::npos) {
            p = starPattern + 1;
            starName += characterLength(name, starName);
            n = starName;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*')
        ++p;
    return p == pattern.size();
}

void copyFileInto(std::string_view file, std::string_view folder)
{
    platform::copyFile(file, joinFolderAndFile(folder, splitFolderAndName(file).name));
}

void copyMatching(std::string_view pattern, std::string_view folder)
{
    const Split split = splitFolderAndName(pattern);
    const std::string listed = split.folder.empty() ? std::string(".") : std::string(split.folder);
    std::vector<std::string> names;
    // A link to a file counts, since sources may be links.
    platform::forEachEntryIn(listed, [&](const platform::FolderEntry &entry) {
        if (entry.kind == platform::EntryKind::File && matchesWildcard(entry.name, split.name))
            names.emplace_back(entry.name);
    });
    if (names.empty())
        throw Error(ErrorNumber::FileNotFound, std::string(pattern));
    std::sort(names.begin(), names.end());
    for (const std::string &match : names)
        platform::copyFile(joinFolderAndFile(listed, match), joinFolderAndFile(folder, match));
}

} // namespace pomerel::files
