// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QLabel>

// A help text area. Its caption holds its lines separated by carriage returns, the way the
// help texts are written, and text() returns that caption exactly as it was set. The label
// draws one line per part from its top left corner, wraps a line longer than its width at
// word boundaries and cuts off what does not fit in its height. (A plain QLabel would draw
// each carriage return as a blank, so the conversion to line breaks happens here, at drawing
// time only.)
class CaptionLabel : public QLabel
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CaptionLabel)

public:
    explicit CaptionLabel(QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;
};
