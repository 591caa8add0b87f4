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
constexpr std::optional<unsigned char> windows1252Byte(char32_t character)
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

// A decimal character reference is at most "&#1114111;"; a bad byte gives "&#65533;".
constexpr std::size_t kMaxReference = 10;

// Writes "&#N;" at out and returns the end.
constexpr char *writeReference(char *out, char32_t character)
{
    std::array<char, 8> digits{};
    std::size_t count = 0;
    do {
        digits[count++] = static_cast<char>('0' + character % 10);
        character /= 10;
    } while (character != 0);
    *out++ = '&';
    *out++ = '#';
    while (count > 0)
        *out++ = digits[--count];
    *out++ = ';';
    return out;
}

// What a character is written as: one byte, or its reference.
struct Output
{
    unsigned char size;
    std::array<char, 7> bytes;
};

// The outputs of the Count characters from first on, looked up instead of reckoned for the
// characters most text holds.
template<std::size_t Count> constexpr std::array<Output, Count> makeOutputs(char32_t first)
{
    std::array<Output, Count> outputs{};
    for (std::size_t i = 0; i < Count; ++i) {
        const char32_t character = first + static_cast<char32_t>(i);
        Output &output = outputs[i];
        if (const auto single = windows1252Byte(character)) {
            output.size = 1;
            output.bytes[0] = static_cast<char>(*single);
        } else {
            output.size = static_cast<unsigned char>(
                writeReference(output.bytes.data(), character) - output.bytes.data());
        }
    }
    return outputs;
}

// Every two-byte sequence (up to U+07FF: Latin-1 and the accented letters of most European
// languages), and the three-byte ones of U+2000 to U+213F (dashes, typographic quotes and
// apostrophe, the ellipsis, the euro and trade mark signs).
constexpr auto kTwoByteOutputs = makeOutputs<0x800>(0);
constexpr auto kPunctuationOutputs = makeOutputs<0x140>(0x2000);

// Writes the output at out with one fixed-size copy.
void write(const Output &output, char *&out)
{
    std::memcpy(out, output.bytes.data(), output.bytes.size());
    out += output.size;
}

struct Decoded
{
    char32_t character;
    std::size_t length; // bytes used; 1 for a bad byte
};

constexpr bool isContinuation(unsigned char byte)
{
    return (byte & 0xC0) == 0x80;
}

// Decodes the sequence that starts at text[0] (not ASCII), refusing overlong forms,
// surrogates and values above U+10FFFF as the Unicode standard requires.
Decoded decodeOne(const unsigned char *text, std::size_t available)
{
    const unsigned char lead = text[0];
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
    if (available < length || text[1] < low || text[1] > high)
        return {kReplacement, 1};
    for (std::size_t i = 1; i < length; ++i) {
        if (!isContinuation(text[i]))
            return {kReplacement, 1};
        value = (value << 6) | (text[i] & 0x3Fu);
    }
    return {value, length};
}

// Whether the character at in (not ASCII) is a two-byte sequence, which is all of Latin-1 and
// the accented letters of most European languages.
bool isTwoByteSequence(const unsigned char *in, const unsigned char *end)
{
    return in[0] >= 0xC2 && in[0] <= 0xDF && end - in >= 2 && isContinuation(in[1]);
}

// Writes the two-byte sequence at in.
void convertTwoBytes(const unsigned char *in, char *&out)
{
    write(kTwoByteOutputs[((in[0] & 0x1Fu) << 6) | (in[1] & 0x3Fu)], out);
}

// Whether the three bytes at in (all there) are a character of U+2000 to U+213F.
bool isPunctuation(const unsigned char *in)
{
    return in[0] == 0xE2 && in[1] >= 0x80 && in[1] <= 0x84 && isContinuation(in[2]);
}

void convertPunctuation(const unsigned char *in, char *&out)
{
    write(kPunctuationOutputs[((in[1] & 0x3Fu) << 6) | (in[2] & 0x3Fu)], out);
}

// Converts the character that starts at in (not ASCII), writing at out; returns where the next
// one starts and moves out past what it wrote.
const unsigned char *convertCharacter(const unsigned char *in, const unsigned char *end, char *&out)
{
    if (isTwoByteSequence(in, end)) {
        convertTwoBytes(in, out);
        return in + 2;
    }
    const Decoded decoded = decodeOne(in, static_cast<std::size_t>(end - in));
    if (const auto single = windows1252Byte(decoded.character))
        *out++ = static_cast<char>(*single);
    else
        out = writeReference(out, decoded.character);
    return in + decoded.length;
}

// Text is converted in chunks of 64 bytes, each with a mask of its bytes that are not ASCII:
// the ASCII between two accents goes in one or two fixed-size copies, and the accents are
// found without a branch per byte.
constexpr std::size_t kChunkBytes = 64;
// A chunk reads (and copies) up to a chunk past its start, and its last character three bytes
// further.
constexpr std::size_t kChunkReach = 2 * kChunkBytes;

