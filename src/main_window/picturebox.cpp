#include "main_window/picturebox.h"

#include <QAccessibleWidget>
#include <QPainter>

namespace {

// A screen reader meets the box as the picture it shows, not as a frame.
QAccessibleInterface *accessiblePictureBox(const QString &className, QObject *object)
{
    if (className == QLatin1String(PictureBox::staticMetaObject.className()) &&
        object->isWidgetType())
        return new QAccessibleWidget(static_cast<QWidget *>(object), QAccessible::Graphic);
    return nullptr;
}

} // namespace

PictureBox::PictureBox(QWidget *parent)
    : QFrame(parent)
{
    static const bool factoryInstalled = [] {
        QAccessible::installFactory(accessiblePictureBox);
        return true;
    }();
    Q_UNUSED(factoryInstalled);
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
