// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QCursor>
#include <QIcon>
#include <QImage>
#include <QPixmap>

// The main window's pictures, drawn by tools/ into images/ and compiled into the program from
// assets.qrc; each is decoded when asked for. Windows take every such picture from here.
namespace Assets {

QImage mainBackground(); // 800 x 600, opaque, the main window's background
QPixmap helpGlyph();     // 16 x 16, the main window's help picture

// The grey triangle pointer, its hot spot at the tip: 32 px, or 16 px where the platform's
// pointers are small.
QCursor pointerCursor();

QIcon programIcon(); // 32 x 32 and 64 x 64

// Makes the pictures, the help window's under ":/help/" too, available to whatever loads them
// by name; later calls do nothing. The functions above call it themselves.
void registerPictures();

} // namespace Assets
