// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QAbstractListModel>
#include <QStringList>

// The names a file list shows, one row each, and nothing else: no icons, no file details, so
// that a hundred thousand rows cost little more than their names.
class FileListModel : public QAbstractListModel
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(FileListModel)

public:
    explicit FileListModel(QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

    const QStringList &names() const { return m_names; }
    void setNames(QStringList names);

private:
    QStringList m_names;
};
