// SPDX-License-Identifier: GPL-3.0-or-later

#include "colourreduction.h"

#include <algorithm>
#include <array>
#include <map>
#include <unordered_map>

namespace ColourReduction {

namespace {

struct ColourCount
{
    QRgb colour;
    qint64 count;
};

int channel(QRgb colour, int which)
{
    return which == 0 ? qRed(colour) : which == 1 ? qGreen(colour) : qBlue(colour);
}

// A run of the colour list that becomes one palette entry.
struct Box
{
    std::size_t begin;
    std::size_t end;
    int widestChannel = 0;
    int range = 0;
};

Box measure(const std::vector<ColourCount> &colours, std::size_t begin, std::size_t end)
{
    Box box{begin, end};
    for (int which = 0; which < 3; ++which) {
        const auto [low, high] = std::minmax_element(
            colours.begin() + begin, colours.begin() + end, [which](const auto &a, const auto &b) {
                return channel(a.colour, which) < channel(b.colour, which);
            });
        const int range = channel(high->colour, which) - channel(low->colour, which);
        if (range > box.range) {
            box.range = range;
            box.widestChannel = which;
        }
    }
    return box;
}

// Splits the box with the widest spread at its pixel-weighted median until there are enough.
std::vector<QRgb> medianCut(std::vector<ColourCount> colours, int maxColours)
{
    std::vector<Box> boxes{measure(colours, 0, colours.size())};
    while (int(boxes.size()) < maxColours) {
        const auto widest =
            std::max_element(boxes.begin(), boxes.end(),
                             [](const Box &a, const Box &b) { return a.range < b.range; });
        if (widest->range == 0)
            break;
        const Box box = *widest;
        const auto first = colours.begin() + box.begin;
        const auto last = colours.begin() + box.end;
        std::stable_sort(first, last, [&box](const auto &a, const auto &b) {
            return channel(a.colour, box.widestChannel) < channel(b.colour, box.widestChannel);
        });
        qint64 total = 0;
        for (auto it = first; it != last; ++it)
            total += it->count;
        qint64 seen = 0;
        std::size_t split = box.begin;
        while (split < box.end - 1 && (seen += colours[split].count) * 2 < total)
            ++split;
        split = std::clamp(split + 1, box.begin + 1, box.end - 1);
        *widest = measure(colours, box.begin, split);
        boxes.push_back(measure(colours, split, box.end));
    }

    std::vector<QRgb> palette;
    for (const Box &box : boxes) {
        std::array<qint64, 3> sums{};
        qint64 total = 0;
        for (std::size_t i = box.begin; i < box.end; ++i) {
            for (int which = 0; which < 3; ++which)
                sums[which] += channel(colours[i].colour, which) * colours[i].count;
            total += colours[i].count;
        }
        const auto mean = [&](int which) { return int((sums[which] + total / 2) / total); };
        palette.push_back(qRgb(mean(0), mean(1), mean(2)));
    }
    return palette;
}

std::vector<QRgb> exactPalette(const std::vector<ColourCount> &colours)
{
    std::vector<QRgb> palette;
    for (const ColourCount &entry : colours)
        palette.push_back(entry.colour);
    return palette;
}

int distance(QRgb a, QRgb b)
{
    int sum = 0;
    for (int which = 0; which < 3; ++which) {
        const int difference = channel(a, which) - channel(b, which);
        sum += difference * difference;
    }
    return sum;
}

template<typename Palette> int nearest(const Palette &palette, QRgb colour)
{
    int best = 0;
    for (int i = 1; i < int(palette.size()); ++i) {
        if (distance(palette[i], colour) < distance(palette[best], colour))
            best = i;
    }
    return best;
}

bool isOpaque(QRgb pixel)
{
    return qAlpha(pixel) >= opaqueAlpha;
}

} // namespace

Indexed reduce(const QImage &image, int maxColours)
{
    const QImage source = image.convertToFormat(QImage::Format_ARGB32);
    std::map<QRgb, qint64> counts; // ordered, so the palette never depends on hashing
    bool anyTransparent = false;
    for (int y = 0; y < source.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(source.constScanLine(y));
        for (int x = 0; x < source.width(); ++x) {
            if (isOpaque(line[x]))
                ++counts[line[x] | 0xff000000];
            else
                anyTransparent = true;
        }
    }

    const int opaqueEntries = std::clamp(maxColours - (anyTransparent ? 1 : 0), 1, 256);
    std::vector<ColourCount> colours;
    for (const auto &[colour, count] : counts)
        colours.push_back({colour, count});

    const std::vector<QRgb> opaque = int(colours.size()) <= opaqueEntries
                                         ? exactPalette(colours)
                                         : medianCut(std::move(colours), opaqueEntries);
    Indexed result;
    result.palette = opaque;
    if (anyTransparent) {
        result.transparentIndex = int(result.palette.size());
        result.palette.push_back(qRgb(255, 255, 255));
    }

    std::unordered_map<QRgb, std::uint8_t> chosen;
    result.indices.reserve(std::size_t(source.width()) * source.height());
    for (int y = 0; y < source.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(source.constScanLine(y));
        for (int x = 0; x < source.width(); ++x) {
            if (!isOpaque(line[x])) {
                result.indices.push_back(std::uint8_t(result.transparentIndex));
                continue;
            }
            const QRgb colour = line[x] | 0xff000000;
            auto found = chosen.find(colour);
            if (found == chosen.end())
                found = chosen.emplace(colour, std::uint8_t(nearest(opaque, colour))).first;
            result.indices.push_back(found->second);
        }
    }
    return result;
}

QImage snapToPalette(const QImage &image, const QList<QRgb> &palette)
{
    QImage result = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < result.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(result.scanLine(y));
        for (int x = 0; x < result.width(); ++x)
            line[x] = isOpaque(line[x]) ? palette[nearest(palette, line[x])] : qRgba(0, 0, 0, 0);
    }
    return result;
}

QList<QRgb> sixteenColours()
{
    return {qRgb(0, 0, 0),       qRgb(128, 0, 0),   qRgb(0, 128, 0),   qRgb(128, 128, 0),
            qRgb(0, 0, 128),     qRgb(128, 0, 128), qRgb(0, 128, 128), qRgb(192, 192, 192),
            qRgb(128, 128, 128), qRgb(255, 0, 0),   qRgb(0, 255, 0),   qRgb(255, 255, 0),
            qRgb(0, 0, 255),     qRgb(255, 0, 255), qRgb(0, 255, 255), qRgb(255, 255, 255)};
}

} // namespace ColourReduction
