// SPDX-License-Identifier: GPL-3.0-or-later

#include "controls/filelistbox.h"

#include "controls/filelistmodel.h"
#include "controls/folderreader.h"
#include "controls/listrowdelegate.h"
#include "controls/nativepath.h"
#include "controls/volumes.h"
#include "generation/error.h"

#include <QDir>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScopedValueRollback>
#include <utility>

FileListBox::FileListBox(QWidget *parent)
    : PickableList(parent)
    , m_model(new FileListModel(this))
{
    setModel(m_model);
    setItemDelegate(new ListRowDelegate(-1, this));
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setTextElideMode(Qt::ElideMiddle); // keeps the extension in sight
    setUniformItemSizes(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);

    // The process's current folder lies on a drive that is there: no need to read the drives.
    const QString current = NativePath::absolute(QDir::currentPath());
    try {
        list(current, FolderReader::files(current), {});
    } catch (const pomerel::Error &) {
        list(current, {}, {}); // a current folder that cannot be read lists nothing
    }
}

FileListBox::~FileListBox() = default;

QString FileListBox::path() const
{
    return m_path;
}

void FileListBox::setPath(const QString &folder)
{
    // An empty path is no folder, not the current one.
    const QString absolute = folder.isEmpty() ? folder : NativePath::absolute(folder);
    list(absolute, read(absolute), {});
}

void FileListBox::setVolumes(const Volumes &volumes)
{
    m_source = &volumes;
}

QString FileListBox::pattern() const
{
    return m_pattern;
}

void FileListBox::setPattern(const QString &pattern)
{
    if (pattern == m_pattern)
        return;
    m_pattern = pattern;
    m_matcher = WildcardMatcher(pattern);
    list(m_path, std::move(m_allNames), fileName());
}

QString FileListBox::fileName() const
{
    const int row = selectedRow();
    return row < 0 ? QString() : m_model->names().at(row);
}

QStringList FileListBox::fileNames() const
{
    return m_model->names();
}

void FileListBox::refresh()
{
    list(m_path, read(m_path), fileName());
}

void FileListBox::takePick()
{
    const int row = selectedRow();
    if (row < 0)
        return;
    {
        const QScopedValueRollback own(m_ownSelection, true);
        selectionModel()->setCurrentIndex(m_model->index(row), QItemSelectionModel::NoUpdate);
    }
    emit fileSelected();
}

// Keyboard moves and drags select a file when they change the selected row.
void FileListBox::keyPressEvent(QKeyEvent *event)
{
    const int before = selectedRow();
    const bool arrow = event->key() == Qt::Key_Down || event->key() == Qt::Key_Up;
    if (arrow && before < 0 && currentIndex().isValid() && event->modifiers() == Qt::NoModifier) {
        // Nothing chosen yet: the first arrow chooses the file under the focus frame, which
        // the list puts on the first file when it takes the focus.
        selectionModel()->select(currentIndex(), QItemSelectionModel::ClearAndSelect);
        event->accept();
    } else {
        QListView::keyPressEvent(event);
    }
    announceMove(before);
}

// A click on a file counts even on the file already selected, as it does in the classic list.
void FileListBox::mousePressEvent(QMouseEvent *event)
{
    QListView::mousePressEvent(event);
    const QModelIndex clicked = indexAt(event->position().toPoint());
    if (event->button() == Qt::LeftButton && clicked.isValid() && clicked.row() == selectedRow())
        emit fileSelected();
}

void FileListBox::mouseMoveEvent(QMouseEvent *event)
{
    const int before = selectedRow();
    QListView::mouseMoveEvent(event);
    announceMove(before);
}

// Every file of folder, after making sure its volume is ready.
QStringList FileListBox::read(const QString &folder) const
{
    Volumes::checkReady(folder, m_source->list());
    return FolderReader::files(folder);
}

// Shows the files of folder among names that match the pattern, selecting the one named
// selected if it is there. The model changes without the user: no fileSelected().
void FileListBox::list(const QString &folder, QStringList names, const QString &selected)
{
    const QScopedValueRollback own(m_ownSelection, true);
    m_path = folder;
    m_allNames = std::move(names);
    QStringList shown;
    shown.reserve(m_allNames.size());
    for (const QString &name : std::as_const(m_allNames)) {
        if (m_matcher.matches(name))
            shown.append(name);
    }
    FolderReader::sortNames(shown);
    m_model->setNames(std::move(shown));
    if (selected.isEmpty())
        return;
    const qsizetype row = m_model->names().indexOf(selected);
    if (row >= 0)
        setCurrentIndex(m_model->index(static_cast<int>(row)));
}

int FileListBox::selectedRow() const
{
    const QModelIndexList selected = selectionModel()->selectedRows();
    return selected.isEmpty() ? -1 : selected.first().row();
}

// Raised once the view has finished with the input, so a handler reads the new selection.
void FileListBox::announceMove(int rowBefore)
{
    const int row = selectedRow();
    if (row >= 0 && row != rowBefore)
        emit fileSelected();
}
