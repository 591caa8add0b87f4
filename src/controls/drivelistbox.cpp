// SPDX-License-Identifier: GPL-3.0-or-later

#include "controls/drivelistbox.h"

#include "controls/accessiblefactory.h"
#include "controls/nativepath.h"
#include "generation/error.h"

#include <QAbstractItemView>
#include <QAccessibleWidget>
#include <QDir>
#include <QScopedValueRollback>
#include <QScrollBar>
#include <optional>

namespace {

// Qt names a drop-down after its current item where a screen reader would look for a label
// beside it; these lists have none, so their own name comes first and the drive is the value.
class AccessibleDriveList final : public QAccessibleWidget
{
public:
    explicit AccessibleDriveList(DriveListBox *list)
        : QAccessibleWidget(list, QAccessible::ComboBox)
    {
    }

    QString text(QAccessible::Text kind) const override
    {
        if (kind == QAccessible::Value ||
            (kind == QAccessible::Name && list()->accessibleName().isEmpty()))
            return list()->currentText();
        return QAccessibleWidget::text(kind);
    }

    // The drop-down's list of drives.
    int childCount() const override { return 1; }
    QAccessibleInterface *child(int index) const override
    {
        return index == 0 ? QAccessible::queryAccessibleInterface(list()->view()) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface *child) const override
    {
        return child && child->object() == list()->view() ? 0 : -1;
    }

    QStringList actionNames() const override
    {
        return QStringList{showMenuAction(), pressAction()} + QAccessibleWidget::actionNames();
    }
    void doAction(const QString &actionName) override
    {
        if (actionName == showMenuAction() || actionName == pressAction())
            list()->showPopup();
        else
            QAccessibleWidget::doAction(actionName);
    }

private:
    DriveListBox *list() const { return static_cast<DriveListBox *>(widget()); }
};

} // namespace

DriveListBox::DriveListBox(QWidget *parent)
    : QComboBox(parent)
{
    installAccessibleFactory<DriveListBox, AccessibleDriveList>();
    start();
    connect(this, &QComboBox::currentIndexChanged, this, &DriveListBox::onIndexChanged);
}

QString DriveListBox::drive() const
{
    return m_drive;
}

void DriveListBox::setDrive(const QString &path)
{
    if (path.isEmpty())
        throw pomerel::Error(pomerel::ErrorNumber::InvalidCall);
    std::optional<Volume> volume = Volumes::named(path, m_volumes);
    const QString absolute = NativePath::absolute(path);
    if (!volume)
        volume = Volumes::holding(absolute, m_volumes);
    if (!volume) { // perhaps mounted since the list was read
        refresh();
        volume = Volumes::holding(absolute, m_volumes);
    }
    if (!volume)
        throw pomerel::Error(pomerel::ErrorNumber::DiskNotReady, path.toStdString());
    {
        const QScopedValueRollback guard(m_filling, true);
        setCurrentIndex(findData(volume->drive));
    }
    take(volume->drive);
}

void DriveListBox::refresh()
{
    QList<Volume> volumes = m_source->list();
    // The current drive stays listed even when it has gone: the folder list still shows it.
    if (!m_drive.isEmpty() && !Volumes::named(m_drive, volumes)) {
        if (const std::optional<Volume> gone = Volumes::named(m_drive, m_volumes))
            volumes.append(*gone);
    }
    fill(volumes);
}

void DriveListBox::setVolumes(const Volumes &volumes)
{
    m_source = &volumes;
    start();
}

void DriveListBox::showPopup()
{
    refresh();
    // The drop-down opens wide enough for long mount points, however narrow the list is. Its
    // view is made only now: a list that is never opened has no drop-down to build.
    view()->setMinimumWidth(view()->sizeHintForColumn(0) +
                            view()->verticalScrollBar()->sizeHint().width());
    QComboBox::showPopup();
}

QString DriveListBox::caption(const Volume &volume)
{
    if (volume.label.isEmpty())
        return volume.drive;
    return volume.drive + QLatin1String(" [") + volume.label + QLatin1Char(']');
}

void DriveListBox::start()
{
    const QList<Volume> volumes = m_source->list();
    // The drive that the process's current folder lies on; on Linux there always is one ("/").
    const std::optional<Volume> volume =
        Volumes::holding(NativePath::absolute(QDir::currentPath()), volumes);
    m_drive = volume ? volume->drive : QString();
    fill(volumes);
}

void DriveListBox::fill(const QList<Volume> &volumes)
{
    const QScopedValueRollback guard(m_filling, true);
    m_volumes = volumes;
    clear();
    for (const Volume &volume : volumes)
        addItem(caption(volume), volume.drive);
    setCurrentIndex(findData(m_drive));
}

// Only the user moves the list without m_filling set: by the drop-down, the keyboard or the wheel.
void DriveListBox::onIndexChanged(int index)
{
    if (!m_filling && index >= 0 && index < m_volumes.size())
        take(m_volumes.at(index).drive);
}

// The new drive is in place before anyone hears of it.
void DriveListBox::take(const QString &drive)
{
    if (drive == m_drive)
        return;
    m_drive = drive;
    emit driveChanged();
}
