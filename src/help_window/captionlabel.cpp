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

QString CaptionLabel::displayedText(const QString &caption)
{
    QString text = caption;
    return text.replace(u'\r', u'\n');
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
