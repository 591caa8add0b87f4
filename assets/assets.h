// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QCursor>
#include <QIcon>
#include <QImage>
#include <QPixmap>

// The windows' pictures, compiled into the program from assets.qrc and, for the main
// window's background, as pixels. Windows take every
// picture from here, never from a resource path of their own.
namespace Assets {

// Registers the compiled-in pictures; the library is static, so its resources need an
// explicit start. Every function below calls it, and calling it again does nothing.
void initialize();

// 800 x 600, the main window's background, decoded when the program was built: the image
// shares the program's read-only copy of the pixels.
QImage mainBackground();
// Starts decoding the small pictures the main window shows at first (the help picture, the
// pointer and the program's icon) on a worker thread, so that the window finds them ready
// while the rest of start-up goes on. Called before the window is made; each picture is
// taken from the worker once, and decoded again if asked for later.
void prefetchStartPictures();
QPixmap helpGlyph(); // 16 x 16, the main window's help picture

// The grey triangle pointer, its hot spot at the tip: 32 px, or 16 px where the platform's
// pointers are small.
QCursor pointerCursor();

QIcon programIcon(); // 32 x 32 and 64 x 64

} // namespace Assets
