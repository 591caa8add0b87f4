// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QIcon>

// The folder list's small yellow folders, the same with every style and theme: open ones for
// the folders of the current path, closed ones for the rest. They are drawn while the program
// is built (generators/folderpictures.cpp), at 16 and 32 px.
class FolderIcons
{
public:
    FolderIcons() = delete;

    static QIcon open();
    static QIcon closed();
};
