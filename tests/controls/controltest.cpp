#include "controltest.h"

#include "generation/error.h"

#ifndef Q_OS_WIN
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace ControlTest {

namespace {

// Runs body in a child process as nobody and returns its exit status.
int runAsNobody(const std::function<int()> &body)
{
#ifdef Q_OS_WIN
    return body();
#else
    const pid_t child = fork();
    if (child == 0) {
        if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0))
            _exit(255);
        _exit(body());
    }
    int status = 0;
    if (child < 0 || waitpid(child, &status, 0) != child || !WIFEXITED(status))
        return -1;
    return WEXITSTATUS(status);
#endif
}

} // namespace

int errorNumberOf(const std::function<void()> &call)
{
    try {
        call();
    } catch (const pomerel::Error &error) {
        return static_cast<int>(error.number());
    }
    return 0;
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
    const int number = runAsNobody([&] { return errorNumberOf([&] { open(locked); }); });
    QFile::setPermissions(locked, all);
    return number;
}

} // namespace ControlTest
