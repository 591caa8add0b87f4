// SPDX-License-Identifier: GPL-3.0-or-later

#include "help_window/captionlabel.h"

#include <QPainter>
#include <QStyle>

CaptionLabel::CaptionLabel(QWidget *parent)
    : QLabel(parent)
{
    setTextFormat(Qt::PlainText);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setWordWrap(true);
}

void CaptionLabel::paintEvent(QPaintEvent *event)
{
    Q_UNUSED(event)
    QPainter painter(this);
    drawFrame(&painter);
    const int inset = margin();
    const QRect area = contentsRect().adjusted(inset, inset, -inset, -inset);
    painter.setClipRect(area);
    // Each carriage return of the caption becomes a line break.
    style()->drawItemText(&painter, area, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
                          palette(), isEnabled(), QString(text()).replace(u'\r', u'\n'),
                          foregroundRole());
}
