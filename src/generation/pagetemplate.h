// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Filling the page template with the CV's values.

#include "generation/fields.h"

#include <string_view>

namespace pomerel {

// Fills depart/brt.ggg into oa + "CV.html". The template's bytes stay as they are, in
// Windows-1252. Lines end at CR LF or at a lone CR (a lone LF belongs to its line) and each
// line is written with CR LF after it. Each "*" takes the next value, converted from UTF-8;
// a 28th "*" is error 9. The page replaces an earlier one only once complete: a failure
// leaves it as it was. Throws pomerel::Error.
void fillTemplate(std::string_view depart, std::string_view oa, const CvFields &cvFields);

} // namespace pomerel
