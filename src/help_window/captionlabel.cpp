// SPDX-License-Identifier: GPL-3.0-or-later

#include "help_window/captionlabel.h"

#include <QPainter>
#include <QStyle>

namespace {

// The caption as drawn: each carriage return becomes a line break.
QString displayedText(QString caption)
{
    return caption.replace(u'\r', u'\n');
}

} // namespace

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
    style()->drawItemText(&painter, area, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
                          palette(), isEnabled(), displayedText(text()), foregroundRole());
}
