// SPDX-License-Identifier: GPL-3.0-or-later

#include "controls/clickableimage.h"

#include "controls/accessiblefactory.h"

#include <QAccessibleWidget>
#include <QMouseEvent>

namespace {

// To a screen reader the picture is a button that it can press: the mouse is not the only
// way to reach what it does, since it takes no focus.
class AccessibleClickableImage final : public QAccessibleWidget
{
public:
    explicit AccessibleClickableImage(ClickableImage *image)
        : QAccessibleWidget(image, QAccessible::Button)
    {
    }

    QStringList actionNames() const override { return {pressAction()}; }

    void doAction(const QString &actionName) override
    {
        if (actionName == pressAction() && widget()->isVisible() && widget()->isEnabled())
            emit static_cast<ClickableImage *>(widget())->clicked();
    }
};

} // namespace

ClickableImage::ClickableImage(QWidget *parent)
    : QLabel(parent)
{
    installAccessibleFactory<ClickableImage, AccessibleClickableImage>();
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
