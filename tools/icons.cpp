// SPDX-License-Identifier: GPL-3.0-or-later

// The small pictures: help glyph, pointer, program emblem, the page's marker and photo.
#include "artwork.h"
#include "assets/pointershape.h"
#include "colourreduction.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace Artwork {

namespace {

// The shield in a 64-unit square: a slightly arched top, straight sides, a pointed foot.
QPainterPath shieldPath()
{
    QPainterPath path;
    path.moveTo(7, 9);
    path.cubicTo(20, 4, 44, 4, 57, 9);
    path.lineTo(57, 30);
    path.cubicTo(57, 46, 46, 55, 32, 62);
    path.cubicTo(18, 55, 7, 46, 7, 30);
    path.closeSubpath();
    return path;
}

// The shape shrunk towards its middle, for the black face inside the white rim.
QPainterPath inset(const QPainterPath &path, qreal by)
{
    const QRectF bounds = path.boundingRect();
    const QPointF middle = bounds.center();
    QTransform transform;
    transform.translate(middle.x(), middle.y());
    transform.scale((bounds.width() - 2 * by) / bounds.width(),
                    (bounds.height() - 2 * by) / bounds.height());
    transform.translate(-middle.x(), -middle.y());
    return transform.map(path);
}

// The emblem in a 64-unit square. The flat look, for sixteen colours, has no shading, and
// lines thick enough to keep whole pixels at 32 px.
void paintEmblem(QPainter &painter, const QFont &monogramFont, bool flat)
{
    const QPainterPath outer = shieldPath();
    const QPainterPath face = inset(outer, flat ? 6 : 4.5);

    painter.fillPath(outer, QColor(20, 20, 20)); // a dark line around the rim
    painter.fillPath(inset(outer, flat ? 2 : 1.2), Qt::white);

    QLinearGradient depth(QPointF(12, 8), QPointF(48, 60));
    depth.setColorAt(0, QColor(58, 60, 64));
    depth.setColorAt(0.55, QColor(10, 10, 12));
    depth.setColorAt(1, QColor(0, 0, 0));
    painter.fillPath(face, flat ? QBrush(Qt::black) : QBrush(depth));

    QFont font = monogramFont;
    font.setPixelSize(40);
    QPainterPath letter;
    letter.addText(0, 0, font, QStringLiteral("P"));
    const QRectF bounds = letter.boundingRect();
    letter.translate(QPointF(32, 31) - bounds.center());

    if (flat) {
        painter.fillPath(letter, QColor(255, 255, 0));
        return;
    }
    QLinearGradient gold(QPointF(0, 13), QPointF(0, 50));
    gold.setColorAt(0, QColor(255, 236, 80));
    gold.setColorAt(1, QColor(255, 196, 0));
    painter.fillPath(letter.translated(1.2, 1.2), QColor(0, 0, 0, 160));
    painter.fillPath(letter, gold);

    // A soft sheen across the top of the face.
    painter.save();
    painter.setClipPath(face);
    QRadialGradient sheen(QPointF(26, 4), 34);
    sheen.setColorAt(0, QColor(255, 255, 255, 60));
    sheen.setColorAt(1, QColor(255, 255, 255, 0));
    painter.fillRect(QRectF(0, 0, 64, 34), sheen);
    painter.restore();
}

// The emblem's share of the sixteen colours: its own three and the greys and olive that stand
// for their blends along the edges. Tinted greys would otherwise snap to blues and reds.
QList<QRgb> emblemColours()
{
    return {qRgb(0, 0, 0),       qRgb(128, 128, 128), qRgb(192, 192, 192),
            qRgb(255, 255, 255), qRgb(255, 255, 0),   qRgb(128, 128, 0)};
}

} // namespace

