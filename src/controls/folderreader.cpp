// SPDX-License-Identifier: GPL-3.0-or-later

#include "controls/folderreader.h"

#include "controls/nativepath.h"
#include "generation/error.h"

#include <QDirIterator>
#include <algorithm>
#include <filesystem>
#include <system_error>
#include <utility>
#include <vector>

namespace {

std::error_code openError(const QString &folder)
{
    std::error_code code;
    const std::filesystem::directory_iterator entries(NativePath::toFsPath(folder), code);
    // A file where a folder was expected means the folder is missing.
    if (code == std::errc::not_a_directory)
        code = std::make_error_code(std::errc::no_such_file_or_directory);
    return code;
}

// What a name sorts by: its letters without case or accents, so that "Été" comes among the
// E's as a French reader expects. Names in plain ASCII, the most of them, need no more work.
QString sortKey(const QString &name)
{
    QString key = name.toCaseFolded();
    if (std::all_of(key.cbegin(), key.cend(), [](QChar c) { return c.unicode() < 0x80; }))
        return key;
    key = key.normalized(QString::NormalizationForm_D);
    key.removeIf([](QChar c) { return c.category() == QChar::Mark_NonSpacing; });
    return key;
}

QStringList readNames(const QString &folder, QDir::Filters kind)
{
    FolderReader::check(folder);
    QStringList names;
    QDirIterator entries(folder, kind | QDir::NoDotAndDotDot);
    while (entries.hasNext()) {
        entries.next();
        names.append(entries.fileName());
    }
    return names;
}

} // namespace

void FolderReader::check(const QString &folder)
{
    if (folder.isEmpty())
        throw pomerel::Error(pomerel::ErrorNumber::PathNotFound);
    if (const std::error_code code = openError(folder))
        throw pomerel::errorFromSystem(code, folder.toStdString());
}

bool FolderReader::canOpen(const QString &folder)
{
    return !folder.isEmpty() && !openError(folder);
}

QStringList FolderReader::subfolders(const QString &folder)
{
    QStringList names = readNames(folder, QDir::Dirs);
    sortNames(names);
    return names;
}

QStringList FolderReader::files(const QString &folder)
{
    return readNames(folder, QDir::Files);
}

void FolderReader::sortNames(QStringList &names)
{
    // Working out each name's key once keeps the sort of a hundred thousand names quick.
    std::vector<std::pair<QString, QString>> keyed;
    keyed.reserve(static_cast<std::size_t>(names.size()));
    for (QString &name : names)
        keyed.emplace_back(sortKey(name), std::move(name));
    std::sort(keyed.begin(), keyed.end());
    for (qsizetype i = 0; i < names.size(); ++i)
        names[i] = std::move(keyed[static_cast<std::size_t>(i)].second);
}
