// SPDX-License-Identifier: GPL-3.0-or-later

#include "folderpictures.h"

#include <QPainter>
#include <QPainterPath>
#include <functional>

namespace {

const QColor kOutline(128, 96, 0);
const QColor kBody(255, 214, 80);
const QColor kBack(222, 176, 40);
const QColor kFlap(255, 236, 140);

QImage drawn(int size, const std::function<void(QPainter &)> &draw)
{
    QImage picture(size, size, QImage::Format_ARGB32_Premultiplied);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / 16.0, size / 16.0);
    painter.setPen(QPen(kOutline, 1.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    draw(painter);
    return picture;
}

QPolygonF tab()
{
    return QPolygonF({{1.5, 4.5}, {1.5, 3.0}, {6.0, 3.0}, {7.5, 4.5}});
}

} // namespace

namespace FolderPictures {

QImage closed(int size)
{
    return drawn(size, [](QPainter &painter) {
        painter.setBrush(kBody);
        painter.drawPolygon(tab());
        painter.drawRoundedRect(QRectF(1.5, 4.5, 13.0, 9.0), 1.0, 1.0);
    });
}

QImage open(int size)
{
    return drawn(size, [](QPainter &painter) {
        painter.setBrush(kBack);
        painter.drawPolygon(tab());
        painter.drawRect(QRectF(1.5, 4.5, 12.0, 9.0));
        // The front leans out towards the viewer.
        painter.setBrush(kFlap);
        painter.drawPolygon(QPolygonF({{4.0, 7.5}, {15.5, 7.5}, {13.5, 13.5}, {1.5, 13.5}}));
    });
}

} // namespace FolderPictures
