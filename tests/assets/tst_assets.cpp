// SPDX-License-Identifier: GPL-3.0-or-later

#include "assets/assets.h"
#include "assets/fonts.h"
#include "assets/pointershape.h"
#include "colourreduction.h"
#include "gifwriter.h"

#include <QFontInfo>
#include <QImageReader>
#include <QRandomGenerator>
#include <QTest>
#include <cmath>

namespace {

const QString resourceDir = QStringLiteral(POMEREL_RESOURCE_DIR);
const QString assetsDir = QStringLiteral(POMEREL_ASSETS_DIR);
const QString themeDir = QStringLiteral(POMEREL_ICON_THEME_DIR);

QImage picture(const QString &path)
{
    return QImage(path).convertToFormat(QImage::Format_ARGB32);
}

// A picture of the main window's, as tools/ drew it.
QString source(const QString &name)
{
    return assetsDir + QStringLiteral("/images/") + name;
}

int colourDistance(QRgb a, QRgb b)
{
    return std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                     std::abs(qBlue(a) - qBlue(b))});
}

// Relative luminance as the web's contrast rules define it.
double luminance(QRgb colour)
{
    const auto linear = [](int channel) {
        const double value = channel / 255.0;
        return value <= 0.03928 ? value / 12.92 : std::pow((value + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(qRed(colour)) + 0.7152 * linear(qGreen(colour)) +
           0.0722 * linear(qBlue(colour));
}

double contrastWithBlack(QRgb colour)
{
    return (luminance(colour) + 0.05) / 0.05;
}

QImage themeIcon(int size)
{
    return picture(themeDir + QStringLiteral("/%1x%1/apps/fr.pomerel.Pomerel.png").arg(size));
}

// The largest change of colour between two neighbouring pixels across the middle row: a
// picture drawn at its size keeps edges one pixel wide, an enlarged one spreads them.
int sharpestEdge(const QImage &image)
{
    const int y = image.height() / 2;
    int sharpest = 0;
    for (int x = 1; x < image.width(); ++x)
        sharpest = std::max(sharpest, colourDistance(image.pixel(x - 1, y), image.pixel(x, y)));
    return sharpest;
}

QString describe(QRgb colour)
{
    return QStringLiteral("rgba(%1, %2, %3, %4)")
        .arg(qRed(colour))
        .arg(qGreen(colour))
        .arg(qBlue(colour))
        .arg(qAlpha(colour));
}

} // namespace

class AssetsTest : public QObject
{
    Q_OBJECT

private slots:
    void accessorsHandOutThePictures_data();
    void accessorsHandOutThePictures();
    void classicFacesFindTheirStandIn_data();
    void classicFacesFindTheirStandIn();
    void sixteenColourPicturesUseOnlyThoseColours_data();
    void sixteenColourPicturesUseOnlyThoseColours();

    void pointerHotSpotIsOnTheTip_data();
    void pointerHotSpotIsOnTheTip();
    void pointerFacesAreShaded_data();
    void pointerFacesAreShaded();

    void iconFileHoldsBothSizes();
    void themeIconsAreDrawnAtTheirSize_data();
    void themeIconsAreDrawnAtTheirSize();
    void themeIconsAreTheProgramIcon_data();
    void themeIconsAreTheProgramIcon();
    void shippedPicturesLoad_data();
    void shippedPicturesLoad();
    void headingMarkerHasATransparentGround();

    void backgroundColours_data();
    void backgroundColours();
    void sectionButtonsSitUnderReadableTabs_data();
    void sectionButtonsSitUnderReadableTabs();

    void gifKeepsEveryPixel_data();
    void gifKeepsEveryPixel();
    void gifReducesManyColoursClosely();
};

void AssetsTest::accessorsHandOutThePictures_data()
{
    QTest::addColumn<QImage>("handedOut");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QSize>("size");
    const QIcon icon = Assets::programIcon();
    QTest::newRow("background") << Assets::mainBackground() << "background.png" << QSize(800, 600);
    QTest::newRow("help glyph") << Assets::helpGlyph().toImage() << "helpglyph.png"
                                << QSize(16, 16);
    QTest::newRow("pointer") << Assets::pointerCursor().pixmap().toImage() << "pointer32.png"
                             << QSize(32, 32);
    QTest::newRow("program icon, small")
        << icon.pixmap(QSize(32, 32)).toImage() << "pomerel32.png" << QSize(32, 32);
    QTest::newRow("program icon, large")
        << icon.pixmap(QSize(64, 64)).toImage() << "pomerel64.png" << QSize(64, 64);
}

// Decoded while the program was built: the very pixels of the pictures tools/ drew.
void AssetsTest::accessorsHandOutThePictures()
{
    QFETCH(QImage, handedOut);
    QFETCH(QString, name);
    QFETCH(QSize, size);
    const QImage drawn = picture(source(name));
    QCOMPARE(drawn.size(), size);
    QCOMPARE(handedOut.convertToFormat(QImage::Format_ARGB32), drawn);
}

void AssetsTest::classicFacesFindTheirStandIn_data()
{
    QTest::addColumn<QString>("family");
    QTest::addColumn<QString>("found");
    QTest::newRow("MS Sans Serif") << "MS Sans Serif"
                                   << "Liberation Sans";
    QTest::newRow("Microsoft Sans Serif") << "Microsoft Sans Serif"
                                          << "Liberation Sans";
    QTest::newRow("Arial, in any case") << "ARIAL"
                                        << "Liberation Sans";
    QTest::newRow("an installed face keeps its own") << "DejaVu Serif"
                                                     << "DejaVu Serif";
}

void AssetsTest::classicFacesFindTheirStandIn()
{
    QFETCH(QString, family);
    QFETCH(QString, found);
    substituteClassicFonts();
    for (const bool boldItalic : {false, true}) {
        QFont font(family, 12, boldItalic ? QFont::Bold : QFont::Normal, boldItalic);
        QCOMPARE(QFontInfo(font).family(), found);
        QCOMPARE(QFontInfo(font).bold(), boldItalic);
        QCOMPARE(QFontInfo(font).italic(), boldItalic);
    }
}

void AssetsTest::sixteenColourPicturesUseOnlyThoseColours_data()
{
    QTest::addColumn<QString>("path");
    QTest::newRow("help glyph") << source("helpglyph.png");
    QTest::newRow("program icon, small") << source("pomerel32.png");
}

void AssetsTest::sixteenColourPicturesUseOnlyThoseColours()
{
    QFETCH(QString, path);
    const QImage image = picture(path);
    const QList<QRgb> palette = ColourReduction::sixteenColours();
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = image.pixel(x, y);
            if (qAlpha(pixel) == 0)
                continue;
            QVERIFY2(
                qAlpha(pixel) == 255 && palette.contains(pixel),
                qPrintable(QStringLiteral("pixel %1,%2 is %3").arg(x).arg(y).arg(describe(pixel))));
        }
    }
}

