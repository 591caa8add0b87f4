// SPDX-License-Identifier: GPL-3.0-or-later

#include "controls/parentfontasdefault.h"

#include <QGuiApplication>
#include <QWidget>

// The application's font lives in Qt's private side: setting it through QApplication would
// tell every window, and keep it from following the desktop's settings afterwards.
#include <QtGui/private/qguiapplication_p.h>

ParentFontAsDefault::ParentFontAsDefault(const QWidget *parent)
{
    QGuiApplication::font(); // makes sure Qt holds the application's font
    if (parent && QGuiApplicationPrivate::app_font) {
        m_saved = *QGuiApplicationPrivate::app_font;
        // Underlined or not, a font has the same face. A widget made while the application's
        // font differs from its parent's takes its parent's with the very steps it always does.
        QFont standIn = parent->font();
        standIn.setUnderline(!standIn.underline());
        *QGuiApplicationPrivate::app_font = standIn;
    }
}

ParentFontAsDefault::~ParentFontAsDefault()
{
    if (m_saved)
        *QGuiApplicationPrivate::app_font = *m_saved;
}
