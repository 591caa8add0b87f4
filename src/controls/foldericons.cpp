// SPDX-License-Identifier: GPL-3.0-or-later

#include "controls/foldericons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <functional>

namespace {

const QColor kOutline(128, 96, 0);
const QColor kBody(255, 214, 80);
const QColor kBack(222, 176, 40);
const QColor kFlap(255, 236, 140);

// Draws a picture given on a 16 x 16 grid at each size an icon needs.
QIcon drawn(const std::function<void(QPainter &)> &draw)
{
    QIcon icon;
    for (const int size : {16, 32}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.scale(size / 16.0, size / 16.0);
        painter.setPen(QPen(kOutline, 1.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        draw(painter);
        icon.addPixmap(pixmap, QIcon::Normal);
        icon.addPixmap(pixmap, QIcon::Selected); // the folder stays yellow on the highlight
    }
    return icon;
}

QPolygonF tab()
{
    return QPolygonF({{1.5, 4.5}, {1.5, 3.0}, {6.0, 3.0}, {7.5, 4.5}});
}

} // namespace

QIcon FolderIcons::closed()
{
    return drawn([](QPainter &painter) {
        painter.setBrush(kBody);
        painter.drawPolygon(tab());
        painter.drawRoundedRect(QRectF(1.5, 4.5, 13.0, 9.0), 1.0, 1.0);
    });
}

QIcon FolderIcons::open()
{
    return drawn([](QPainter &painter) {
        painter.setBrush(kBack);
        painter.drawPolygon(tab());
        painter.drawRect(QRectF(1.5, 4.5, 12.0, 9.0));
        // The front leans out towards the viewer.
        painter.setBrush(kFlap);
        painter.drawPolygon(QPolygonF({{4.0, 7.5}, {15.5, 7.5}, {13.5, 13.5}, {1.5, 13.5}}));
    });
}
