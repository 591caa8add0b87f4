// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QStyledItemDelegate>

// Draws the rows of the folder and file lists as the classic lists do: each as wide as the
// list, so that a long name is cut short with "…" instead of bringing a horizontal scroll
// bar, and shifted right by its depth when the rows carry one.
class ListRowDelegate : public QStyledItemDelegate
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ListRowDelegate)

public:
    // depthRole: the item data role holding each row's depth, or -1 when rows have none.
    explicit ListRowDelegate(int depthRole, QObject *parent = nullptr);

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;

    static constexpr int kIndentPerLevel = 8;

private:
    int m_depthRole = -1;
};
