// SPDX-License-Identifier: GPL-3.0-or-later

#include "icowriter.h"

#include <QBuffer>
#include <QImage>
#include <QSaveFile>

namespace IcoWriter {

namespace {

void appendWord(QByteArray &out, int value)
{
    out.append(char(value & 0xff));
    out.append(char((value >> 8) & 0xff));
}

void appendLong(QByteArray &out, qint64 value)
{
    appendWord(out, int(value & 0xffff));
    appendWord(out, int((value >> 16) & 0xffff));
}

QByteArray png(const QImage &image)
{
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    image.convertToFormat(QImage::Format_ARGB32).save(&buffer, "PNG");
    return data;
}

constexpr int headerSize = 6;
constexpr int entrySize = 16;

} // namespace

QByteArray encode(const QList<QImage> &images)
{
    QList<QByteArray> entries;
    for (const QImage &image : images) {
        if (image.isNull() || image.width() > 256 || image.height() > 256)
            return {};
        entries.append(png(image));
    }

    QByteArray out;
    appendWord(out, 0); // reserved
    appendWord(out, 1); // an icon, not a cursor
    appendWord(out, int(images.size()));
    qint64 offset = headerSize + entrySize * images.size();
    for (qsizetype i = 0; i < images.size(); ++i) {
        out.append(char(images[i].width() % 256)); // 256 is written as 0
        out.append(char(images[i].height() % 256));
        out.append('\0');    // no palette: the entry is true colour
        out.append('\0');    // reserved
        appendWord(out, 1);  // colour planes
        appendWord(out, 32); // bits per pixel
        appendLong(out, entries[i].size());
        appendLong(out, offset);
        offset += entries[i].size();
    }
    for (const QByteArray &entry : entries)
        out.append(entry);
    return out;
}

bool save(const QList<QImage> &images, const QString &fileName)
{
    const QByteArray data = encode(images);
    QSaveFile file(fileName);
    return !data.isEmpty() && file.open(QIODevice::WriteOnly) && file.write(data) == data.size() &&
           file.commit();
}

} // namespace IcoWriter
