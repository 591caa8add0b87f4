// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Byte tests and changes shared by the core's handling of UTF-8 text.

namespace pomerel {

// The ASCII letter in lower case; every other byte, those of accented letters included, as it
// is.
constexpr char lowerAscii(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// Whether the byte continues a UTF-8 sequence instead of starting a character.
constexpr bool isUtf8Continuation(char c)
{
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

} // namespace pomerel
