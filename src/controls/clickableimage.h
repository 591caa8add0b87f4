// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QLabel>

// A picture that reacts to a click, drawn on its window's surface. It shows its picture at
// its own size, or stretched over its whole area when setScaledContents(true).
class ClickableImage : public QLabel
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ClickableImage)

public:
    explicit ClickableImage(QWidget *parent = nullptr);

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    bool m_pressed = false;
};
