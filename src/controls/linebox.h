// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QLineEdit>

class ParentFontAsDefault;

// A one-line box that stays quick to type in however long its text grows. Qt's line edit
// lays out and draws its whole text on every key, and measures it again on every paint; of a
// text of a million characters the box shows a few dozen. Past kLongText characters this box
// skips the kerning of scripts that need no shaping and paints only the part it shows, in the
// same place and the same way. Shorter texts look and behave exactly as in a line edit.
class LineBox : public QLineEdit
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(LineBox)

public:
    static constexpr qsizetype kLongText = 10000;

    // Made with the parent's font as the application's (see ParentFontAsDefault).
    explicit LineBox(QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    LineBox(QWidget *parent, const ParentFontAsDefault &);
    void followLength();
    bool paintsVisiblePartOnly() const;

    bool m_mayReorder = false;
};
