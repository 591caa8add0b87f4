// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>

// The main window's background, decoded while the program is built (generators/): its RGB32
// pixels, row after row, in the program's read-only data.
namespace BackgroundPixels {
constexpr int width = 800;
constexpr int height = 600;
extern const std::uint32_t pixels[width * height];
} // namespace BackgroundPixels
