#pragma once

#include <QListView>

class FileListModel;

// The classic file list: the files directly in its folder whose names match its pattern, in
// name order. Stays quick on folders holding a hundred thousand files.
class FileListBox : public QListView
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

    // Wildcard patterns separated by ";", such as "*.bmp;*.jpg;*.gif"; letter case is ignored.
    QString pattern() const;
    void setPattern(const QString &pattern);

    // The selected file's name, or an empty string.
    QString fileName() const;

    // Reads the folder again.
    void refresh();

signals:
    // The user selected a file, by a click or by moving the selection with the keyboard.
    void fileSelected();

private:
    FileListModel *m_model = nullptr;
};
