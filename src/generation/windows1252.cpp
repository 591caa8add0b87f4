// SPDX-License-Identifier: GPL-3.0-or-later

#include "generation/windows1252.h"

#include "generation/characters.h"

#include <algorithm>
#include <array>
#include <optional>

namespace pomerel {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

struct Mapping
{
    char32_t character;
    unsigned char byte;
};

// The typographic characters the code page keeps at 0x80 to 0x9F, in character order.
constexpr std::array<Mapping, 27> kTypographic{{
    {0x0152, 0x8C}, {0x0153, 0x9C}, {0x0160, 0x8A}, {0x0161, 0x9A}, {0x0178, 0x9F}, {0x017D, 0x8E},
    {0x017E, 0x9E}, {0x0192, 0x83}, {0x02C6, 0x88}, {0x02DC, 0x98}, {0x2013, 0x96}, {0x2014, 0x97},
    {0x2018, 0x91}, {0x2019, 0x92}, {0x201A, 0x82}, {0x201C, 0x93}, {0x201D, 0x94}, {0x201E, 0x84},
    {0x2020, 0x86}, {0x2021, 0x87}, {0x2022, 0x95}, {0x2026, 0x85}, {0x2030, 0x89}, {0x2039, 0x8B},
    {0x203A, 0x9B}, {0x20AC, 0x80}, {0x2122, 0x99},
}};

// The code page's own byte for a character, if it has one: ASCII and Latin-1 stand for
// themselves; five bytes of 0x80 to 0x9F are unassigned.
std::optional<unsigned char> windows1252Byte(char32_t character)
{
    if (character < 0x80 || (character >= 0xA0 && character <= 0xFF))
        return static_cast<unsigned char>(character);
    const auto *found = std::lower_bound(
        kTypographic.begin(), kTypographic.end(), character,
        [](const Mapping &mapping, char32_t wanted) { return mapping.character < wanted; });
    if (found != kTypographic.end() && found->character == character)
        return found->byte;
    return std::nullopt;
}

struct Decoded
{
    char32_t character;
    std::size_t length; // bytes used; 1 for a bad byte
};

// Decodes the sequence that starts text (not ASCII), refusing overlong forms, surrogates and
// values above U+10FFFF as the Unicode standard requires.
Decoded decodeOne(std::string_view text)
{
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(0);
    std::size_t length = 0;
    char32_t value = 0;
    unsigned char low = 0x80; // allowed range of the second byte
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        value = lead & 0x1Fu;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        value = lead & 0x0Fu;
        if (lead == 0xE0)
            low = 0xA0;
        else if (lead == 0xED)
            high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        value = lead & 0x07u;
        if (lead == 0xF0)
            low = 0x90;
        else if (lead == 0xF4)
            high = 0x8F;
    } else {
        return {kReplacement, 1};
    }
    if (text.size() < length || byte(1) < low || byte(1) > high)
        return {kReplacement, 1};
    for (std::size_t i = 1; i < length; ++i) {
        if (!isUtf8Continuation(text[i]))
            return {kReplacement, 1};
        value = (value << 6) | (byte(i) & 0x3Fu);
    }
    return {value, length};
}

} // namespace

void appendWindows1252(std::string &out, std::string_view utf8)
{
    while (!utf8.empty()) {
        // ASCII, most of any text, goes as it is, a run at a time.
        const auto run = static_cast<std::size_t>(
            std::find_if(utf8.begin(), utf8.end(), [](char c) { return (c & 0x80) != 0; }) -
            utf8.begin());
        out.append(utf8.substr(0, run));
        utf8.remove_prefix(run);
        if (utf8.empty())
            break;
        const Decoded decoded = decodeOne(utf8);
        if (const auto single = windows1252Byte(decoded.character)) {
            out += static_cast<char>(*single);
        } else {
            out += "&#";
            out += std::to_string(static_cast<unsigned long>(decoded.character));
            out += ';';
        }
        utf8.remove_prefix(decoded.length);
    }
}

} // namespace pomerel
