// SPDX-License-Identifier: GPL-3.0-or-later

#include "controls/folderlistbox.h"

#include "controls/errorbox.h"
#include "controls/foldericons.h"
#include "controls/folderreader.h"
#include "controls/listrowdelegate.h"
#include "controls/nativepath.h"
#include "controls/volumes.h"

#include <QDir>
#include <QKeyEvent>
#include <QMetaMethod>
#include <QMouseEvent>
#include <QScopedValueRollback>
#include <algorithm>
#include <optional>

namespace {

// The folder that opening a drive shows: the process's current folder when it lies on that
// drive, otherwise the drive's root.
QString folderOnDrive(const Volume &volume, const QList<Volume> &volumes)
{
    const QString current = NativePath::absolute(QDir::currentPath());
    const std::optional<Volume> holder = Volumes::holding(current, volumes);
    return holder && holder->drive == volume.drive ? current : volume.root;
}

bool isDriveLetter(const QString &path)
{
#ifdef Q_OS_WIN
    return path.size() == 2 && path.at(1) == QLatin1Char(':') && path.at(0).isLetter();
#else
    Q_UNUSED(path);
    return false;
#endif
}

// The folder that setPath(path) opens.
QString folderFor(const QString &path, const QList<Volume> &volumes)
{
    if (path.isEmpty())
        throw pomerel::Error(pomerel::ErrorNumber::PathNotFound);
    std::optional<Volume> drive = Volumes::named(path, volumes);
    if (!drive && !isDriveLetter(path))
        drive = Volumes::named(NativePath::absolute(path), volumes);
    if (drive)
        return folderOnDrive(*drive, volumes);
    if (isDriveLetter(path)) // a drive missing from the list: its root
        return path.toUpper() + QLatin1Char('\\');
    return NativePath::absolute(path);
}

// Reads folder's subfolders, after making sure its volume is ready.
QStringList readFolder(const QString &folder, const QList<Volume> &volumes)
{
    Volumes::checkReady(folder, volumes);
    return FolderReader::subfolders(folder);
}

} // namespace

FolderListBox::FolderListBox(QWidget *parent)
    : PickableList(parent)
    , m_openIcon(FolderIcons::open())
    , m_closedIcon(FolderIcons::closed())
{
    setItemDelegate(new ListRowDelegate(DepthRole, this));
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setIconSize(QSize(16, 16));
    setSelectionMode(QAbstractItemView::SingleSelection);
    setUniformItemSizes(true);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    // The process's current folder lies on a drive that is there: no need to read the drives.
    const QString current = NativePath::absolute(QDir::currentPath());
    try {
        fill(current, FolderReader::subfolders(current));
    } catch (const pomerel::Error &) {
        fill(current, {}); // a current folder that cannot be read: its path, no subfolders
    }
}

FolderListBox::~FolderListBox() = default;

QString FolderListBox::path() const
{
    return m_path;
}

void FolderListBox::setPath(const QString &path)
{
    const QList<Volume> volumes = m_source->list();
    if (display(folderFor(path, volumes), volumes))
        emit pathChanged();
}

void FolderListBox::setVolumes(const Volumes &volumes)
{
    m_source = &volumes;
}

void FolderListBox::refresh()
{
    fill(m_path, readFolder(m_path, m_source->list()));
}

int FolderListBox::currentFolderRow() const
{
    return static_cast<int>(NativePath::ancestry(m_path).size()) - 1;
}

// A row picked from outside opens as a double click does.
void FolderListBox::takePick()
{
    const QList<QListWidgetItem *> picked = selectedItems();
    if (!picked.isEmpty())
        open(picked.first());
}

void FolderListBox::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        open(currentItem());
        event->accept();
        return;
    }
    QListWidget::keyPressEvent(event);
}

void FolderListBox::mouseDoubleClickEvent(QMouseEvent *event)
{
    QListWidget::mouseDoubleClickEvent(event);
    if (event->button() == Qt::LeftButton)
        open(itemAt(event->position().toPoint()));
}

// Reads folder and shows it; says whether that changed the current folder. Throws, leaving
// the list as it was, when the folder cannot be read.
bool FolderListBox::display(const QString &folder, const QList<Volume> &volumes)
{
    const QStringList subfolders = readFolder(folder, volumes);
    const bool changed = folder.compare(m_path, NativePath::caseSensitivity()) != 0;
    fill(folder, subfolders);
    return changed;
}

void FolderListBox::fill(const QString &folder, const QStringList &subfolders)
{
    const QScopedValueRollback own(m_ownSelection, true);
    m_path = folder;
    clear();
    const QStringList folders = NativePath::ancestry(folder);
    int depth = 0;
    for (const QString &pathFolder : folders)
        addRow(pathFolder, depth++, RowKind::PathFolder);
    for (const QString &name : subfolders)
        addRow(NativePath::join(folder, name), depth, RowKind::Subfolder);
    const int current = currentFolderRow();
    setCurrentRow(current);
    // The parent on top, then the current folder and as many of its subfolders as fit.
    scrollToItem(item(std::max(current - 1, 0)), QAbstractItemView::PositionAtTop);
    scrollToItem(item(current));
}

void FolderListBox::addRow(const QString &folder, int depth, RowKind kind)
{
    const QIcon &icon = kind == RowKind::PathFolder ? m_openIcon : m_closedIcon;
    // Filled in before it joins the list, which then hears of it once.
    auto *row = new QListWidgetItem(icon, NativePath::displayName(folder));
    row->setData(FolderRole, folder);
    row->setData(DepthRole, depth);
    row->setData(KindRole, static_cast<int>(kind));
    addItem(row);
}

// The user's open: an error cannot go further up than here, so it is reported.
void FolderListBox::open(const QListWidgetItem *item)
{
    if (item == nullptr)
        return;
    bool changed = false;
    try {
        changed = display(item->data(FolderRole).toString(), m_source->list());
    } catch (const pomerel::Error &error) {
        if (isSignalConnected(QMetaMethod::fromSignal(&FolderListBox::openFailed)))
            emit openFailed(error);
        else
            ErrorBox::show(error, this);
        return;
    }
    if (changed)
        emit pathChanged();
}