QImage programIcon(int size, const Fonts &fonts)
{
    // Drawn large and reduced, so that even the smallest size has clean curves.
    const int canvas = std::max(size, 128);
    QImage image(canvas, canvas, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(canvas / 64.0, canvas / 64.0);
    const bool sixteenColours = size <= 32;
    paintEmblem(painter, fonts.monogram, sixteenColours);
    painter.end();

    const QImage reduced =
        image.scaled(size, size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    if (sixteenColours)
        return ColourReduction::snapToPalette(reduced, emblemColours());
    return reduced.convertToFormat(QImage::Format_ARGB32);
}

QImage helpGlyph()
{
    // A yellow question mark outlined in black on the light grey square.
    static const char *const rows[] = {
        "................", //
        "....kkkkkkkk....", //
        "...kyyyyyyyyk...", //
        "..kyyykkkkyyyk..", //
        "..kkkk...kyyyk..", //
        "........kyyyk...", //
        ".......kyyyk....", //
        "......kyyyk.....", //
        "......kyyk......", //
        "......kkkk......", //
        "................", //
        "......kkkk......", //
        "......kyyk......", //
        "......kyyk......", //
        "......kkkk......", //
        "................", //
    };
    static const QRgb colours[] = {qRgb(192, 192, 192), qRgb(0, 0, 0), qRgb(255, 255, 0)};
    return fromPixelArt(rows, 16, ".ky", colours).convertToFormat(QImage::Format_RGB32); // opaque
}

QImage pointer(int size)
{
    const PointerShape::Corners corners = PointerShape::corners(size);
    const qreal unit = size / 32.0;
    const QPointF ridgeTop = (corners.tipLeft + corners.tipRight) / 2;
    const QPointF down(0, PointerShape::baseDepth(size));
    const QPointF inward(unit, 0);

    const QPolygonF leftFace{corners.tipLeft, ridgeTop, corners.foot, corners.left};
    const QPolygonF rightFace{ridgeTop, corners.tipRight, corners.right, corners.foot};
    const QPolygonF base{corners.left,        corners.foot,
                         corners.right,       corners.right + down * 0.5 - inward,
                         corners.foot + down, corners.left + down * 0.5 + inward};
    const QPolygonF outline{corners.tipLeft, corners.tipRight, corners.right, base[3],
                            base[4],         base[5],          corners.left};

    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    // The small size is drawn on whole pixels: smoothing would blur it to a smudge.
    painter.setRenderHint(QPainter::Antialiasing, size > 16);

    // The faces lie on a solid silhouette, so their shared edges leave no see-through seam,
    // and a dark line drawn last all round keeps the shape clear on light grounds.
    const QColor edge(24, 24, 24);
    painter.setPen(Qt::NoPen);
    painter.setBrush(edge);
    painter.drawPolygon(outline);

    QLinearGradient light(corners.tipLeft, corners.left);
    light.setColorAt(0, QColor(240, 240, 240));
    light.setColorAt(1, QColor(188, 188, 188));
    painter.setBrush(light);
    painter.drawPolygon(leftFace);
    painter.setBrush(QColor(8, 8, 8));
    painter.drawPolygon(rightFace);
    painter.setBrush(QColor(92, 92, 92));
    painter.drawPolygon(base);

    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(edge, size > 16 ? unit : 0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPolygon(outline);
    painter.end();
    return image.convertToFormat(QImage::Format_ARGB32);
}

QImage headingMarker()
{
    // A small folder tab in the page's teal, lit from above, its foot flaring into a rule
    // that leads on to the heading.
    static const char *const rows[] = {
        "................", //
        "................", //
        "................", //
        ".....kkkkkk.....", //
        "....khhhhhhk....", //
        "...khttttttsk...", //
        "...khttttttsk...", //
        "...khttttttsk...", //
        "...khttttttsk...", //
        "...khttttttsk...", //
        "..khttttttttsk..", //
        ".khttttttttttsk.", //
        "kkkkkkkkkkkkkkkk", //
        "................", //
        "................", //
        "................", //
    };
    static const QRgb colours[] = {qRgb(0, 65, 74), qRgb(120, 205, 205), Colours::teal,
                                   qRgb(0, 96, 104)};
    return fromPixelArt(rows, 16, "khts", colours);
}

QImage defaultPhoto()
{
    const QSize size(200, 250);
    QImage image(size, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);

    QLinearGradient ground(QPointF(0, 0), QPointF(0, size.height()));
    ground.setColorAt(0, QColor(200, 242, 242));
    ground.setColorAt(1, QColor(Colours::field));
    painter.fillRect(image.rect(), ground);
    QRadialGradient halo(QPointF(100, 100), 120);
    halo.setColorAt(0, QColor(255, 255, 255, 120));
    halo.setColorAt(1, QColor(255, 255, 255, 0));
    painter.fillRect(image.rect(), halo);

    // Head and shoulders, a neutral silhouette: a round head over the rise of the shoulders.
    QPainterPath person;
    person.addEllipse(QPointF(100, 98), 40, 40);
    person.addEllipse(QPointF(100, 256), 92, 104);
    QLinearGradient body(QPointF(0, 50), QPointF(0, 250));
    body.setColorAt(0, QColor(118, 164, 168));
    body.setColorAt(1, QColor(78, 124, 130));
    painter.fillPath(person, body);

    painter.setPen(QPen(QColor(0, 128, 128, 160), 2));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRectF(image.rect()).adjusted(1, 1, -1, -1));
    painter.end();
    return image;
}

} // namespace Artwork
