// SPDX-License-Identifier: GPL-3.0-or-later

// The dark teal band: the main window's background and the page's name band.
#include "artwork.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <cmath>
#include <numbers>

namespace Artwork {

namespace {

constexpr QSize backgroundSize(800, 600);
constexpr int bandHeight = 245; // the light field starts here
constexpr int fieldBottom = 585;
constexpr int sideEdge = 3;
constexpr int visibleWidth = 798; // the window's client area: the last two columns are cut off

struct Tab
{
    int left;
    int width;
    const char *label;
};

// One tab over each section button, whose places in the main window they follow (px).
constexpr Tab tabs[] = {{177, 105, "Présentation"},
                        {296, 105, "Expériences"},
                        {416, 105, "Formations"},
                        {528, 113, "C.I."},
                        {648, 105, "Divers"}};
constexpr int buttonTop = 232; // the tabs end where the buttons start
constexpr int tabTop = 200;
constexpr int tabOverhang = 1; // each side of the button, so the button sits wholly under it
constexpr qreal tabRadius = 8;

QColor withAlpha(QRgb colour, int alpha)
{
    QColor result(colour);
    result.setAlpha(alpha);
    return result;
}

// A rectangle whose top and bottom corners are rounded with their own radius.
QPainterPath roundedRect(const QRectF &rect, qreal top, qreal bottom)
{
    QPainterPath path;
    path.moveTo(rect.left(), rect.top() + top);
    path.arcTo(QRectF(rect.left(), rect.top(), 2 * top, 2 * top), 180, -90);
    path.lineTo(rect.right() - top, rect.top());
    path.arcTo(QRectF(rect.right() - 2 * top, rect.top(), 2 * top, 2 * top), 90, -90);
    path.lineTo(rect.right(), rect.bottom() - bottom);
    path.arcTo(
        QRectF(rect.right() - 2 * bottom, rect.bottom() - 2 * bottom, 2 * bottom, 2 * bottom), 0,
        -90);
    path.lineTo(rect.left() + bottom, rect.bottom());
    path.arcTo(QRectF(rect.left(), rect.bottom() - 2 * bottom, 2 * bottom, 2 * bottom), 270, -90);
    path.closeSubpath();
    return path;
}

void paintBandGround(QPainter &painter, const QRectF &area)
{
    QLinearGradient gradient(area.topLeft(), area.bottomLeft());
    gradient.setColorAt(0, QColor(Colours::bandTop));
    gradient.setColorAt(1, QColor(Colours::bandBottom));
    painter.fillRect(area, gradient);
}

// A smooth wave across the area: a main swell with a smaller one riding on it.
QPainterPath waveLine(const QRectF &area, qreal middle, qreal amplitude, qreal wavelength,
                      qreal phase)
{
    constexpr qreal tau = 2 * std::numbers::pi;
    const auto at = [&](qreal x) {
        const qreal y = middle + amplitude * std::sin(tau * x / wavelength + phase) +
                        0.3 * amplitude * std::sin(tau * x / (0.43 * wavelength) + 1.7 * phase);
        return area.topLeft() + QPointF(x, y * area.height());
    };
    QPainterPath path(at(-4));
    for (qreal x = -2; x <= area.width() + 4; x += 2)
        path.lineTo(at(x));
    return path;
}

// The band's faint lighter silk: a few broad ribbons and a sheaf of fine lines whose phase
// drifts from one to the next, so that they gather and part like watered silk.
void paintWaves(QPainter &painter, const QRectF &area)
{
    painter.save();
    painter.setClipRect(area);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal width = area.width();

    for (int i = 0; i < 3; ++i) {
        const QPainterPath upper = waveLine(area, 0.50 + 0.14 * i, 0.09, 0.95 * width, 1.3 * i);
        const QPainterPath lower =
            waveLine(area, 0.60 + 0.14 * i, 0.12, 1.15 * width, 1.3 * i + 0.7);
        QPainterPath ribbon = upper;
        ribbon.connectPath(lower.toReversed());
        ribbon.closeSubpath();
        painter.fillPath(ribbon, withAlpha(Colours::wave, 14));
    }

    constexpr int lines = 22;
    for (int i = 0; i < lines; ++i) {
        const qreal t = qreal(i) / (lines - 1);
        const int alpha = int(14 + 30 * std::sin(std::numbers::pi * t));
        painter.setPen(QPen(withAlpha(Colours::wave, alpha), 1.0));
        painter.drawPath(waveLine(area, 0.30 + 0.55 * t, 0.07 + 0.05 * t, (0.8 + 0.15 * t) * width,
                                  0.6 + 1.6 * t));
    }
    painter.restore();
}

// A copy of the image where only the pixels' coverage counts, in one colour.
QImage silhouette(const QImage &image, QRgb colour)
{
    QImage result(image.size(), QImage::Format_ARGB32_Premultiplied);
    result.fill(colour);
    QPainter painter(&result);
    painter.setCompositionMode(QPainter::CompositionMode_DestinationIn);
    painter.drawImage(0, 0, image);
    return result;
}

// The glyphs above the baseline turned upside down under it, fading out over fadeLength rows.
QImage reflection(const QImage &glyphs, int baseline, int gap, int fadeLength, qreal strength)
{
    QImage result(glyphs.size(), QImage::Format_ARGB32_Premultiplied);
    result.fill(Qt::transparent);
    for (int row = 0; row < fadeLength; ++row) {
        const int from = baseline - 1 - row;
        const int to = baseline + gap + row;
        if (from < 0 || to >= glyphs.height())
            break;
        const qreal fade = 1.0 - qreal(row) / fadeLength;
        const qreal opacity = strength * fade * fade;
        const auto *source = reinterpret_cast<const QRgb *>(glyphs.constScanLine(from));
        auto *target = reinterpret_cast<QRgb *>(result.scanLine(to));
        for (int x = 0; x < glyphs.width(); ++x) {
            const QRgb pixel = source[x];
            target[x] = qRgba(int(qRed(pixel) * opacity), int(qGreen(pixel) * opacity),
                              int(qBlue(pixel) * opacity), int(qAlpha(pixel) * opacity));
        }
    }
    return blurred(result, 1);
}

// The title, lit from above, with a soft shadow, a faint glow and its reflection under it.
void paintTitle(QPainter &painter, const QFont &font)
{
    const QString text = QStringLiteral("Curriculum vitaé");
    const QPointF origin(24, 84);
    QPainterPath path;
    path.addText(origin, font, text);

    QImage glyphs(backgroundSize, QImage::Format_ARGB32_Premultiplied);
    glyphs.fill(Qt::transparent);
    {
        QPainter glyphPainter(&glyphs);
        glyphPainter.setRenderHint(QPainter::Antialiasing);
        const QRectF bounds = path.boundingRect();
        QLinearGradient light(bounds.topLeft(), QPointF(bounds.left(), origin.y()));
        light.setColorAt(0, QColor(Colours::titleLight));
        light.setColorAt(1, QColor(Colours::titleDeep));
        glyphPainter.fillPath(path, light);
    }

    painter.save();
    painter.setOpacity(0.6);
    painter.drawImage(QPointF(2, 3), blurred(silhouette(glyphs, qRgb(0, 20, 26)), 3));
    painter.setOpacity(0.35);
    painter.drawImage(QPointF(0, 0), blurred(silhouette(glyphs, Colours::titleDeep), 6));
    painter.restore();
    painter.drawImage(QPointF(0, 0), reflection(glyphs, int(origin.y()), 3, 46, 0.42));
    painter.drawImage(QPointF(0, 0), glyphs);
}

QRectF tabRect(const Tab &tab)
{
    return QRectF(tab.left - tabOverhang, tabTop, tab.width + 2 * tabOverhang, buttonTop - tabTop);
}

// The tabs lift off the band on a soft shadow cast down and to the right.
void paintTabShadows(QPainter &painter)
{
    QImage shapes(backgroundSize, QImage::Format_ARGB32_Premultiplied);
    shapes.fill(Qt::transparent);
    {
        QPainter shapePainter(&shapes);
        shapePainter.setRenderHint(QPainter::Antialiasing);
        for (const Tab &tab : tabs)
            shapePainter.fillPath(roundedRect(tabRect(tab), tabRadius, 0), QColor(0, 16, 20));
    }
    painter.save();
    painter.setOpacity(0.55);
    painter.drawImage(QPointF(2, 1), blurred(shapes, 3));
    painter.restore();
}

void paintTab(QPainter &painter, const Tab &tab, const QFont &font)
{
    const QRectF rect = tabRect(tab);
    const QPainterPath shape = roundedRect(rect, tabRadius, 0);
    QLinearGradient face(rect.topLeft(), rect.bottomLeft());
    face.setColorAt(0, QColor(Colours::tabTop));
    face.setColorAt(1, QColor(Colours::tabBottom));
    painter.fillPath(shape, face);

    // A thin light edge along the top, as on a bevel.
    painter.save();
    painter.setClipPath(shape);
    painter.setPen(QPen(QColor(255, 255, 255, 90), 2.0));
    painter.drawPath(roundedRect(rect.adjusted(0, 0, 0, 4), tabRadius, 0));
    painter.restore();

    painter.setFont(font);
    painter.setPen(QColor(255, 255, 255, 60)); // a faint light under the letters, engraved
    painter.drawText(rect.translated(0, 1), Qt::AlignCenter, QString::fromUtf8(tab.label));
    painter.setPen(Qt::black);
    painter.drawText(rect, Qt::AlignCenter, QString::fromUtf8(tab.label));
}

// The light field under the band, with the band's shadow falling on its top.
void paintField(QPainter &painter)
{
    const QRectF rect(sideEdge, bandHeight, visibleWidth - 2 * sideEdge, fieldBottom - bandHeight);
    const QPainterPath shape = roundedRect(rect, 14, 6);
    QLinearGradient ground(rect.topLeft(), rect.bottomLeft());
    ground.setColorAt(0, QColor(Colours::field).lighter(102));
    ground.setColorAt(1, QColor(Colours::field).darker(102));
    painter.fillPath(shape, ground);

    painter.save();
    painter.setClipPath(shape);
    QLinearGradient shadow(QPointF(0, bandHeight), QPointF(0, bandHeight + 9));
    shadow.setColorAt(0, QColor(0, 40, 48, 110));
    shadow.setColorAt(1, QColor(0, 40, 48, 0));
    painter.fillRect(rect, shadow);
    painter.restore();
}

} // namespace

QImage mainBackground(const Fonts &fonts)
{
    QImage image(backgroundSize, QImage::Format_ARGB32_Premultiplied);
    image.fill(Colours::frame);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);

    const QRectF band(0, 0, backgroundSize.width(), bandHeight + 16);
    paintBandGround(painter, band);
    paintWaves(painter, band);
    paintField(painter);
    paintTitle(painter, fonts.title);
    paintTabShadows(painter);
    for (const Tab &tab : tabs)
        paintTab(painter, tab, fonts.label);
    painter.end();
    return image.convertToFormat(QImage::Format_RGB32);
}

QImage pageBand()
{
    QImage image(1200, 140, QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&image);
    const QRectF area(image.rect());
    paintBandGround(painter, area);
    paintWaves(painter, area);
    painter.end();
    return image.convertToFormat(QImage::Format_RGB32);
}

} // namespace Artwork
