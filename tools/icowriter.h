// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

class QImage;

// Windows icon files holding several sizes, which Qt's own icon writer cannot do: each size
// is stored as a PNG entry.
namespace IcoWriter {

// The icon file for the given images, each at most 256 x 256, in the order given.
QByteArray encode(const QList<QImage> &images);

bool save(const QList<QImage> &images, const QString &fileName);

} // namespace IcoWriter
