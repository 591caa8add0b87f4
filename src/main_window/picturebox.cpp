// SPDX-License-Identifier: GPL-3.0-or-later

#include "main_window/picturebox.h"

#include "controls/accessiblefactory.h"

#include <QAccessibleWidget>
#include <QPainter>

namespace {

// A screen reader meets the box as the picture it shows, not as a frame.
class AccessiblePictureBox final : public QAccessibleWidget
{
public:
    explicit AccessiblePictureBox(PictureBox *box)
        : QAccessibleWidget(box, QAccessible::Graphic)
    {
    }
};

} // namespace

PictureBox::PictureBox(QWidget *parent)
    : QFrame(parent)
{
    installAccessibleFactory<PictureBox, AccessiblePictureBox>();
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
