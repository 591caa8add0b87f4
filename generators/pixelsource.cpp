// SPDX-License-Identifier: GPL-3.0-or-later

// pomerel_pixel_source SOURCE HEADER NAMESPACE NAME=PICTURE...
// Writes the C++ source of pictures' pixels, worked out while the program is built, so that
// the program draws them without decoding or drawing them at start. Each NAME becomes
// NAMESPACE::NAME, an array of the picture's pixels in premultiplied ARGB32, row after row,
// which HEADER declares with the same size. A PICTURE is either the path of a picture file or
// one of the drawn pictures "folder-open:SIZE" and "folder-closed:SIZE".

#include "folderpictures.h"

#include <QImage>
#include <QSaveFile>
#include <QString>
#include <QTextStream>
#include <cstdio>
#include <optional>

namespace {

void fail(const QString &message)
{
    std::fprintf(stderr, "pomerel_pixel_source: %s\n", qPrintable(message));
}

std::optional<QImage> picture(const QString &name)
{
    const QStringList drawn = name.split(u':');
    if (drawn.size() == 2 && drawn.front().startsWith(u"folder-")) {
        bool isNumber = false;
        const int size = drawn.back().toInt(&isNumber);
        if (isNumber && size > 0 && drawn.front() == u"folder-open")
            return FolderPictures::open(size);
        if (isNumber && size > 0 && drawn.front() == u"folder-closed")
            return FolderPictures::closed(size);
    }
    const QImage file(name);
    if (file.isNull()) {
        fail(name + QStringLiteral(": no picture there"));
        return std::nullopt;
    }
    // The format a window's pixmap is made in, so that the pixels are those it would draw.
    return file.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

void writeArray(QTextStream &out, const QString &name, const QImage &image)
{
    out << "extern const std::uint32_t " << name << '[' << qsizetype(image.width()) * image.height()
        << "] = {\n";
    out.setIntegerBase(16);
    out.setNumberFlags(QTextStream::ShowBase);
    int column = 0;
    for (int y = 0; y < image.height(); ++y) {
        const auto *row = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x)
            out << row[x] << (++column % 8 == 0 ? ",\n" : ", ");
    }
    out.setIntegerBase(10);
    out.setNumberFlags({});
    out << "\n};\n";
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc < 5) {
        std::fputs("usage: pomerel_pixel_source SOURCE HEADER NAMESPACE NAME=PICTURE...\n", stderr);
        return 2;
    }
    // Written whole or not at all, so that a failed run leaves nothing for the next build.
    QSaveFile source(QString::fromLocal8Bit(argv[1]));
    if (!source.open(QIODevice::WriteOnly | QIODevice::Text)) {
        fail(source.fileName() + QStringLiteral(": ") + source.errorString());
        return 1;
    }
    QTextStream out(&source);
    out << "// Written by pomerel_pixel_source while the program was built.\n"
        << "#include \"" << argv[2] << "\"\n\n"
        << "namespace " << argv[3] << " {\n";
    for (int i = 4; i < argc; ++i) {
        const QString argument = QString::fromLocal8Bit(argv[i]);
        const qsizetype equals = argument.indexOf(u'=');
        if (equals <= 0) {
            fail(argument + QStringLiteral(": not NAME=PICTURE"));
            return 2;
        }
        const std::optional<QImage> image = picture(argument.sliced(equals + 1));
        if (!image)
            return 1;
        writeArray(out, argument.first(equals), *image);
    }
    out << "} // namespace " << argv[3] << '\n';
    out.flush();
    if (!source.commit()) {
        fail(source.fileName() + QStringLiteral(": ") + source.errorString());
        return 1;
    }
    return 0;
}
