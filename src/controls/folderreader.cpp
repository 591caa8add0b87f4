// SPDX-License-Identifier: GPL-3.0-or-later

#include "controls/folderreader.h"

#include "controls/nativepath.h"
#include "generation/error.h"
#include "generation/filesystem_platform.h"

#include <algorithm>
#include <array>
#include <filesystem>
#include <system_error>
#include <tuple>
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

// A name's key taken whole: its letters without case or accents.
QString wholeSortKey(const QString &name)
{
    QString key = name.toCaseFolded();
    key = key.normalized(QString::NormalizationForm_D);
    key.removeIf([](QChar c) { return c.category() == QChar::Mark_NonSpacing; });
    return key;
}

// What names sort by: their letters without case or accents, so that "Été" comes among the
// E's as a French reader expects. Folding the case and taking the accents off work character
// by character, so a name's key is its characters' keys one after the other; each character's
// is worked out the first time it is met and kept. A name holding a character that needs a
// longer key, or one beyond the first plane, is taken whole.
class SortKeys
{
public:
    QString keyOf(const QString &name)
    {
        QString key(name.size() * kMostUnits, Qt::Uninitialized);
        QChar *out = key.data();
        for (const QChar c : name) {
            const Part &part = partOf(c);
            if (!part.known)
                return wholeSortKey(name);
            out = std::copy_n(part.units.cbegin(), part.size, out);
        }
        key.truncate(out - key.constData());
        return key;
    }

private:
    static constexpr qsizetype kMostUnits = 3; // "ß" folds to "ss"; "ΐ" to three before NFD

    struct Part
    {
        std::array<QChar, kMostUnits> units{};
        unsigned char size = 0;
        bool known = false;
        bool seen = false;
    };

    const Part &partOf(QChar c)
    {
        Part &part = m_parts[c.unicode()];
        if (part.seen)
            return part;
        part.seen = true;
        if (c.isSurrogate())
            return part;
        const QString key = wholeSortKey(QString(c));
        if (key.size() > kMostUnits)
            return part;
        part.known = true;
        part.size = static_cast<unsigned char>(key.size());
        std::copy(key.cbegin(), key.cend(), part.units.begin());
        return part;
    }

    std::array<Part, 0x10000> m_parts{};
};

struct SortEntry
{
    QString key;
    QString name;
};

// The names of folder's files or subfolders (links to them too), hidden ones left out.
QStringList readNames(const QString &folder, pomerel::files::platform::EntryKind wanted)
{
    using pomerel::files::platform::FolderEntry;
    FolderReader::check(folder);
    QStringList names;
    pomerel::files::platform::forEachEntryIn(folder.toStdString(), [&](const FolderEntry &entry) {
        if (entry.kind == wanted && !entry.hidden)
            names.append(QString::fromUtf8(entry.name));
    });
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
    QStringList names = readNames(folder, pomerel::files::platform::EntryKind::Folder);
    sortNames(names);
    return names;
}

QStringList FolderReader::files(const QString &folder)
{
    return readNames(folder, pomerel::files::platform::EntryKind::File);
}

void FolderReader::sortNames(QStringList &names)
{
    // Each name's key is worked out once, not at every comparison.
    static SortKeys keys;
    std::vector<SortEntry> keyed;
    keyed.reserve(static_cast<std::size_t>(names.size()));
    for (QString &name : names) {
        QString key = keys.keyOf(name);
        keyed.push_back(SortEntry{std::move(key), std::move(name)});
    }
    std::sort(keyed.begin(), keyed.end(), [](const SortEntry &a, const SortEntry &b) {
        return std::tie(a.key, a.name) < std::tie(b.key, b.name);
    });
    for (qsizetype i = 0; i < names.size(); ++i)
        names[i] = std::move(keyed[static_cast<std::size_t>(i)].name);
}
