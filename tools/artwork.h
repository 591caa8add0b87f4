// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QFont>
#include <QImage>
#include <QRgb>

// Every picture of the program, drawn with QPainter. draw_assets writes them out.
namespace Artwork {

// The faces the pictures' texts are set in.
struct Fonts
{
    QFont title;    // the elegant italic of the main title
    QFont label;    // the tabs' bold sans serif
    QFont monogram; // the emblem's bold serif
};

// The colours shared by the main window's background and the page's pictures.
namespace Colours {
constexpr QRgb bandTop = qRgb(0, 74, 84);
constexpr QRgb bandBottom = qRgb(0, 56, 64);
constexpr QRgb wave = qRgb(150, 220, 225);
constexpr QRgb field = qRgb(165, 231, 231);
constexpr QRgb frame = qRgb(0, 56, 64);
constexpr QRgb teal = qRgb(0, 128, 128);
constexpr QRgb titleLight = qRgb(222, 242, 255);
constexpr QRgb titleDeep = qRgb(128, 194, 244);
constexpr QRgb tabTop = qRgb(134, 172, 176);
constexpr QRgb tabBottom = qRgb(96, 138, 144);
} // namespace Colours

// The main window's pictures.
QImage mainBackground(const Fonts &fonts);        // 800 x 600
QImage helpGlyph();                               // 16 x 16, sixteen colours
QImage pointer(int size);                         // size x size, the tip at PointerShape::hotSpot()
QImage programIcon(int size, const Fonts &fonts); // sixteen colours up to 32 px, true colour above

// The pictures shipped beside the program for the page.
QImage defaultPhoto();  // 200 x 250, used when no photo is chosen
QImage pageBand();      // 1200 x 140, behind the page's name band
QImage headingMarker(); // 16 x 16 with a transparent ground, before section headings

// Shared drawing steps.
QImage blurred(const QImage &image, int radius);
QImage fromPixelArt(const char *const rows[], int height, const char *keys, const QRgb *colours);

} // namespace Artwork
