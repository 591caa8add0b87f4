// SPDX-License-Identifier: GPL-3.0-or-later

#include "generation/windows1252.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
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

// The same as direct lookup tables over the two blocks of Unicode those characters lie in,
// so that text full of typographic quotes and dashes costs no search.
struct Block
{
    static constexpr std::size_t kSize = 0x1A0;
    char32_t first;
    std::array<unsigned char, kSize> bytes; // 0 where the code page has no such character
};

constexpr Block makeBlock(char32_t first)
{
    Block block{first, {}};
    for (const Mapping &mapping : kTypographic) {
        if (mapping.character >= first && mapping.character - first < Block::kSize)
            block.bytes[mapping.character - first] = mapping.byte;
    }
    return block;
}

constexpr std::array<Block, 2> kBlocks{makeBlock(0x0150), makeBlock(0x2010)};

constexpr bool coversEveryMapping()
{
    std::size_t covered = 0;
    for (const Block &block : kBlocks) {
        for (const unsigned char byte : block.bytes)
            covered += byte != 0 ? 1 : 0;
    }
    return covered == kTypographic.size();
}
static_assert(coversEveryMapping());

// The code page's own byte for a character, if it has one: ASCII and Latin-1 stand for
// themselves; five bytes of 0x80 to 0x9F are unassigned.
std::optional<unsigned char> windows1252Byte(char32_t character)
{
    if (character < 0x80 || (character >= 0xA0 && character <= 0xFF))
        return static_cast<unsigned char>(character);
    for (const Block &block : kBlocks) {
        const char32_t offset = character - block.first; // wraps round below the block
        if (offset < Block::kSize && block.bytes[offset] != 0)
            return block.bytes[offset];
    }
    return std::nullopt;
}

struct Decoded
{
    char32_t character;
    std::size_t length; // bytes used; 1 for a bad byte
};

bool isContinuation(unsigned char byte)
{
    return (byte & 0xC0) == 0x80;
}

// Decodes the sequence that starts at text[0] (not ASCII), refusing overlong forms,
// surrogates and values above U+10FFFF as the Unicode standard requires.
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
        if (!isContinuation(byte(i)))
            return {kReplacement, 1};
        value = (value << 6) | (byte(i) & 0x3Fu);
    }
    return {value, length};
}

// The end of the run of ASCII bytes that starts at position, eight bytes at a time.
std::size_t asciiRunEnd(std::string_view text, std::size_t position)
{
    constexpr std::uint64_t highBits = 0x8080808080808080u;
    while (text.size() - position >= sizeof(std::uint64_t)) {
        std::uint64_t word;
        std::memcpy(&word, text.data() + position, sizeof word);
        if (const std::uint64_t high = word & highBits) {
            if constexpr (std::endian::native == std::endian::little)
                return position + static_cast<std::size_t>(std::countr_zero(high)) / 8;
            break;
        }
        position += sizeof word;
    }
    while (position < text.size() && static_cast<unsigned char>(text[position]) < 0x80)
        ++position;
    return position;
}

void appendReference(std::string &out, char32_t character)
{
    out += "&#";
    out += std::to_string(static_cast<std::uint32_t>(character));
    out += ';';
}

} // namespace

void appendWindows1252(std::string &out, std::string_view utf8)
{
    std::size_t position = 0;
    while (position < utf8.size()) {
        // Most text is ASCII: copy each run of it in one go.
        const std::size_t end = asciiRunEnd(utf8, position);
        out.append(utf8, position, end - position);
        position = end;
        if (position == utf8.size())
            break;
        // Latin-1 letters (é, à, ç...) are two-byte sequences that map straight to one byte.
        const auto lead = static_cast<unsigned char>(utf8[position]);
        if ((lead == 0xC2 || lead == 0xC3) && position + 1 < utf8.size()) {
            const auto next = static_cast<unsigned char>(utf8[position + 1]);
            if (isContinuation(next) && (lead == 0xC3 || next >= 0xA0)) {
                out += static_cast<char>(((lead & 0x03u) << 6) | (next & 0x3Fu));
                position += 2;
                continue;
            }
        }
        const Decoded decoded = decodeOne(utf8.substr(position));
        position += decoded.length;
        if (const auto single = windows1252Byte(decoded.character))
            out += static_cast<char>(*single);
        else
            appendReference(out, decoded.character);
    }
}

} // namespace pomerel
