// SPDX-License-Identifier: GPL-3.0-or-later

#include "controls/nativepath.h"

#include "generation/paths.h"

#include <QDir>

namespace NativePath {

namespace {

// The length of the root at the start of a path in "/" form: "//server/share", "C:/" or "/".
qsizetype rootLength(const QString &path)
{
    if (path.startsWith(QLatin1String("//"))) {
        const qsizetype server = path.indexOf(QLatin1Char('/'), 2);
        if (server < 0)
            return path.size();
        const qsizetype share = path.indexOf(QLatin1Char('/'), server + 1);
        return share < 0 ? path.size() : share;
    }
    if (path.size() >= 2 && path.at(1) == QLatin1Char(':') && path.at(0).isLetter())
        return path.size() >= 3 && path.at(2) == QLatin1Char('/') ? 3 : 2;
    return path.startsWith(QLatin1Char('/')) ? 1 : 0;
}

} // namespace

Qt::CaseSensitivity caseSensitivity()
{
#ifdef Q_OS_WIN
    return Qt::CaseInsensitive;
#else
    return Qt::CaseSensitive;
#endif
}

QString absolute(const QString &path)
{
    const QString slashed = QDir::fromNativeSeparators(path);
    return QDir::toNativeSeparators(QDir::cleanPath(QDir::current().absoluteFilePath(slashed)));
}

bool contains(const QString &root, const QString &path)
{
    const QString slashedRoot = QDir::fromNativeSeparators(root);
    const QString slashedPath = QDir::fromNativeSeparators(path);
    if (!slashedPath.startsWith(slashedRoot, caseSensitivity()))
        return false;
    return slashedPath.size() == slashedRoot.size() || slashedRoot.endsWith(QLatin1Char('/')) ||
           slashedPath.at(slashedRoot.size()) == QLatin1Char('/');
}

QStringList ancestry(const QString &path)
{
    const QString slashed = QDir::fromNativeSeparators(path);
    const qsizetype length = rootLength(slashed);
    QString folder = slashed.left(length);
    if (length == 2) // "C:" alone stands for its root
        folder += QLatin1Char('/');

    QStringList folders;
    if (!folder.isEmpty())
        folders.append(QDir::toNativeSeparators(folder));
    const QStringList names = slashed.mid(length).split(QLatin1Char('/'), Qt::SkipEmptyParts);
    for (const QString &name : names) {
        folder = join(folder, name);
        folders.append(folder);
    }
    return folders;
}

QString displayName(const QString &folder)
{
    const QString slashed = QDir::fromNativeSeparators(folder);
    const qsizetype length = rootLength(slashed);
    if (length > 0 && length >= slashed.size()) {
        QString root = folder;
        if (root.size() >= 2 && root.at(1) == QLatin1Char(':'))
            root[0] =
                root.at(0).toLower(); // drives show as "c:\", the way the drive list names them
        return root;
    }
    return slashed.mid(slashed.lastIndexOf(QLatin1Char('/')) + 1);
}

QString join(const QString &folder, const QString &name)
{
    const std::string joined = pomerel::joinFolderAndFile(
        QDir::toNativeSeparators(folder).toStdString(), name.toStdString());
    return QString::fromStdString(joined);
}

QString nameAsCreated(const QString &name)
{
#ifdef Q_OS_WIN
    qsizetype end = name.size();
    while (end > 0 &&
           (name.at(end - 1) == QLatin1Char(' ') || name.at(end - 1) == QLatin1Char('.')))
        --end;
    return name.left(end);
#else
    return name;
#endif
}

std::filesystem::path toFsPath(const QString &path)
{
    return pomerel::toFsPath(path.toStdString());
}

} // namespace NativePath
