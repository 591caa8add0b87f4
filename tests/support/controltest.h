// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "controls/nativepath.h"
#include "controls/volumes.h"
#include "support/errornumber.h"
#include "support/workingfolder.h"

#include <QDir>
#include <QFile>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTest>
#include <functional>
#include <utility>

// Helpers shared by the list controls' tests.
namespace ControlTest {

using testing_support::errorNumberOf;
using testing_support::WorkingFolder;

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

// A fixed set of drives, for the lists handed it; set() changes them, as plugging in a key does.
class FixedVolumes : public Volumes
{
public:
    explicit FixedVolumes(QList<Volume> volumes)
        : m_volumes(std::move(volumes))
    {
    }

    QList<Volume> list() const override { return m_volumes; }
    void set(QList<Volume> volumes) { m_volumes = std::move(volumes); }
    // Hands these drives to every list in window, which then starts again on them.
    void handTo(QWidget *window) const;

private:
    QList<Volume> m_volumes;
};

// A drive whose mount point is folder (native form), as on Linux.
inline Volume volumeAt(const QString &folder, const QString &label = {}, bool ready = true)
{
    return Volume{native(folder), native(folder), label, ready};
}

// Makes root/name a folder that only root may open, and gives it to open in a child process
// run as an unprivileged user (root opens any folder whatever its rights). Returns the
// number of the error open throws there, 0 for none.
int errorNumberInLockedFolder(const QString &root, const QString &name,
                              const std::function<void(const QString &locked)> &open);

} // namespace ControlTest
