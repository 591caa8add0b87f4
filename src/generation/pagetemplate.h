// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Filling the page template with the CV's values.

#include "generation/fields.h"

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace pomerel {

// The page's bytes for a template's bytes, both in Windows-1252. Lines end at CR LF or at a
// lone CR (a lone LF belongs to its line) and each line is written with CR LF after it. Each
// "*" takes the next value, converted from UTF-8; a 28th "*" is error 9.
std::string fillTemplateText(std::string_view templateBytes, const CvFields &cvFields);

// The blocks fillTemplate writes are made from about this many bytes of template and values.
inline constexpr std::size_t kPageBlockBytes = 1 << 18;

// Takes one block of the page.
using BlockConsumer = std::function<void(std::string &block)>;

// The same bytes as fillTemplateText, handed to consume in blocks in their order, so that a
// page of any length takes only a few blocks of memory. The blocks are made on two threads,
// and consume is called on either, never on both at once.
void fillTemplateInBlocks(std::string_view templateBytes, const CvFields &cvFields,
                          const BlockConsumer &consume);

// Fills depart/brt.ggg into oa + "CV.html", written in Windows-1252. The page replaces an
// earlier one only once complete: a failure leaves it as it was. Throws pomerel::Error.
void fillTemplate(std::string_view depart, std::string_view oa, const CvFields &cvFields);

} // namespace pomerel
