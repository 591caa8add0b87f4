// Draws every picture of the program and writes them where the build takes them from:
//   draw_assets [assets-folder resources-folder icons-folder]
// The defaults are the source tree's assets/, resources/ and packaging/icons/hicolor/ (the
// desktop's icon theme folders). The output is committed; run
// this again after changing the artwork. It needs the fonts of Debian's fonts-urw-base35
// and fonts-liberation2 packages, and refuses to draw with stand-ins, so that the same
// sources always give the same pictures.
#include "artwork.h"
#include "colourreduction.h"
#include "gifwriter.h"
#include "icowriter.h"

#include <QDir>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QImageReader>
#include <QImageWriter>
#include <QTextStream>
#include <optional>

namespace {

QTextStream &err()
{
    static QTextStream stream(stderr);
    return stream;
}

std::optional<QFont> loadFont(const QString &file, int pixelSize, QFont::Weight weight, bool italic)
{
    const int id = QFontDatabase::addApplicationFont(file);
    const QStringList families = QFontDatabase::applicationFontFamilies(id);
    if (families.isEmpty()) {
        err() << "Cannot load the font " << file << Qt::endl;
        return std::nullopt;
    }
    QFont font(families.front());
    font.setPixelSize(pixelSize);
    font.setWeight(weight);
    font.setItalic(italic);
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

std::optional<Artwork::Fonts> loadFonts()
{
    const QString urw = QStringLiteral("/usr/share/fonts/opentype/urw-base35/");
    const QString liberation = QStringLiteral("/usr/share/fonts/truetype/liberation2/");
    const auto title = loadFont(urw + QStringLiteral("P052-Italic.otf"), 63, QFont::Normal, true);
    const auto label =
        loadFont(liberation + QStringLiteral("LiberationSans-Bold.ttf"), 13, QFont::Bold, false);
    const auto monogram = loadFont(urw + QStringLiteral("P052-Bold.otf"), 40, QFont::Bold, false);
    if (!title || !label || !monogram)
        return std::nullopt;
    return Artwork::Fonts{*title, *label, *monogram};
}

// Sixteen-colour pictures are stored with their palette, the transparent entry added last.
QImage paletted(const QImage &image)
{
    QList<QRgb> table = ColourReduction::sixteenColours();
    if (image.hasAlphaChannel())
        table.append(qRgba(0, 0, 0, 0));
    return image.convertToFormat(QImage::Format_Indexed8, table, Qt::ThresholdDither);
}

class Output
{
public:
    explicit Output(const QDir &folder)
        : m_folder(folder)
    {
    }

    bool png(const QString &name, const QImage &image)
    {
        return report(name, image.save(path(name), "PNG"), image.size());
    }
    bool jpeg(const QString &name, const QImage &image)
    {
        QImageWriter writer(path(name), "JPEG");
        writer.setQuality(92);
        writer.setOptimizedWrite(true);
        return report(name, writer.write(image), image.size());
    }
    bool gif(const QString &name, const QImage &image)
    {
        return report(name, GifWriter::save(image, path(name)), image.size());
    }
    bool ico(const QString &name, const QList<QImage> &images)
    {
        return report(name, IcoWriter::save(images, path(name)), images.front().size());
    }

private:
    QString path(const QString &name) const { return m_folder.filePath(name); }

    // Every file is read back, so a faulty writer shows here and not in a user's browser.
    bool report(const QString &name, bool written, QSize size) const
    {
        const bool readable = written && QImageReader(path(name)).read().size() == size;
        QTextStream(stdout) << (readable  ? "Wrote "
                                : written ? "Cannot read back "
                                          : "Could not write ")
                            << path(name) << Qt::endl;
        return readable;
    }

    QDir m_folder;
};

// The program icon in each size of the desktop's icon theme, every size drawn for itself.
bool drawThemeIcons(const QDir &theme, const Artwork::Fonts &fonts)
{
    bool ok = true;
    for (const int size : {16, 32, 48, 64, 128, 256}) {
        const QString folder = QStringLiteral("%1x%1/apps").arg(size);
        ok &= theme.mkpath(folder);
        const QImage icon = Artwork::programIcon(size, fonts);
        ok &= Output(theme.filePath(folder)).png(QStringLiteral("fr.pomerel.Pomerel.png"), icon);
    }
    return ok;
}

bool drawAll(const QDir &assets, const QDir &resources, const QDir &theme,
             const Artwork::Fonts &fonts)
{
    Output images(assets.filePath(QStringLiteral("images")));
    Output icons(assets);
    Output shipped(resources);
    const QImage icon32 = Artwork::programIcon(32, fonts);
    const QImage icon64 = Artwork::programIcon(64, fonts);

    bool ok = images.png(QStringLiteral("background.png"), Artwork::mainBackground(fonts));
    ok &= images.png(QStringLiteral("helpglyph.png"), paletted(Artwork::helpGlyph()));
    ok &= images.png(QStringLiteral("pointer32.png"), Artwork::pointer(32));
    ok &= images.png(QStringLiteral("pointer16.png"), Artwork::pointer(16));
    ok &= images.png(QStringLiteral("pomerel32.png"), paletted(icon32));
    ok &= images.png(QStringLiteral("pomerel64.png"), icon64);
    ok &= icons.ico(QStringLiteral("pomerel.ico"), {icon32, icon64});
    ok &= shipped.jpeg(QStringLiteral("logo.jpg"), Artwork::defaultPhoto());
    ok &= shipped.gif(QStringLiteral("bandeau.gif"), Artwork::pageBand());
    ok &= shipped.gif(QStringLiteral("puce.gif"), Artwork::headingMarker());
    ok &= drawThemeIcons(theme, fonts);
    return ok;
}

} // namespace

int main(int argc, char *argv[])
{
    // Drawing needs no screen; the offscreen platform also keeps the output the same anywhere.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    const QStringList arguments = QGuiApplication::arguments();
    if (arguments.size() != 1 && arguments.size() != 4) {
        err() << "Usage: draw_assets [assets-folder resources-folder icons-folder]" << Qt::endl;
        return 2;
    }
    const QString source = QStringLiteral(POMEREL_SOURCE_DIR);
    const bool given = arguments.size() == 4;
    const QDir assets(given ? arguments[1] : source + QStringLiteral("/assets"));
    const QDir resources(given ? arguments[2] : source + QStringLiteral("/resources"));
    const QDir theme(given ? arguments[3] : source + QStringLiteral("/packaging/icons/hicolor"));
    if (!assets.mkpath(QStringLiteral("images")) || !resources.mkpath(QStringLiteral(".")) ||
        !theme.mkpath(QStringLiteral("."))) {
        err() << "Cannot make the output folders" << Qt::endl;
        return 1;
    }

    const std::optional<Artwork::Fonts> fonts = loadFonts();
    if (!fonts) {
        err() << "Install Debian's fonts-urw-base35 and fonts-liberation2 packages." << Qt::endl;
        return 1;
    }
    return drawAll(assets, resources, theme, *fonts) ? 0 : 1;
}
