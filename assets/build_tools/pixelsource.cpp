// SPDX-License-Identifier: GPL-3.0-or-later

// pomerel_pixel_source PICTURE SOURCE HEADER NAMESPACE: writes the C++ source of an opaque
// picture's pixels, decoded now, so that the program draws them without decoding them at start.
// The source defines NAMESPACE::width, NAMESPACE::height and NAMESPACE::pixels (RGB32 values,
// row after row), which HEADER declares.

#include <QFileInfo>
#include <QImage>
#include <QSaveFile>
#include <QTextStream>
#include <cstdio>

int main(int argc, char *argv[])
{
    if (argc != 5) {
        std::fputs("usage: pomerel_pixel_source PICTURE SOURCE HEADER NAMESPACE\n", stderr);
        return 2;
    }
    const QString picturePath = QString::fromLocal8Bit(argv[1]);
    QImage picture(picturePath);
    if (picture.isNull() || picture.hasAlphaChannel()) {
        std::fprintf(stderr, "%s: no opaque picture there\n", argv[1]);
        return 1;
    }
    picture.convertTo(QImage::Format_RGB32);

    // Written whole or not at all, so that a failed run leaves nothing for the next build.
    QSaveFile source(QString::fromLocal8Bit(argv[2]));
    if (!source.open(QIODevice::WriteOnly | QIODevice::Text)) {
        std::fprintf(stderr, "%s: %s\n", argv[2], qPrintable(source.errorString()));
        return 1;
    }
    QTextStream out(&source);
    out << "// Made from " << QFileInfo(picturePath).fileName()
        << " by pomerel_pixel_source when the program was built.\n"
        << "#include \"" << argv[3] << "\"\n\n"
        << "namespace " << argv[4] << " {\n"
        << "extern const int width = " << picture.width() << ";\n"
        << "extern const int height = " << picture.height() << ";\n"
        << "extern const std::uint32_t pixels[] = {\n";
    out.setIntegerBase(16);
    out.setNumberFlags(QTextStream::ShowBase);
    for (int y = 0; y < picture.height(); ++y) {
        const auto *row = reinterpret_cast<const QRgb *>(picture.constScanLine(y));
        for (int x = 0; x < picture.width(); ++x)
            out << row[x] << ((x % 8 == 7 || x + 1 == picture.width()) ? ",\n" : ", ");
    }
    out << "};\n} // namespace " << argv[4] << '\n';
    out.flush();
    if (!source.commit()) {
        std::fprintf(stderr, "%s: %s\n", argv[2], qPrintable(source.errorString()));
        return 1;
    }
    return 0;
}
