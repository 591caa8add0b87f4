// SPDX-License-Identifier: GPL-3.0-or-later

#include "framedwindow.h"

#include <QFont>
#include <QIcon>
#include <QPainter>
#include <QWidget>

namespace {

constexpr int border = 4;
constexpr int titleHeight = 18;
constexpr int titleGap = 1; // grey line between the title bar and the client area

const QColor face(192, 192, 192);
const QColor light(223, 223, 223);
const QColor shadow(128, 128, 128);
const QColor titleColour(0, 0, 128);

// A raised edge: light top and left lines, dark bottom and right, one pixel each.
void drawRaisedEdge(QPainter &painter, QRect rect, const QColor &topLeft, const QColor &bottomRight)
{
    painter.setPen(topLeft);
    painter.drawLine(rect.topLeft(), rect.topRight());
    painter.drawLine(rect.topLeft(), rect.bottomLeft());
    painter.setPen(bottomRight);
    painter.drawLine(rect.bottomLeft(), rect.bottomRight());
    painter.drawLine(rect.topRight(), rect.bottomRight());
}

void drawRaisedBox(QPainter &painter, const QRect &rect)
{
    painter.fillRect(rect, face);
    drawRaisedEdge(painter, rect, light, Qt::black);
    drawRaisedEdge(painter, rect.adjusted(1, 1, -1, -1), Qt::white, shadow);
}

// Minimize, maximize and close, right-aligned in the title bar.
void drawCaptionButtons(QPainter &painter, const QRect &title)
{
    const QSize size(16, 14);
    const int top = title.top() + (title.height() - size.height()) / 2;
    const int closeLeft = title.right() - 2 - size.width() + 1;
    const QRect close(QPoint(closeLeft, top), size);
    const QRect maximize = close.translated(-size.width() - 2, 0);
    const QRect minimize = maximize.translated(-size.width(), 0);
    for (const QRect &button : {minimize, maximize, close})
        drawRaisedBox(painter, button);

    painter.setPen(QPen(Qt::black, 1));
    painter.fillRect(QRect(minimize.left() + 4, minimize.bottom() - 4, 6, 2), Qt::black);
    const QRect frame = maximize.adjusted(3, 2, -5, -4);
    painter.drawRect(frame);
    painter.drawLine(frame.topLeft() + QPoint(0, 1), frame.topRight() + QPoint(0, 1));
    const QRect cross = close.adjusted(4, 3, -6, -5);
    for (int offset : {0, 1}) {
        painter.drawLine(cross.topLeft() + QPoint(offset, 0),
                         cross.bottomRight() + QPoint(offset, 0));
        painter.drawLine(cross.bottomLeft() + QPoint(offset, 0),
                         cross.topRight() + QPoint(offset, 0));
    }
}

void drawTitleBar(QPainter &painter, const QRect &title, const QWidget &window)
{
    painter.fillRect(title, titleColour);
    const QRect iconPlace(title.left() + 2, title.top() + 1, 16, 16);
    window.windowIcon().paint(&painter, iconPlace);

    QFont font = window.font();
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(Qt::white);
    const QRect caption = title.adjusted(iconPlace.width() + 5, 0, -56, 0);
    painter.drawText(caption, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                     window.windowTitle());
    drawCaptionButtons(painter, title);
}

} // namespace

QImage framedWindow(QWidget &window)
{
    const QImage client = window.grab().toImage();
    const QSize whole(client.width() + 2 * border,
                      client.height() + 2 * border + titleHeight + titleGap);
    QImage shot(whole, QImage::Format_RGB32);

    QPainter painter(&shot);
    drawRaisedBox(painter, shot.rect());
    const QRect title(border, border, client.width(), titleHeight);
    drawTitleBar(painter, title, window);
    painter.drawImage(border, border + titleHeight + titleGap, client);
    return shot;
}
