// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QString>

class QImage;

// GIF89a output, which Qt can read but not write. The page's pictures are GIF files.
namespace GifWriter {

// The image as a GIF89a file: one frame, a global palette of at most 256 colours, and pixels
// whose alpha is under one half written as the transparent colour. An image with more
// colours than fit is reduced to 256 by median cut.
QByteArray encode(const QImage &image);

bool save(const QImage &image, const QString &fileName);

} // namespace GifWriter