void AssetsTest::pointerHotSpotIsOnTheTip_data()
{
    QTest::addColumn<QImage>("image");
    QTest::addColumn<QPoint>("hotSpot");
    const QCursor cursor = Assets::pointerCursor();
    QTest::newRow("the program's pointer") << cursor.pixmap().toImage() << cursor.hotSpot();
    QTest::newRow("large picture") << QImage(source("pointer32.png")) << PointerShape::hotSpot(32);
    QTest::newRow("small picture") << QImage(source("pointer16.png")) << PointerShape::hotSpot(16);
}

void AssetsTest::pointerHotSpotIsOnTheTip()
{
    QFETCH(QImage, image);
    QFETCH(QPoint, hotSpot);
    image = image.convertToFormat(QImage::Format_ARGB32);
    QVERIFY(image.rect().contains(hotSpot));
    QVERIFY2(qAlpha(image.pixel(hotSpot)) == 255, "the hot spot is not on an opaque pixel");

    // The tip is the middle of the topmost row that shows anything.
    int top = 0;
    const auto rowShows = [&image](int y) {
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(image.pixel(x, y)) > 0)
                return true;
        }
        return false;
    };
    while (top < image.height() && !rowShows(top))
        ++top;
    QCOMPARE(hotSpot.y(), top);
    int left = 0;
    int right = image.width() - 1;
    while (qAlpha(image.pixel(left, top)) == 0)
        ++left;
    while (qAlpha(image.pixel(right, top)) == 0)
        --right;
    QVERIFY2(std::abs(2 * hotSpot.x() + 1 - (left + right + 1)) <= 2,
             "the hot spot is off the tip's middle");
}

