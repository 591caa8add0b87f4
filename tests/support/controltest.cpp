#include "support/controltest.h"

#include "support/errornumber.h"
#include "support/privileges.h"

namespace ControlTest {

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
