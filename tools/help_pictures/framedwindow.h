// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QImage>

class QWidget;

// A screenshot of a shown top-level window's client area inside a plain window frame with a
// title bar that carries the window's icon and caption, as the user sees the whole window.
QImage framedWindow(QWidget &window);
