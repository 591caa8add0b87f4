#include "controls/clickableimage.h"

#include <QMouseEvent>

ClickableImage::ClickableImage(QWidget *parent)
    : QLabel(parent)
{
    setFocusPolicy(Qt::NoFocus);
}

void ClickableImage::mousePressEvent(QMouseEvent *event)
{
    m_pressed = event->button() == Qt::LeftButton;
    QLabel::mousePressEvent(event);
}

// Like a button: the click counts when the button is released over the picture.
void ClickableImage::mouseReleaseEvent(QMouseEvent *event)
{
    const bool click = m_pressed && event->button() == Qt::LeftButton &&
                       rect().contains(event->position().toPoint());
    m_pressed = false;
    QLabel::mouseReleaseEvent(event);
    if (click)
        emit clicked();
}
