// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The few file operations a generation run needs, with the effects users know from the
// Windows scripting file-system object: list a folder's files, clear their attributes, copy
// with a wildcard into a folder overwriting what is there. Paths are UTF-8 strings.
// A failure throws pomerel::Error with the path involved.
//
// Links in a destination folder are never followed: their attributes are left alone, and a
// copy or page that goes where a link sits replaces the link itself, never its target.

#include <string>
#include <string_view>

namespace pomerel::files {

// Deletes the temporary files that a run stopped midway (killed, or the machine switched off)
// left directly in folder, and nothing else; one that a running program still writes stays.
// A missing folder is error 76.
void removeLeftoversIn(std::string_view folder);

// Clears the attributes of every file directly in folder: the normal attribute on Windows,
// owner read and write added elsewhere (nothing else changed). Subfolders and links are not
// touched. A missing folder is error 76.
void clearAttributesIn(std::string_view folder);

// Copies every regular file directly in the pattern's folder whose name matches the pattern's
// last part ("C:\Pomerel\*.jpg"), letter case ignored, into folder under its own name,
// replacing a file of that name. No match is error 53, a missing folder error 76.
void copyMatching(std::string_view pattern, std::string_view folder);

// Copies the file into folder under its own name, which is taken as it stands: "*" or "?" in
// it are ordinary characters. A missing file is error 53.
void copyFileInto(std::string_view file, std::string_view folder);

// The whole content of a file.
std::string readAll(std::string_view path);

// Whether a file (not a folder) exists at path.
bool isFile(std::string_view path);

// Starts program with the exact command line, in a normal window, without waiting for it.
// Windows only; elsewhere it reports error 5.
void startProgram(std::string_view program, std::string_view commandLine);

// Whether name matches the pattern's "*" (any run of characters) and "?" (one character),
// ignoring the case of ASCII letters as Windows file names do.
bool matchesWildcard(std::string_view name, std::string_view pattern);

} // namespace pomerel::files
