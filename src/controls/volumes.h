// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QList>
#include <QString>
#include <functional>
#include <optional>

// One drive of the drive list: a drive letter on Windows, a mounted volume elsewhere.
struct Volume
{
    // How the drive list names it: "c:" on Windows, the mount point elsewhere ("/media/cle").
    QString drive;
    // Its root folder, as the folder list shows it: "C:\", "/media/cle".
    QString root;
    // The volume's name, or its device when it has none; may be empty.
    QString label;
    // False when it holds no medium, or its root cannot be opened.
    bool ready = true;

    bool operator==(const Volume &) const = default;
};

// The drives of this computer, as the drive and folder lists see them. On Linux they are the
// mounted volumes that hold files: real file systems and removable media, not the kernel's
// pseudo file systems nor the system's run-time areas (/proc, /sys, /dev, /run but /run/media).
class Volumes
{
public:
    using Source = std::function<QList<Volume>()>;

    Volumes() = delete;

    // The drives now, from the source in use.
    static QList<Volume> list();
    // Replaces where the drives come from, so that tests can give a fixed set (with drives
    // that are not ready). An empty source brings back the system's drives.
    static void setSource(Source source);
    // The system's drives, read afresh.
    static QList<Volume> system();

    // While one lives, list() reads the drives once and gives that same list every time:
    // the window's six lists are made from one reading at start-up.
    class Snapshot
    {
    public:
        Snapshot();
        ~Snapshot();
        Snapshot(const Snapshot &) = delete;
        Snapshot &operator=(const Snapshot &) = delete;
    };

    // The volume holding an absolute path: the one with the longest root that contains it.
    static std::optional<Volume> holding(const QString &path, const QList<Volume> &volumes);
    // Throws pomerel::Error (71) when the volume holding an absolute path is not ready.
    static void checkReady(const QString &path, const QList<Volume> &volumes);
    // The volume that the drive list names drive, if any.
    static std::optional<Volume> named(const QString &drive, const QList<Volume> &volumes);
};
