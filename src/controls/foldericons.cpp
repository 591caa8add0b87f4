// SPDX-License-Identifier: GPL-3.0-or-later

#include "controls/foldericons.h"

#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <array>
#include <functional>

namespace {

const QColor kOutline(128, 96, 0);
const QColor kBody(255, 214, 80);
const QColor kBack(222, 176, 40);
const QColor kFlap(255, 236, 140);

constexpr std::array<int, 2> kSizes{16, 32};
using Pictures = std::array<QImage, kSizes.size()>;

// Draws a picture given on a 16 x 16 grid at each size an icon needs.
Pictures drawn(const std::function<void(QPainter &)> &draw)
{
    Pictures pictures;
    for (std::size_t i = 0; i < kSizes.size(); ++i) {
        const int size = kSizes[i];
        QImage &picture = pictures[i];
        picture = QImage(size, size, QImage::Format_ARGB32_Premultiplied);
        picture.fill(Qt::transparent);
        QPainter painter(&picture);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.scale(size / 16.0, size / 16.0);
        painter.setPen(QPen(kOutline, 1.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        draw(painter);
    }
    return pictures;
}

QIcon icon(const Pictures &pictures)
{
    QIcon icon;
    for (const QImage &picture : pictures) {
        const QPixmap pixmap = QPixmap::fromImage(picture);
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

// Images, unlike pixmaps, may outlive the application.
QIcon FolderIcons::closed()
{
    static const Pictures pictures = drawn([](QPainter &painter) {
        painter.setBrush(kBody);
        painter.drawPolygon(tab());
        painter.drawRoundedRect(QRectF(1.5, 4.5, 13.0, 9.0), 1.0, 1.0);
    });
    return icon(pictures);
}

QIcon FolderIcons::open()
{
    static const Pictures pictures = drawn([](QPainter &painter) {
        painter.setBrush(kBack);
        painter.drawPolygon(tab());
        painter.drawRect(QRectF(1.5, 4.5, 12.0, 9.0));
        // The front leans out towards the viewer.
        painter.setBrush(kFlap);
        painter.drawPolygon(QPolygonF({{4.0, 7.5}, {15.5, 7.5}, {13.5, 13.5}, {1.5, 13.5}}));
    });
    return icon(pictures);
}
