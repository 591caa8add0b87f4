// SPDX-License-Identifier: GPL-3.0-or-later

#include "assets/assets.h"

#include "assets/assetpixels.h"
#include "assets/pointershape.h"

#include <cstdint>

namespace Assets {

namespace {

// macOS draws pointers at 16 points; elsewhere 32 px is the standard pointer canvas.
constexpr int pointerSize =
#ifdef Q_OS_MACOS
    16;
#else
    32;
#endif

// The image reads the compiled-in pixels where they are: nothing is copied or decoded.
template<int width, int height>
QImage image(const std::uint32_t (&pixels)[width * height],
             QImage::Format format = QImage::Format_ARGB32_Premultiplied)
{
    return QImage(reinterpret_cast<const uchar *>(pixels), width, height,
                  width * qsizetype(sizeof(pixels[0])), format);
}

} // namespace

QImage mainBackground()
{
    // Opaque: its premultiplied pixels are the same words as RGB32's, which draws faster.
    return image<800, 600>(AssetPixels::background, QImage::Format_RGB32);
}

QPixmap helpGlyph()
{
    return QPixmap::fromImage(image<16, 16>(AssetPixels::helpGlyph));
}

QCursor pointerCursor()
{
    const QPoint hotSpot = PointerShape::hotSpot(pointerSize);
    const QImage picture = pointerSize == 16 ? image<16, 16>(AssetPixels::pointer16)
                                             : image<32, 32>(AssetPixels::pointer32);
    return QCursor(QPixmap::fromImage(picture), hotSpot.x(), hotSpot.y());
}

QIcon programIcon()
{
    QIcon icon;
    icon.addPixmap(QPixmap::fromImage(image<32, 32>(AssetPixels::icon32)));
    icon.addPixmap(QPixmap::fromImage(image<64, 64>(AssetPixels::icon64)));
    return icon;
}

} // namespace Assets
