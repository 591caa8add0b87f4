// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QList>
#include <QString>
#include <QtGlobal>
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

// Where the drive, folder and file lists find this computer's drives. On Linux they are the
// mounted volumes that hold files: real file systems and removable media, not the kernel's
// pseudo file systems nor the system's run-time areas (/proc, /sys, /dev, /run but /run/media).
// A list uses the system's unless it is handed others; it reads them afresh each time it needs
// them, so that a key plugged in shows up.
class Volumes
{
public:
    Volumes() = default;
    virtual ~Volumes() = default;
    Q_DISABLE_COPY_MOVE(Volumes)

    // The drives now.
    virtual QList<Volume> list() const;
    // The system's drives, which the lists use unless handed others.
    static const Volumes &system();

    // The volume holding an absolute path: the one with the longest root that contains it.
    static std::optional<Volume> holding(const QString &path, const QList<Volume> &volumes);
    // Throws pomerel::Error (71) when the volume holding an absolute path is not ready.
    static void checkReady(const QString &path, const QList<Volume> &volumes);
    // The volume that the drive list names drive, if any.
    static std::optional<Volume> named(const QString &drive, const QList<Volume> &volumes);
};
