// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>

// The main window's pictures (images/), decoded while the program is built (generators/):
// their pixels in premultiplied ARGB32, row after row, in the program's read-only data.
namespace AssetPixels {
extern const std::uint32_t background[800 * 600]; // opaque
extern const std::uint32_t helpGlyph[16 * 16];
extern const std::uint32_t pointer16[16 * 16];
extern const std::uint32_t pointer32[32 * 32];
extern const std::uint32_t icon32[32 * 32];
extern const std::uint32_t icon64[64 * 64];
} // namespace AssetPixels
