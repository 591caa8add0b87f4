// SPDX-License-Identifier: GPL-3.0-or-later

#include "helpicon.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>

using namespace Qt::StringLiterals;

namespace {

const QString letters = u"CV"_s;

// The biggest bold serif face whose letters, with their shadow, fit across the icon.
QFont letterFont(int size, int shadow)
{
    QFont font;
    font.setFamilies({u"Times New Roman"_s, u"Liberation Serif"_s});
    font.setStyleHint(QFont::Serif);
    font.setBold(true);
    font.setStyleStrategy(QFont::NoAntialias);
    // Narrowed so the two letters stand taller in the square.
    font.setStretch(QFont::SemiCondensed);
    for (int pixels = size; pixels > 4; --pixels) {
        font.setPixelSize(pixels);
        const QRect ink = QFontMetrics(font).tightBoundingRect(letters);
        if (ink.width() + shadow + (size >= 32 ? 1 : 0) <= size - 1 &&
            ink.height() + shadow <= size - 1)
            break;
    }
    return font;
}

} // namespace

QImage helpIcon(int size)
{
    QImage icon(size, size, QImage::Format_ARGB32);
    icon.fill(Qt::transparent);

    const int shadow = size >= 32 ? 2 : 1;
    const QFont font = letterFont(size, shadow);
    const QRect ink = QFontMetrics(font).tightBoundingRect(letters);
    // Centre the letters' ink with their shadow; the text origin sits on the base line.
    const QPoint origin((size - ink.width() - shadow) / 2 - ink.left(),
                        (size - ink.height() - shadow) / 2 - ink.top());

    QPainter painter(&icon);
    painter.setFont(font);
    // In the large size each layer is struck twice, one pixel apart, for strokes thick enough
    // to read; the small size has no room for that.
    const int strikes = size >= 32 ? 2 : 1;
    const auto strike = [&](QPoint at, const QColor &colour) {
        painter.setPen(colour);
        for (int step = 0; step < strikes; ++step)
            painter.drawText(at + QPoint(step, 0), letters);
    };
    strike(origin + QPoint(shadow, shadow), QColor(128, 128, 128));
    strike(origin, QColor(255, 255, 0));
    return icon;
}