void AssetsTest::pointerFacesAreShaded_data()
{
    QTest::addColumn<int>("size");
    QTest::newRow("large") << 32;
    QTest::newRow("small") << 16;
}

void AssetsTest::pointerFacesAreShaded()
{
    QFETCH(int, size);
    const QImage image = picture(source(QStringLiteral("pointer%1.png").arg(size)));
    const PointerShape::Corners corners = PointerShape::corners(size);
    // The pixel that holds a point, whatever its fraction.
    const auto pixelAt = [](QPointF point) {
        return QPoint(int(std::floor(point.x())), int(std::floor(point.y())));
    };
    const auto middle = [&](QPointF a, QPointF b, QPointF c) { return pixelAt((a + b + c) / 3); };
    const QRgb leftFace = image.pixel(middle(corners.tipLeft, corners.left, corners.foot));
    const QRgb rightFace = image.pixel(middle(corners.tipRight, corners.right, corners.foot));
    const QRgb base =
        image.pixel(pixelAt(corners.foot + QPointF(0, PointerShape::baseDepth(size) / 2)));

    const auto grey = [](QRgb c) { return qRed(c) == qGreen(c) && qGreen(c) == qBlue(c); };
    QVERIFY2(grey(leftFace) && qRed(leftFace) >= 160, qPrintable(describe(leftFace)));
    QVERIFY2(grey(rightFace) && qRed(rightFace) <= 40, qPrintable(describe(rightFace)));
    QVERIFY2(grey(base) && qRed(base) > 50 && qRed(base) < 130, qPrintable(describe(base)));
    for (const QRgb face : {leftFace, rightFace, base})
        QCOMPARE(qAlpha(face), 255);
    QCOMPARE(qAlpha(image.pixel(0, 0)), 0);
    QCOMPARE(qAlpha(image.pixel(size - 1, size - 1)), 0);
    QCOMPARE(qAlpha(image.pixel(0, size - 1)), 0);
}

void AssetsTest::iconFileHoldsBothSizes()
{
    QImageReader reader(assetsDir + QStringLiteral("/pomerel.ico"), "ico");
    QCOMPARE(reader.imageCount(), 2);
    QList<QSize> sizes;
    for (int i = 0; i < reader.imageCount(); ++i) {
        QVERIFY(reader.jumpToImage(i));
        const QImage image = reader.read();
        QVERIFY2(!image.isNull(), qPrintable(reader.errorString()));
        sizes.append(image.size());
    }
    QCOMPARE(sizes, (QList<QSize>{QSize(32, 32), QSize(64, 64)}));
}

void AssetsTest::themeIconsAreDrawnAtTheirSize_data()
{
    QTest::addColumn<int>("size");
    QTest::addColumn<int>("smaller"); // the half size, 0 for none
    QTest::newRow("16 px") << 16 << 0;
    QTest::newRow("32 px") << 32 << 16;
    QTest::newRow("48 px") << 48 << 0;
    QTest::newRow("64 px") << 64 << 32;
    QTest::newRow("128 px") << 128 << 64;
    QTest::newRow("256 px") << 256 << 128;
}

void AssetsTest::themeIconsAreDrawnAtTheirSize()
{
    QFETCH(int, size);
    QFETCH(int, smaller);
    const QImage icon = themeIcon(size);
    QCOMPARE(icon.size(), QSize(size, size));
    QCOMPARE(qAlpha(icon.pixel(0, 0)), 0);
    if (smaller == 0)
        return;
    const QImage enlarged =
        themeIcon(smaller).scaled(size, size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    QVERIFY2(sharpestEdge(icon) > sharpestEdge(enlarged) + 40,
             qPrintable(QStringLiteral("edges of %1 against %2 for the smaller icon enlarged")
                            .arg(sharpestEdge(icon))
                            .arg(sharpestEdge(enlarged))));
}

void AssetsTest::themeIconsAreTheProgramIcon_data()
{
    QTest::addColumn<int>("size");
    QTest::newRow("small") << 32;
    QTest::newRow("large") << 64;
}

void AssetsTest::themeIconsAreTheProgramIcon()
{
    QFETCH(int, size);
    QCOMPARE(themeIcon(size), picture(source(QStringLiteral("pomerel%1.png").arg(size))));
}

void AssetsTest::shippedPicturesLoad_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("format");
    QTest::addColumn<QSize>("size");
    QTest::newRow("default photo") << "logo.jpg" << QByteArray("jpeg") << QSize(200, 250);
    QTest::newRow("name band") << "bandeau.gif" << QByteArray("gif") << QSize(1200, 140);
    QTest::newRow("heading marker") << "puce.gif" << QByteArray("gif") << QSize(16, 16);
}

