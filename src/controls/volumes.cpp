// SPDX-License-Identifier: GPL-3.0-or-later

#include "controls/volumes.h"

#include "controls/folderreader.h"
#include "controls/nativepath.h"
#include "generation/error.h"

#include <QDir>
#include <QStorageInfo>
#include <algorithm>
#include <array>
#include <optional>

namespace {

#ifndef Q_OS_WIN
QString labelOf(const QStorageInfo &info)
{
    const QString name = info.name();
    return name.isEmpty() ? QString::fromLocal8Bit(info.device()) : name;
}

// File systems of the kernel's own that hold no user files.
bool isPseudoFileSystem(const QByteArray &type)
{
    static constexpr std::array kPseudo{
        "proc",        "sysfs",  "devtmpfs", "devpts",     "mqueue",    "debugfs",   "tracefs",
        "securityfs",  "pstore", "bpf",      "configfs",   "fusectl",   "hugetlbfs", "autofs",
        "binfmt_misc", "nsfs",   "efivarfs", "rpc_pipefs", "selinuxfs", "ramfs"};
    if (type.startsWith("cgroup"))
        return true;
    return std::any_of(kPseudo.begin(), kPseudo.end(),
                       [&type](const char *pseudo) { return type == pseudo; });
}

// /proc, /sys, /dev and /run belong to the system; removable media may be mounted under
// /run/media all the same.
bool isSystemArea(const QString &root)
{
    static const std::array kAreas{QStringLiteral("/proc"), QStringLiteral("/sys"),
                                   QStringLiteral("/dev"), QStringLiteral("/run")};
    if (NativePath::contains(QStringLiteral("/run/media"), root))
        return false;
    return std::any_of(kAreas.begin(), kAreas.end(),
                       [&root](const QString &area) { return NativePath::contains(area, root); });
}

QList<Volume> systemVolumes()
{
    QList<Volume> volumes;
    for (const QStorageInfo &info : QStorageInfo::mountedVolumes()) {
        const QString root = QDir::toNativeSeparators(info.rootPath());
        // A file mounted over a file (as containers do for /etc/hosts) is no drive.
        if (isPseudoFileSystem(info.fileSystemType()) || isSystemArea(root) ||
            !QFileInfo(root).isDir())
            continue;
        const auto same = [&root](const Volume &volume) { return volume.root == root; };
        if (std::any_of(volumes.cbegin(), volumes.cend(), same))
            continue; // mounted over again: the list names each place once
        volumes.append(Volume{root, root, labelOf(info),
                              info.isValid() && info.isReady() && FolderReader::canOpen(root)});
    }
    std::sort(volumes.begin(), volumes.end(),
              [](const Volume &a, const Volume &b) { return a.root < b.root; });
    return volumes;
}
#else
QList<Volume> systemVolumes()
{
    QList<Volume> volumes;
    for (const QFileInfo &drive : QDir::drives()) {
        const QString root = QDir::toNativeSeparators(drive.absoluteFilePath());
        const QStorageInfo info(root);
        const bool ready = info.isValid() && info.isReady() && FolderReader::canOpen(root);
        volumes.append(Volume{root.left(2).toLower(), root.left(2).toUpper() + QLatin1Char('\\'),
                              ready ? info.name() : QString(), ready});
    }
    return volumes;
}
#endif

} // namespace

QList<Volume> Volumes::list() const
{
    return systemVolumes();
}

const Volumes &Volumes::system()
{
    static const Volumes volumes;
    return volumes;
}

std::optional<Volume> Volumes::holding(const QString &path, const QList<Volume> &volumes)
{
    std::optional<Volume> best;
    for (const Volume &volume : volumes) {
        if (NativePath::contains(volume.root, path) &&
            (!best || volume.root.size() > best->root.size()))
            best = volume;
    }
    return best;
}

void Volumes::checkReady(const QString &path, const QList<Volume> &volumes)
{
    const std::optional<Volume> volume = holding(path, volumes);
    if (volume && !volume->ready)
        throw pomerel::Error(pomerel::ErrorNumber::DiskNotReady, path.toStdString());
}

std::optional<Volume> Volumes::named(const QString &drive, const QList<Volume> &volumes)
{
    for (const Volume &volume : volumes) {
        if (volume.drive.compare(drive, NativePath::caseSensitivity()) == 0)
            return volume;
    }
    return std::nullopt;
}
