// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QImage>

// The folder list's small yellow folders, drawn here so that they look the same with every
// style and theme: open ones for the folders of the current path, closed ones for the rest.
// Drawn on a 16 x 16 grid at the size asked for, in premultiplied ARGB32.
namespace FolderPictures {

QImage open(int size);
QImage closed(int size);

} // namespace FolderPictures
