// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <QStringList>
#include <filesystem>

// Folder paths as the lists show them: absolute, with the system's separators and no trailing
// one except at a root ("C:\", "/"). Relative paths are taken from the process's current folder.
namespace NativePath {

// Letter case counts in paths everywhere but on Windows.
Qt::CaseSensitivity caseSensitivity();

// The absolute, cleaned form of path.
QString absolute(const QString &path);

// Whether path is root or lies below it; both absolute and clean.
bool contains(const QString &root, const QString &path);

// The folders from the root down to path itself: "/a/b" gives "/", "/a", "/a/b".
QStringList ancestry(const QString &path);

// What a folder list shows for a folder: its own name, or the whole root ("c:\", "/").
QString displayName(const QString &folder);

// The folder's path with name added, with one separator between them, in the system's form.
QString join(const QString &folder, const QString &name);

// The name a new file or folder gets: Windows drops trailing blanks and dots, which leaves
// nothing of a name made of them alone.
QString nameAsCreated(const QString &name);

// The path as the file system wants it.
std::filesystem::path toFsPath(const QString &path);

} // namespace NativePath