// Bit i set when in[i] is not ASCII, for i below 64.
std::uint64_t nonAsciiMask(const unsigned char *in)
{
    std::uint64_t mask = 0;
    if constexpr (std::endian::native == std::endian::little) {
        for (std::size_t i = 0; i < kChunkBytes; i += sizeof(std::uint64_t)) {
            std::uint64_t word;
            std::memcpy(&word, in + i, sizeof word);
            // Each byte's high bit moved to bit 56 and its place, then down to the bottom.
            mask |= (((word & 0x8080808080808080u) * 0x0002040810204081u) >> 56) << i;
        }
    } else {
        for (std::size_t i = 0; i < kChunkBytes; ++i)
            mask |= static_cast<std::uint64_t>(in[i] >> 7) << i;
    }
    return mask;
}

// Copies the ASCII bytes from in up to stop (at most a chunk apart), writing up to a chunk at
// out whatever their number.
void copyAscii(const unsigned char *in, const unsigned char *stop, char *&out)
{
    const auto count = static_cast<std::size_t>(stop - in);
    std::memcpy(out, in, kChunkBytes / 2);
    if (count > kChunkBytes / 2)
        std::memcpy(out + kChunkBytes / 2, in + kChunkBytes / 2, kChunkBytes / 2);
    out += count;
}

// Converts the chunk at in, which has kChunkReach bytes after it; returns where the next
// character starts (the last may run past the chunk).
const unsigned char *convertChunk(const unsigned char *in, const unsigned char *end, char *&out)
{
    const unsigned char *const chunkEnd = in + kChunkBytes;
    std::uint64_t nonAscii = nonAsciiMask(in);
    const unsigned char *const start = in;
    while (nonAscii != 0) {
        const unsigned char *const next = start + std::countr_zero(nonAscii);
        copyAscii(in, next, out);
        // A character's bytes are the lowest bits of the mask; clearing them without reckoning
        // from the pointer keeps the loop's chain of dependencies short.
        if (isTwoByteSequence(next, end)) {
            convertTwoBytes(next, out);
            in = next + 2;
            nonAscii &= nonAscii - 1;
            nonAscii &= nonAscii - 1;
        } else if (isPunctuation(next)) {
            convertPunctuation(next, out);
            in = next + 3;
            nonAscii &= nonAscii - 1;
            nonAscii &= nonAscii - 1;
            nonAscii &= nonAscii - 1;
        } else {
            in = convertCharacter(next, end, out);
            const auto done = static_cast<std::size_t>(in - start);
            nonAscii = done >= kChunkBytes ? 0 : nonAscii & (~std::uint64_t{0} << done);
        }
    }
    if (in < chunkEnd) {
        copyAscii(in, chunkEnd, out);
        in = chunkEnd;
    }
    return in;
}

// Input bytes converted per block. Each gives at most kMaxReference output bytes; a block
// may run a chunk and a character past its end, and a copy writes up to a chunk further.
constexpr std::size_t kBlockBytes = 1024;
constexpr std::size_t kBlockRoom = (kBlockBytes + kChunkBytes + 4) * kMaxReference + kChunkBytes;

// Converts from in until blockEnd into out (a character may run past blockEnd, never past
// end); returns where it stopped and moves out to the end of what it wrote.
const unsigned char *convertBlock(const unsigned char *in, const unsigned char *blockEnd,
                                  const unsigned char *end, char *&out)
{
    while (in < blockEnd) {
        if (static_cast<std::size_t>(end - in) >= kChunkReach) {
            in = convertChunk(in, end, out);
        } else if (*in < 0x80) {
            // The last bytes of the text, one by one.
            *out++ = static_cast<char>(*in++);
        } else {
            in = convertCharacter(in, end, out);
        }
    }
    return in;
}

} // namespace

void appendWindows1252(std::string &out, std::string_view utf8)
{
    // Converted block by block into a buffer on the stack, each block appended in one piece.
    std::array<char, kBlockRoom> buffer;
    const auto *in = reinterpret_cast<const unsigned char *>(utf8.data());
    const unsigned char *const end = in + utf8.size();
    while (in < end) {
        char *written = buffer.data();
        const auto left = static_cast<std::size_t>(end - in);
        in = convertBlock(in, in + std::min(left, kBlockBytes), end, written);
        out.append(buffer.data(), static_cast<std::size_t>(written - buffer.data()));
    }
}

std::size_t characterBoundary(std::string_view utf8, std::size_t limit)
{
    // A sequence is a lead byte and at most three continuation bytes. When the four bytes up
    // to limit are all continuation bytes, no sequence reaches across limit.
    const auto continues = [&](std::size_t i) {
        return isContinuation(static_cast<unsigned char>(utf8[i]));
    };
    for (std::size_t cut = limit; cut > 0 && cut + 3 >= limit; --cut) {
        if (!continues(cut))
            return cut;
    }
    return limit;
}

} // namespace pomerel
