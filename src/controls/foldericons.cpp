// SPDX-License-Identifier: GPL-3.0-or-later

#include "controls/foldericons.h"

#include "controls/folderpixels.h"

#include <QImage>
#include <QPixmap>
#include <array>
#include <cstdint>

namespace {

template<int size> QImage picture(const std::uint32_t (&pixels)[size * size])
{
    return QImage(reinterpret_cast<const uchar *>(pixels), size, size,
                  size * qsizetype(sizeof(pixels[0])), QImage::Format_ARGB32_Premultiplied);
}

QIcon icon(const std::array<QImage, 2> &pictures)
{
    QIcon icon;
    for (const QImage &picture : pictures) {
        const QPixmap pixmap = QPixmap::fromImage(picture);
        icon.addPixmap(pixmap, QIcon::Normal);
        icon.addPixmap(pixmap, QIcon::Selected); // the folder stays yellow on the highlight
    }
    return icon;
}

} // namespace

QIcon FolderIcons::closed()
{
    return icon({picture<16>(FolderPixels::closed16), picture<32>(FolderPixels::closed32)});
}

QIcon FolderIcons::open()
{
    return icon({picture<16>(FolderPixels::open16), picture<32>(FolderPixels::open32)});
}
