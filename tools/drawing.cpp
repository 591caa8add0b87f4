// SPDX-License-Identifier: GPL-3.0-or-later

#include "artwork.h"

#include <cstring>
#include <vector>

namespace Artwork {

namespace {

// One pass of a box blur along rows (or, transposed, columns) of premultiplied pixels.
void boxBlurRows(QImage &image, int radius)
{
    const int width = image.width();
    std::vector<QRgb> line(static_cast<std::size_t>(width));
    for (int y = 0; y < image.height(); ++y) {
        auto *pixels = reinterpret_cast<QRgb *>(image.scanLine(y));
        std::memcpy(line.data(), pixels, line.size() * sizeof(QRgb));
        for (int x = 0; x < width; ++x) {
            int sums[4] = {};
            for (int i = std::max(0, x - radius); i <= std::min(width - 1, x + radius); ++i) {
                const QRgb pixel = line[std::size_t(i)];
                sums[0] += qAlpha(pixel);
                sums[1] += qRed(pixel);
                sums[2] += qGreen(pixel);
                sums[3] += qBlue(pixel);
            }
            const int window = 2 * radius + 1; // beyond the edges counts as transparent
            pixels[x] =
                qRgba(sums[1] / window, sums[2] / window, sums[3] / window, sums[0] / window);
        }
    }
}

QImage transposed(const QImage &image)
{
    QImage result(image.height(), image.width(), image.format());
    for (int y = 0; y < image.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x)
            reinterpret_cast<QRgb *>(result.scanLine(x))[y] = line[x];
    }
    return result;
}

} // namespace

// Three box passes each way come close to a Gaussian of the same radius.
QImage blurred(const QImage &image, int radius)
{
    QImage result = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    if (radius <= 0)
        return result;
    for (int pass = 0; pass < 3; ++pass)
        boxBlurRows(result, radius);
    result = transposed(result);
    for (int pass = 0; pass < 3; ++pass)
        boxBlurRows(result, radius);
    return transposed(result);
}

QImage fromPixelArt(const char *const rows[], int height, const char *keys, const QRgb *colours)
{
    const int width = int(std::strlen(rows[0]));
    QImage image(width, height, QImage::Format_ARGB32);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const char *key = std::strchr(keys, rows[y][x]);
            image.setPixel(x, y, key ? colours[key - keys] : qRgba(0, 0, 0, 0));
        }
    }
    return image;
}

} // namespace Artwork
