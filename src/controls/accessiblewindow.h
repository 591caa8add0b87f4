// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QAccessibleWidget>

// A window made of a plain widget reaches a screen reader as a "filler" (Qt's client role).
// Called from a window's constructor, this has every window of its class announced as a
// window, under its title, its controls keeping their own names.
template<typename Window> void announceAsWindow()
{
    static const bool factoryInstalled = [] {
        QAccessible::installFactory([](const QString &className,
                                       QObject *object) -> QAccessibleInterface * {
            if (className == QLatin1String(Window::staticMetaObject.className()) &&
                object->isWidgetType())
                return new QAccessibleWidget(static_cast<QWidget *>(object), QAccessible::Window);
            return nullptr;
        });
        return true;
    }();
    Q_UNUSED(factoryInstalled);
}
