// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "controls/accessiblefactory.h"

#include <QAccessibleWidget>

// A window made of a plain widget reaches a screen reader as a "filler" (Qt's client role).
class AccessibleWindow final : public QAccessibleWidget
{
public:
    explicit AccessibleWindow(QWidget *window)
        : QAccessibleWidget(window, QAccessible::Window)
    {
    }
};

// Called from a window's constructor, this has every window of its class announced as a
// window, under its title, its controls keeping their own names.
template<typename Window> void announceAsWindow()
{
    installAccessibleFactory<Window, AccessibleWindow>();
}
