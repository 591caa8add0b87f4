// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QColor>
#include <QPushButton>

// The main window's graphical buttons: the face colour fills the whole button inside a raised
// two-pixel edge, which turns black on the bottom and right while the button has the focus and
// sinks, moving the caption down and right, while it is pressed.
class FaceButton : public QPushButton
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(FaceButton)

public:
    explicit FaceButton(QWidget *parent = nullptr);

    // The face colour a button starts with.
    static QColor standardFace() { return {0, 192, 192}; }

    QColor face() const { return m_face; }
    void setFace(const QColor &face);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QColor m_face = standardFace();
};
