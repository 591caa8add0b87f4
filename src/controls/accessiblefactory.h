// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QAccessible>
#include <QLatin1String>

// Has screen readers meet every Widget (a QWidget with Q_OBJECT) through an Interface made
// from it, a QAccessibleInterface constructed from a Widget *. The factory is installed on the
// first call for each Widget; later calls do nothing.
template<typename Widget, typename Interface> void installAccessibleFactory()
{
    static const bool installed = [] {
        QAccessible::installFactory(
            [](const QString &className, QObject *object) -> QAccessibleInterface * {
                if (className == QLatin1String(Widget::staticMetaObject.className()) &&
                    object->isWidgetType())
                    return new Interface(static_cast<Widget *>(object));
                return nullptr;
            });
        return true;
    }();
    Q_UNUSED(installed);
}
