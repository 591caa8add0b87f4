// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The page's character set: values typed as Unicode are written in Windows-1252.

#include <string>
#include <string_view>

namespace pomerel {

// Appends the UTF-8 text to out in Windows-1252. A character Windows-1252 cannot hold is
// written as a decimal HTML character reference ("ł" as "&#322;"), so nothing typed is lost.
// Each byte that is not part of a well-formed UTF-8 sequence becomes "&#65533;", the
// replacement character: bad input shows up in the page instead of breaking it.
void appendWindows1252(std::string &out, std::string_view utf8);

} // namespace pomerel
