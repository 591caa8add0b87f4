// SPDX-License-Identifier: GPL-3.0-or-later

#include "controls/folderreader.h"

#include "controls/nativepath.h"
#include "generation/error.h"

#include <QDirIterator>
#include <algorithm>
#include <array>
#include <cerrno>
#include <compare>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <system_error>
#include <tuple>
#include <utility>
#include <vector>

#ifndef Q_OS_WIN
#include <dirent.h>
#include <sys/stat.h>
#endif

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
// E's as a French reader expects.
QString fullSortKey(const QString &name)
{
    QString key = name.toCaseFolded();
    key = key.normalized(QString::NormalizationForm_D);
    key.removeIf([](QChar c) { return c.category() == QChar::Mark_NonSpacing; });
    return key;
}

// The keys of the characters below U+0250 one by one: ASCII and the Latin letters of Western
// and Central Europe. A name made of them only gets its key by looking up each character,
// which gives the same key: folding the case and taking the accents off work character by
// character there, and the accents all come off.
class LatinKeys
{
public:
    LatinKeys()
    {
        for (char16_t c = 0; c < kEnd; ++c) {
            const QString key = fullSortKey(QString(QChar(c)));
            if (key.size() > kMostUnits)
                continue; // left to the full key, as characters beyond the table
            m_keys[c].known = true;
            m_keys[c].size = static_cast<unsigned char>(key.size());
            std::copy(key.cbegin(), key.cend(), m_keys[c].units.begin());
        }
    }

    // The name's key, or nothing when the name holds a character beyond the table.
    std::optional<QString> keyOf(const QString &name) const
    {
        QString key(name.size() * kMostUnits, Qt::Uninitialized);
        QChar *out = key.data();
        for (const QChar c : name) {
            if (c.unicode() >= kEnd || !m_keys[c.unicode()].known)
                return std::nullopt;
            const Key &each = m_keys[c.unicode()];
            out = std::copy_n(each.units.cbegin(), each.size, out);
        }
        key.truncate(out - key.constData());
        return key;
    }

private:
    static constexpr char16_t kEnd = 0x0250;
    static constexpr qsizetype kMostUnits = 3; // "ß" folds to "ss", the most there is

    struct Key
    {
        std::array<QChar, kMostUnits> units{};
        unsigned char size = 0;
        bool known = false;
    };
    std::array<Key, kEnd> m_keys;
};

QString sortKey(const QString &name)
{
    static const LatinKeys latin;
    if (std::optional<QString> key = latin.keyOf(name))
        return *std::move(key);
    return fullSortKey(name);
}

// A key's first twelve UTF-16 units, in an order that agrees with comparing the whole keys:
// most pairs of names are told apart by these alone, with no look at the strings themselves.
struct SortPrefix
{
    std::array<std::uint64_t, 3> words{};

    explicit SortPrefix(const QString &key)
    {
        const qsizetype units = std::min<qsizetype>(key.size(), 12);
        for (qsizetype i = 0; i < units; ++i)
            words[static_cast<std::size_t>(i / 4)] |= std::uint64_t(key.at(i).unicode())
                                                      << (48 - 16 * (i % 4));
    }
    auto operator<=>(const SortPrefix &) const = default;
};

struct SortEntry
{
    SortPrefix prefix;
    QString key;
    QString name;
};

#ifdef Q_OS_WIN
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
#else
// What an entry is once links are followed; broken links and devices are neither.
enum class EntryKind { File, Folder, Other };

EntryKind kindOf(DIR *directory, const dirent &entry)
{
    if (entry.d_type == DT_REG)
        return EntryKind::File;
    if (entry.d_type == DT_DIR)
        return EntryKind::Folder;
    if (entry.d_type != DT_LNK && entry.d_type != DT_UNKNOWN)
        return EntryKind::Other;
    struct stat status = {};
    if (::fstatat(::dirfd(directory), entry.d_name, &status, 0) != 0)
        return EntryKind::Other;
    if (S_ISREG(status.st_mode))
        return EntryKind::File;
    return S_ISDIR(status.st_mode) ? EntryKind::Folder : EntryKind::Other;
}

// The names of folder's files or subfolders (links to them too), hidden ones left out, read
// straight from the directory: the entry's type comes with its name.
QStringList readNames(const QString &folder, QDir::Filters kind)
{
    FolderReader::check(folder);
    const std::unique_ptr<DIR, int (*)(DIR *)> directory(
        ::opendir(QFile::encodeName(folder).constData()), ::closedir);
    if (!directory)
        throw pomerel::errorFromSystem(std::error_code(errno, std::generic_category()),
                                       folder.toStdString());
    const EntryKind wanted = kind.testFlag(QDir::Files) ? EntryKind::File : EntryKind::Folder;
    QStringList names;
    while (const dirent *entry = ::readdir(directory.get())) {
        if (entry->d_name[0] == '.') // hidden, or "." and ".."
            continue;
        if (kindOf(directory.get(), *entry) == wanted)
            names.append(QFile::decodeName(entry->d_name));
    }
    return names;
}
#endif

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
    std::vector<SortEntry> keyed;
    keyed.reserve(static_cast<std::size_t>(names.size()));
    for (QString &name : names) {
        QString key = sortKey(name);
        const SortPrefix prefix(key);
        keyed.push_back(SortEntry{prefix, std::move(key), std::move(name)});
    }
    std::sort(keyed.begin(), keyed.end(), [](const SortEntry &a, const SortEntry &b) {
        if (a.prefix != b.prefix)
            return a.prefix < b.prefix;
        return std::tie(a.key, a.name) < std::tie(b.key, b.name);
    });
    for (qsizetype i = 0; i < names.size(); ++i)
        names[i] = std::move(keyed[static_cast<std::size_t>(i)].name);
}
