// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "controls/volumes.h"

#include <QComboBox>

// The classic drive list: a drop-down of the drives. On Windows a drive is "c:"; elsewhere the
// drives are the mounted volumes that hold files, each named by its mount point ("/").
class DriveListBox : public QComboBox
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(DriveListBox)

public:
    // Starts on the drive of the process's current folder.
    explicit DriveListBox(QWidget *parent = nullptr);

    // The current drive, in a form FolderListBox::setPath() accepts.
    QString drive() const;
    // Takes the drive that holds path (a drive, a folder or a file). Raises driveChanged()
    // before returning when the drive changes. Throws pomerel::Error (71) when no drive
    // holds path, and 5 when path is empty.
    void setDrive(const QString &path);
    // Reads the drives again.
    void refresh();
    // Takes the drives from volumes from now on (they must outlive the list), and starts again
    // on the drive of the process's current folder, silently.
    void setVolumes(const Volumes &volumes);

    // Opening the drop-down reads the drives again, so that a key plugged in shows up.
    void showPopup() override;

    // What the list shows for a volume: "c: [label]", "/media/cle [label]".
    static QString caption(const Volume &volume);

signals:
    // The user chose a drive, or setDrive() changed it.
    void driveChanged();

private:
    void start();
    void fill(const QList<Volume> &volumes);
    void onIndexChanged(int index);
    void take(const QString &drive);

    const Volumes *m_source = &Volumes::system();
    QList<Volume> m_volumes;
    QString m_drive;
    bool m_filling = false;
};
