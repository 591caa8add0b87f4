#pragma once

#include "controls/volumes.h"
#include "support/errornumber.h"

#include <QDir>
#include <QFile>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTest>
#include <functional>

// Helpers shared by the list controls' tests.
namespace ControlTest {

using testing_support::errorNumberOf;

// Makes each entry under root: a folder when it ends with "/", an empty file otherwise.
inline void make(const QString &root, const QStringList &entries)
{
    for (const QString &entry : entries) {
        const QString path = root + QLatin1Char('/') + entry;
        if (entry.endsWith(QLatin1Char('/'))) {
            QVERIFY2(QDir().mkpath(path), qPrintable(path));
        } else {
            QDir().mkpath(QFileInfo(path).absolutePath());
            QFile file(path);
            QVERIFY2(file.open(QIODevice::WriteOnly), qPrintable(path));
        }
    }
}

inline QString native(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

// Gives the lists a fixed set of drives for the life of the object.
class FixedVolumes
{
public:
    explicit FixedVolumes(QList<Volume> volumes)
    {
        Volumes::setSource([volumes] { return volumes; });
    }
    ~FixedVolumes() { Volumes::setSource({}); }
    FixedVolumes(const FixedVolumes &) = delete;
    FixedVolumes &operator=(const FixedVolumes &) = delete;
};

// A drive whose mount point is folder (native form), as on Linux.
inline Volume volumeAt(const QString &folder, const QString &label = {}, bool ready = true)
{
    return Volume{native(folder), native(folder), label, ready};
}

// Runs the process's current folder elsewhere for the life of the object.
class CurrentFolder
{
public:
    explicit CurrentFolder(const QString &folder)
        : m_previous(QDir::currentPath())
    {
        QDir::setCurrent(folder);
    }
    ~CurrentFolder() { QDir::setCurrent(m_previous); }
    CurrentFolder(const CurrentFolder &) = delete;
    CurrentFolder &operator=(const CurrentFolder &) = delete;

private:
    QString m_previous;
};

// Makes root/name a folder that only root may open, and gives it to open in a child process
// run as an unprivileged user (root opens any folder whatever its rights). Returns the
// number of the error open throws there, 0 for none.
int errorNumberInLockedFolder(const QString &root, const QString &name,
                              const std::function<void(const QString &locked)> &open);

} // namespace ControlTest
