// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QPlainTextEdit>

class ParentFontAsDefault;

// The main window's boxes for the five free-text sections: plain text editors, made with their
// parent's font as the application's so that they load no face the window does not show.
class SectionEdit : public QPlainTextEdit
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(SectionEdit)

public:
    explicit SectionEdit(QWidget *parent = nullptr);

private:
    SectionEdit(QWidget *parent, const ParentFontAsDefault &);
};
