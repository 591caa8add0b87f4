#pragma once

#include <QListWidget>

// The classic folder list: the folders of the current path from the root down, indented, with
// open-folder icons, then the current folder's subfolders with closed-folder icons. A double
// click or Enter on one opens it.
class FolderListBox : public QListWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(FolderListBox)

public:
    // Starts on the process's current folder.
    explicit FolderListBox(QWidget *parent = nullptr);

    // The current folder, with native separators and no trailing one except at a root.
    QString path() const;
    // Opens a folder, or a drive as DriveListBox::drive() gives it (then a folder of that
    // drive). Throws pomerel::Error (71 for a volume that cannot be read, 76 for a missing
    // folder) and stays as it was when the folder cannot be read. Raises pathChanged() before
    // returning when the folder changes.
    void setPath(const QString &path);
    // Reads the current folder's subfolders again from disk.
    void refresh();

signals:
    void pathChanged();
};