void AssetsTest::shippedPicturesLoad()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, format);
    QFETCH(QSize, size);
    QImageReader reader(resourceDir + QLatin1Char('/') + name);
    QCOMPARE(reader.format(), format); // from the content, whatever the name says
    const QImage image = reader.read();
    QVERIFY2(!image.isNull(), qPrintable(reader.errorString()));
    QCOMPARE(image.size(), size);
}

void AssetsTest::headingMarkerHasATransparentGround()
{
    const QImage image = picture(resourceDir + QStringLiteral("/puce.gif"));
    QVERIFY(image.hasAlphaChannel());
    QCOMPARE(qAlpha(image.pixel(0, 0)), 0);
    QCOMPARE(qAlpha(image.pixel(15, 15)), 0);
    QCOMPARE(qAlpha(image.pixel(8, 8)), 255);
    const QRgb middle = image.pixel(8, 8);
    QVERIFY2(qRed(middle) < qGreen(middle) && qRed(middle) < qBlue(middle),
             qPrintable(QStringLiteral("the marker is not teal: ") + describe(middle)));
}

void AssetsTest::backgroundColours_data()
{
    QTest::addColumn<QPoint>("point");
    QTest::addColumn<QRgb>("expected");
    QTest::addColumn<int>("tolerance");
    const QRgb band = qRgb(0, 65, 74);
    const QRgb field = qRgb(165, 231, 231);
    QTest::newRow("band, top middle") << QPoint(470, 10) << band << 16;
    QTest::newRow("band, top left") << QPoint(5, 5) << band << 16;
    QTest::newRow("band, left of the tabs") << QPoint(120, 236) << band << 16;
    QTest::newRow("band, top right") << QPoint(795, 5) << band << 16;
    QTest::newRow("field, middle") << QPoint(460, 400) << field << 6;
    QTest::newRow("field, right of the editors") << QPoint(780, 300) << field << 6;
    QTest::newRow("field, low left") << QPoint(20, 575) << field << 6;
    QTest::newRow("left edge") << QPoint(1, 400) << band << 16;
    // The window shows 798 of the picture's 800 columns: the edge is within them.
    QTest::newRow("right edge") << QPoint(796, 400) << band << 16;
    QTest::newRow("bottom strip") << QPoint(400, 594) << band << 16;
    QTest::newRow("bottom strip, corner") << QPoint(2, 598) << band << 16;
}

void AssetsTest::backgroundColours()
{
    QFETCH(QPoint, point);
    QFETCH(QRgb, expected);
    QFETCH(int, tolerance);
    const QRgb pixel = Assets::mainBackground().pixel(point);
    QVERIFY2(
        colourDistance(pixel, expected) <= tolerance,
        qPrintable(describe(pixel) + QStringLiteral(" instead of about ") + describe(expected)));
}

void AssetsTest::sectionButtonsSitUnderReadableTabs_data()
{
    // The section buttons' places in the main window, in pixels.
    QTest::addColumn<QRect>("button");
    QTest::newRow("Présentation") << QRect(177, 232, 105, 17);
    QTest::newRow("Expériences") << QRect(296, 232, 105, 17);
    QTest::newRow("Formations") << QRect(416, 232, 105, 17);
    QTest::newRow("Centres d'intérets") << QRect(528, 232, 113, 17);
    QTest::newRow("Divers") << QRect(648, 232, 105, 17);
}

