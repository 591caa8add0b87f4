// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QIcon>

// The folder list's small yellow folders, drawn here so that they look the same with every
// style and theme: open ones for the folders of the current path, closed ones for the rest.
// Each is drawn once, at 16 and 32 px, for every list.
class FolderIcons
{
public:
    FolderIcons() = delete;

    static QIcon open();
    static QIcon closed();
};
