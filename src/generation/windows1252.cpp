#include "generation/windows1252.h"

#include <array>
#include <cstdint>
#include <optional>

namespace pomerel {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

// The characters Windows-1252 places at 0x80 to 0x9F; 0 where the code page leaves a hole.
constexpr std::array<char32_t, 32> kHighControls = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

std::optional<unsigned char> windows1252Byte(char32_t character)
{
    if (character < 0x80 || (character >= 0xA0 && character <= 0xFF))
        return static_cast<unsigned char>(character);
    for (std::size_t index = 0; index < kHighControls.size(); ++index) {
        if (kHighControls[index] == character && character != 0)
            return static_cast<unsigned char>(0x80 + index);
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
        std::size_t end = position;
        while (end < utf8.size() && static_cast<unsigned char>(utf8[end]) < 0x80)
            ++end;
        out.append(utf8, position, end - position);
        position = end;
        if (position == utf8.size())
            break;
        const Decoded decoded = decodeOne(utf8.substr(position));
        position += decoded.length;
        if (const auto single = windows1252Byte(decoded.character))
            out += static_cast<char>(*single);
        else
            appendReference(out, decoded.character);
    }
}

} // namespace pomerel
