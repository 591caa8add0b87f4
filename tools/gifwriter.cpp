// SPDX-License-Identifier: GPL-3.0-or-later

#include "gifwriter.h"

#include "colourreduction.h"

#include <QImage>
#include <QSaveFile>
#include <cstdint>
#include <unordered_map>
#include <vector>

namespace GifWriter {

namespace {

// Packs variable-width codes least significant bit first, as GIF wants them.
class CodePacker
{
public:
    void write(int code, int width)
    {
        m_buffer |= std::uint32_t(code) << m_bits;
        m_bits += width;
        while (m_bits >= 8) {
            m_bytes.append(char(m_buffer & 0xff));
            m_buffer >>= 8;
            m_bits -= 8;
        }
    }

    QByteArray finish()
    {
        if (m_bits > 0)
            m_bytes.append(char(m_buffer & 0xff));
        return m_bytes;
    }

private:
    QByteArray m_bytes;
    std::uint32_t m_buffer = 0;
    int m_bits = 0;
};

constexpr int maxCodes = 4096;

// LZW over palette indices, restarting the table with a clear code whenever it fills up.
QByteArray compress(const std::vector<std::uint8_t> &indices, int minCodeSize)
{
    const int clearCode = 1 << minCodeSize;
    const int endCode = clearCode + 1;
    CodePacker packer;
    std::unordered_map<std::uint32_t, int> table; // (prefix code << 8 | index) -> code
    int codeSize = minCodeSize + 1;
    int nextCode = endCode + 1;

    packer.write(clearCode, codeSize);
    int prefix = indices.front();
    for (std::size_t i = 1; i < indices.size(); ++i) {
        const std::uint32_t key = std::uint32_t(prefix) << 8 | indices[i];
        if (const auto found = table.find(key); found != table.end()) {
            prefix = found->second;
            continue;
        }
        packer.write(prefix, codeSize);
        table.emplace(key, nextCode++);
        // The reader adds each entry one code later than we do, hence ">" and not ">=".
        if (nextCode > (1 << codeSize) && codeSize < 12)
            ++codeSize;
        if (nextCode == maxCodes) {
            packer.write(clearCode, codeSize);
            table.clear();
            codeSize = minCodeSize + 1;
            nextCode = endCode + 1;
        }
        prefix = indices[i];
    }
    packer.write(prefix, codeSize);
    packer.write(endCode, codeSize);
    return packer.finish();
}

void appendWord(QByteArray &out, int value)
{
    out.append(char(value & 0xff));
    out.append(char((value >> 8) & 0xff));
}

// Image data goes in sub-blocks of at most 255 bytes, ended by an empty one.
void appendBlocks(QByteArray &out, const QByteArray &data)
{
    for (qsizetype at = 0; at < data.size(); at += 255) {
        const QByteArray block = data.mid(at, 255);
        out.append(char(block.size()));
        out.append(block);
    }
    out.append('\0');
}

} // namespace

QByteArray encode(const QImage &image)
{
    if (image.isNull())
        return {};
    const ColourReduction::Indexed indexed = ColourReduction::reduce(image, 256);
    // The palette's size is written as a power of two, at least 2 (LZW needs 2-bit codes).
    int bits = 1;
    while ((1 << bits) < int(indexed.palette.size()))
        ++bits;
    const int paletteSize = 1 << bits;
    const bool transparent = indexed.transparentIndex >= 0;

    QByteArray out("GIF89a");
    appendWord(out, image.width());
    appendWord(out, image.height());
    out.append(char(0x80 | (bits - 1) << 4 | (bits - 1))); // global palette, its size
    out.append('\0');                                      // background colour index
    out.append('\0');                                      // square pixels
    for (int i = 0; i < paletteSize; ++i) {
        const QRgb colour = i < int(indexed.palette.size()) ? indexed.palette[i] : 0;
        out.append(char(qRed(colour)));
        out.append(char(qGreen(colour)));
        out.append(char(qBlue(colour)));
    }
    if (transparent) {
        // Graphic control extension: no disposal, no delay, this index is transparent.
        out.append("\x21\xf9\x04\x01\x00\x00", 6);
        out.append(char(indexed.transparentIndex));
        out.append('\0');
    }
    out.append(',');
    appendWord(out, 0);
    appendWord(out, 0);
    appendWord(out, image.width());
    appendWord(out, image.height());
    out.append('\0'); // no local palette, not interlaced

    const int minCodeSize = std::max(bits, 2);
    out.append(char(minCodeSize));
    appendBlocks(out, compress(indexed.indices, minCodeSize));
    out.append(';');
    return out;
}

bool save(const QImage &image, const QString &fileName)
{
    const QByteArray data = encode(image);
    QSaveFile file(fileName);
    return !data.isEmpty() && file.open(QIODevice::WriteOnly) && file.write(data) == data.size() &&
           file.commit();
}

} // namespace GifWriter
