// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "controls/pickablelist.h"
#include "controls/volumes.h"
#include "controls/wildcardmatcher.h"

#include <QListView>
#include <QStringList>

class FileListModel;

// The classic file list: the files directly in its folder whose names match its pattern, in
// name order. Stays quick on folders holding a hundred thousand files. Hidden files are left
// out, as the system's file browser does by default.
class FileListBox : public PickableList<QListView>
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(FileListBox)

public:
    // Starts on the process's current folder, with the pattern "*.*" (every file).
    explicit FileListBox(QWidget *parent = nullptr);
    ~FileListBox() override;

    QString path() const;
    // Lists the files of folder, none of them selected. Throws pomerel::Error and stays as it
    // was when the folder cannot be read.
    void setPath(const QString &folder);
    // Takes the drives from volumes from now on; they must outlive the list.
    void setVolumes(const Volumes &volumes);

    // Wildcard patterns separated by ";", such as "*.bmp;*.jpg;*.gif"; letter case is ignored.
    QString pattern() const;
    void setPattern(const QString &pattern);

    // The selected file's name, or an empty string.
    QString fileName() const;
    // The names listed, in order.
    QStringList fileNames() const;

    // Reads the folder again; the selected file stays selected while it is still there.
    // Throws pomerel::Error and stays as it was when the folder cannot be read.
    void refresh();

signals:
    // The user selected a file: by a click, by moving the selection with the keyboard, or
    // through an assistive tool, whose only action on a row is to select it.
    void fileSelected();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;

private:
    QStringList read(const QString &folder) const;
    void list(const QString &folder, QStringList names, const QString &selected);
    int selectedRow() const;
    void announceMove(int rowBefore);
    void takePick() override;

    const Volumes *m_source = &Volumes::system();
    FileListModel *m_model = nullptr;
    QString m_path;
    QString m_pattern = QStringLiteral("*.*");
    WildcardMatcher m_matcher;
    QStringList m_allNames; // every file of the folder, whatever the pattern, unsorted
};