void AssetsTest::sectionButtonsSitUnderReadableTabs()
{
    QFETCH(QRect, button);
    const QImage image = Assets::mainBackground();
    const double band = luminance(qRgb(0, 65, 74));

    // Every pixel right above the button belongs to a tab that black text reads on.
    for (int x = button.left(); x <= button.right(); ++x) {
        const QRgb pixel = image.pixel(x, button.top() - 1);
        QVERIFY2(contrastWithBlack(pixel) >= 4.5 && luminance(pixel) > 2 * band,
                 qPrintable(QStringLiteral("at x %1: %2").arg(x).arg(describe(pixel))));
    }
    // The tab is some 30 px high and bears a black label.
    QVERIFY(contrastWithBlack(image.pixel(button.center().x(), button.top() - 28)) >= 4.5);
    int black = 0;
    for (int y = button.top() - 30; y < button.top(); ++y) {
        for (int x = button.left(); x <= button.right(); ++x)
            black += colourDistance(image.pixel(x, y), qRgb(0, 0, 0)) < 40 ? 1 : 0;
    }
    QVERIFY2(black >= 15, "the tab has no black label");
}

void AssetsTest::gifKeepsEveryPixel_data()
{
    QTest::addColumn<QImage>("image");

    QImage single(1, 1, QImage::Format_ARGB32);
    single.fill(qRgb(10, 20, 30));
    QTest::newRow("one pixel") << single;

    QImage plain(1000, 90, QImage::Format_ARGB32);
    plain.fill(qRgb(0, 65, 74));
    QTest::newRow("one colour, long runs") << plain;

    // Random pixels over the whole palette fill the code table many times over.
    QRandomGenerator random(7);
    QImage noise(301, 173, QImage::Format_ARGB32);
    for (int y = 0; y < noise.height(); ++y) {
        for (int x = 0; x < noise.width(); ++x) {
            const int index = int(random.bounded(256));
            noise.setPixel(x, y, qRgb(index, 255 - index, (index * 7) % 256));
        }
    }
    QTest::newRow("256 colours, noise") << noise;

    QImage stripes(37, 11, QImage::Format_ARGB32);
    for (int x = 0; x < stripes.width(); ++x) {
        for (int y = 0; y < stripes.height(); ++y)
            stripes.setPixel(x, y, x % 3 == 0 ? qRgb(255, 0, 0) : qRgb(0, 0, 255 - 4 * y));
    }
    QTest::newRow("odd width, few colours") << stripes;

    QImage holes(20, 20, QImage::Format_ARGB32);
    holes.fill(qRgb(0, 128, 128));
    for (int i = 0; i < 20; ++i)
        holes.setPixel(i, i, qRgba(0, 0, 0, 0));
    QTest::newRow("transparent diagonal") << holes;

    QImage nothing(5, 4, QImage::Format_ARGB32);
    nothing.fill(Qt::transparent);
    QTest::newRow("all transparent") << nothing;
}

void AssetsTest::gifKeepsEveryPixel()
{
    QFETCH(QImage, image);
    const QByteArray file = GifWriter::encode(image);
    QVERIFY(file.startsWith("GIF89a"));
    const QImage read = QImage::fromData(file, "GIF").convertToFormat(QImage::Format_ARGB32);
    QCOMPARE(read.size(), image.size());
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb expected = image.pixel(x, y);
            const QRgb got = read.pixel(x, y);
            const bool same = qAlpha(expected) == 0 ? qAlpha(got) == 0 : got == expected;
            QVERIFY2(same, qPrintable(QStringLiteral("pixel %1,%2 is %3 instead of %4")
                                          .arg(x)
                                          .arg(y)
                                          .arg(describe(got), describe(expected))));
        }
    }
}

void AssetsTest::gifReducesManyColoursClosely()
{
    // A smooth two-way ramp of some 4000 colours, as the band's silk gives.
    QImage ramp(256, 64, QImage::Format_RGB32);
    for (int y = 0; y < ramp.height(); ++y) {
        for (int x = 0; x < ramp.width(); ++x)
            ramp.setPixel(x, y, qRgb(x / 4, 60 + x / 2, 70 + y));
    }
    const QImage read = QImage::fromData(GifWriter::encode(ramp), "GIF");
    QCOMPARE(read.size(), ramp.size());
    QVERIFY(read.colorCount() <= 256);
    int worst = 0;
    for (int y = 0; y < ramp.height(); ++y) {
        for (int x = 0; x < ramp.width(); ++x)
            worst = std::max(worst, colourDistance(read.pixel(x, y), ramp.pixel(x, y)));
    }
    QVERIFY2(worst <= 6, qPrintable(QStringLiteral("a pixel is %1 levels off").arg(worst)));
}

QTEST_MAIN(AssetsTest)
#include "tst_assets.moc"
