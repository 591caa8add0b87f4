// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>

// The folder list's pictures, drawn while the program is built (generators/folderpictures.cpp):
// premultiplied ARGB32 pixels, row after row, in the program's read-only data.
namespace FolderPixels {
extern const std::uint32_t open16[16 * 16];
extern const std::uint32_t open32[32 * 32];
extern const std::uint32_t closed16[16 * 16];
extern const std::uint32_t closed32[32 * 32];
} // namespace FolderPixels
