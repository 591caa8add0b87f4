// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QPoint>
#include <QPolygonF>

// The pointer's grey triangle, shared by the program (for the cursor's hot spot) and by the
// drawing tool (for the shape), so the hot spot always lies on the drawn tip.
namespace PointerShape {

// The tip is a one-pixel flat top so that its pixel is fully opaque at every size.
inline QPoint hotSpot(int size)
{
    return {size / 2 - 1, 0};
}

// The triangle's corners on a canvas of size x size pixels, for a shape seen a little from
// below: the tip, the left corner, the front edge's foot (slightly right of the middle, as
// light comes from the upper left) and the right corner. The base shows as a band of
// baseDepth() pixels under the two front faces.
struct Corners
{
    QPointF tipLeft;
    QPointF tipRight;
    QPointF left;
    QPointF foot;
    QPointF right;
};

inline Corners corners(int size)
{
    const qreal unit = size / 32.0;
    const QPoint tip = hotSpot(size);
    const qreal middle = tip.x() + 0.5;
    return {QPointF(tip.x(), tip.y()), QPointF(tip.x() + 1, tip.y()),
            QPointF(middle - 11 * unit, 22 * unit), QPointF(middle + 2 * unit, 25 * unit),
            QPointF(middle + 11 * unit, 22 * unit)};
}

inline qreal baseDepth(int size)
{
    return 4 * size / 32.0;
}

} // namespace PointerShape
