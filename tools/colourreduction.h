// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QImage>
#include <QList>
#include <QRgb>
#include <cstdint>
#include <vector>

// Palette images for the formats and looks that need them: GIF files and 16-colour icons.
namespace ColourReduction {

// Pixels whose alpha is under this count as transparent, the others as opaque.
constexpr int opaqueAlpha = 128;

struct Indexed
{
    std::vector<QRgb> palette;         // opaque colours, then the transparent entry if any
    std::vector<std::uint8_t> indices; // one per pixel, row by row
    int transparentIndex = -1;         // -1 when every pixel is opaque
};

// The image with at most maxColours palette entries (2 to 256, the transparent one included).
// Exact when the image has few enough colours; otherwise the palette comes from a median cut.
Indexed reduce(const QImage &image, int maxColours);

// The image with every pixel either fully transparent or set to the nearest palette colour.
QImage snapToPalette(const QImage &image, const QList<QRgb> &palette);

// The sixteen colours of the classic 16-colour displays.
QList<QRgb> sixteenColours();

} // namespace ColourReduction
