// SPDX-License-Identifier: GPL-3.0-or-later

#include "support/controltest.h"

#include "controls/drivelistbox.h"
#include "controls/filelistbox.h"
#include "controls/folderlistbox.h"
#include "support/errornumber.h"
#include "support/privileges.h"

namespace ControlTest {

void FixedVolumes::handTo(QWidget *window) const
{
    for (DriveListBox *list : window->findChildren<DriveListBox *>())
        list->setVolumes(*this);
    for (FolderListBox *list : window->findChildren<FolderListBox *>())
        list->setVolumes(*this);
    for (FileListBox *list : window->findChildren<FileListBox *>())
        list->setVolumes(*this);
}

int errorNumberInLockedFolder(const QString &root, const QString &name,
                              const std::function<void(const QString &locked)> &open)
{
    const QString locked = QDir(root).filePath(name);
    const auto all = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner;
    if (!QDir().mkpath(locked) ||
        !QFile::setPermissions(root, all | QFileDevice::ReadOther | QFileDevice::ExeOther) ||
        !QFile::setPermissions(locked, QFileDevice::Permissions()))
        return -1;
    const int number = testing_support::runWithoutPrivileges(
        [&] { return testing_support::errorNumberOf([&] { open(locked); }); });
    QFile::setPermissions(locked, all);
    return number;
}

} // namespace ControlTest
