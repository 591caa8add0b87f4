// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "controls/pickablelist.h"
#include "controls/volumes.h"
#include "generation/error.h"

#include <QListWidget>

// The classic folder list: the folders of the current path from the root down, indented, with
// open-folder icons, then the current folder's subfolders with closed-folder icons. A double
// click or Enter on one opens it, and so does an assistive tool's action on it, which selects
// the row. Hidden folders are left out, as the system's file browser
// does by default; the current path shows whatever it passes through.
class FolderListBox : public PickableList<QListWidget>
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(FolderListBox)

public:
    // Where a row's folder lies: on the current path, or inside the current folder.
    enum class RowKind { PathFolder, Subfolder };

    // The data each row carries besides its name.
    enum Role { FolderRole = Qt::UserRole, DepthRole, KindRole };

    // Starts on the process's current folder.
    explicit FolderListBox(QWidget *parent = nullptr);
    ~FolderListBox() override;

    // The current folder, with native separators and no trailing one except at a root.
    QString path() const;
    // Opens a folder, or a drive as DriveListBox::drive() gives it (then a folder of that
    // drive). Throws pomerel::Error (71 for a volume that cannot be read, 76 for a missing
    // folder) and stays as it was when the folder cannot be read. Raises pathChanged() before
    // returning when the folder changes.
    void setPath(const QString &path);
    // Reads the current folder's subfolders again from disk. Throws like setPath() and stays
    // as it was when the folder cannot be read any more.
    void refresh();

    // Takes the drives from volumes from now on; they must outlive the list.
    void setVolumes(const Volumes &volumes);

    // The row of the current folder.
    int currentFolderRow() const;

signals:
    void pathChanged();
    // Opening a folder by double click or Enter failed; the list stays as it was. When nothing
    // is connected, the list reports the error itself in a box titled "Pomerel".
    void openFailed(const pomerel::Error &error);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    bool display(const QString &folder, const QList<Volume> &volumes);
    void fill(const QString &folder, const QStringList &subfolders);
    void open(const QListWidgetItem *item);
    void takePick() override;
    void addRow(const QString &folder, int depth, RowKind kind);

    const Volumes *m_source = &Volumes::system();
    QIcon m_openIcon;
    QIcon m_closedIcon;
    QString m_path;
};
