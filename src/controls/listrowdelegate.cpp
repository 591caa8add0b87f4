// SPDX-License-Identifier: GPL-3.0-or-later

#include "controls/listrowdelegate.h"

ListRowDelegate::ListRowDelegate(int depthRole, QObject *parent)
    : QStyledItemDelegate(parent)
    , m_depthRole(depthRole)
{
}

void ListRowDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                            const QModelIndex &index) const
{
    QStyleOptionViewItem shifted(option);
    if (m_depthRole >= 0)
        shifted.rect.setLeft(option.rect.left() +
                             index.data(m_depthRole).toInt() * kIndentPerLevel);
    QStyledItemDelegate::paint(painter, shifted, index);
}

// Asking for no width lets the list give each row its own full width.
QSize ListRowDelegate::sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    return {1, QStyledItemDelegate::sizeHint(option, index).height()};
}
