// SPDX-License-Identifier: GPL-3.0-or-later

#include "main_window/facebutton.h"

#include <QPainter>
#include <QPolygonF>
#include <QStyle>
#include <QStyleOption>

namespace {

constexpr qreal kEdge = 2;
const QColor kLight(Qt::white);
const QColor kShadow(0, 72, 72);

} // namespace

FaceButton::FaceButton(QWidget *parent)
    : QPushButton(parent)
{
    QPalette colours = palette();
    colours.setColor(QPalette::ButtonText, Qt::black);
    setPalette(colours);
}

void FaceButton::setFace(const QColor &face)
{
    m_face = face;
    update();
}

void FaceButton::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), m_face);

    const bool pressed = isDown();
    const QColor &topLeft = pressed ? kShadow : kLight;
    const QColor bottomRight = pressed ? kLight : hasFocus() ? QColor(Qt::black) : kShadow;
    const QRectF r(rect());
    const qreal left = r.left();
    const qreal top = r.top();
    const qreal right = r.left() + r.width();
    const qreal bottom = r.top() + r.height();
    // Bottom, right, left, then top, each over the ones before. Where sides of two colours
    // meet, they share the corner along its diagonal, smoothed.
    const auto side = [&painter](const QColor &colour, std::initializer_list<QPointF> corners) {
        painter.setBrush(colour);
        painter.drawConvexPolygon(QPolygonF(corners));
    };
    painter.setPen(Qt::NoPen);
    painter.setRenderHint(QPainter::Antialiasing);
    side(
        bottomRight,
        {{left + kEdge, bottom - kEdge}, {left, bottom}, {right, bottom}, {right, bottom - kEdge}});
    side(bottomRight,
         {{right - kEdge, top + kEdge}, {right - kEdge, bottom}, {right, bottom}, {right, top}});
    side(topLeft,
         {{left, top}, {left, bottom}, {left + kEdge, bottom - kEdge}, {left + kEdge, top}});
    side(topLeft, {{left, top}, {left, top + kEdge}, {right - kEdge, top + kEdge}, {right, top}});
    painter.setRenderHint(QPainter::Antialiasing, false);

    const int edge = static_cast<int>(kEdge);
    QRect caption = rect().adjusted(edge, edge, -edge, -edge);
    if (pressed)
        caption.adjust(edge, edge, 0, 0);
    style()->drawItemText(&painter, caption, Qt::AlignCenter | Qt::TextShowMnemonic, palette(),
                          isEnabled(), text(), QPalette::ButtonText);

    // The system's focus mark around the caption, as the sheet had it drawn: Windows' dotted
    // frame in the face's opposite colour; other styles draw it after a key moved the focus.
    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = caption;
        focus.backgroundColor = m_face;
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, this);
    }
}
