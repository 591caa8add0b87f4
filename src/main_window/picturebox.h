// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QFrame>
#include <QPixmap>

// The classic picture box: a sunken frame showing a picture at its own size from the top-left
// corner of its inner area, cut off at the edges, never scaled or centred.
class PictureBox : public QFrame
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(PictureBox)

public:
    explicit PictureBox(QWidget *parent = nullptr);

    QPixmap picture() const { return m_picture; }
    void setPicture(const QPixmap &picture);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QPixmap m_picture;
};
