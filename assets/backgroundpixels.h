// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>

// The main window's background, decoded when the program is built (see
// build_tools/pixelsource.cpp): RGB32 pixels, row after row, in the program's read-only data.
namespace BackgroundPixels {
extern const int width;
extern const int height;
extern const std::uint32_t pixels[];
} // namespace BackgroundPixels
