#pragma once

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
    // before returning when the drive changes.
    void setDrive(const QString &path);
    // Reads the drives again.
    void refresh();

signals:
    // The user chose a drive, or setDrive() changed it.
    void driveChanged();
};
