// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QEvent>
#include <QItemSelection>
#include <QMetaObject>
#include <QScopedValueRollback>

// A list that tells a row selected by its own input handling, or while it fills itself, from
// a row selected from outside: by an assistive tool's action on the row, whose only action is
// to select it. The pick is taken once the tool's call has returned, since a handler may open
// a box.
template<typename View> class PickableList : public View
{
public:
    using View::View;

protected:
    // What a row selected from outside does.
    virtual void takePick() = 0;

    bool event(QEvent *event) override
    {
        const QScopedValueRollback own(m_ownSelection, true);
        return View::event(event);
    }
    bool viewportEvent(QEvent *event) override
    {
        const QScopedValueRollback own(m_ownSelection, true);
        return View::viewportEvent(event);
    }
    void selectionChanged(const QItemSelection &selected, const QItemSelection &deselected) override
    {
        View::selectionChanged(selected, deselected);
        if (!m_ownSelection && !selected.isEmpty())
            QMetaObject::invokeMethod(
                this, [this] { takePick(); }, Qt::QueuedConnection);
    }

    bool m_ownSelection = false; // set while the list handles its input or fills itself
};
