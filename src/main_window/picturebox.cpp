#include "main_window/picturebox.h"

#include <QPainter>

PictureBox::PictureBox(QWidget *parent)
    : QFrame(parent)
{
    setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
    // The button-face ground of the classic box, whatever the window behind it shows.
    setBackgroundRole(QPalette::Button);
    setAutoFillBackground(true);
    setFocusPolicy(Qt::StrongFocus);
}

void PictureBox::setPicture(const QPixmap &picture)
{
    m_picture = picture;
    update();
}

void PictureBox::paintEvent(QPaintEvent *event)
{
    QFrame::paintEvent(event);
    if (m_picture.isNull())
        return;
    QPainter painter(this);
    const QRect inside = contentsRect();
    painter.setClipRect(inside);
    painter.drawPixmap(inside.topLeft(), m_picture);
}
