// SPDX-License-Identifier: GPL-3.0-or-later

#include "generation/windows1252.h"
#include "test_support.h"

#include <gtest/gtest.h>

namespace {

struct EncodingCase
{
    std::string name;
    std::string utf8;
    std::string expected; // Windows-1252 bytes
};

class Windows1252Output : public testing::TestWithParam<EncodingCase>
{
};

TEST_P(Windows1252Output, WritesWhatTheCodePageHoldsAndReferencesTheRest)
{
    std::string out = "avant|";
    pomerel::appendWindows1252(out, GetParam().utf8);
    EXPECT_EQ(out, "avant|" + GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Windows1252Output,
    testing::Values(
        EncodingCase{"Empty", "", ""},
        EncodingCase{"Ascii", "Jean <b>&</b> *\r\n", "Jean <b>&</b> *\r\n"},
        EncodingCase{"Latin1", "Léa Ève Ça ÿ",
                     "L\xE9"
                     "a \xC8ve \xC7"
                     "a \xFF"},
        EncodingCase{"NoBreakSpaceAndSection", "\u00A0\u00A7", "\xA0\xA7"},
        EncodingCase{"EuroAndQuotes", "€ “x” – — …", "\x80 \x93x\x94 \x96 \x97 \x85"},
        EncodingCase{"Ligatures", "œuvre Œ Š ž Ÿ",
                     "\x9C"
                     "uvre \x8C \x8A \x9E \x9F"},
        EncodingCase{"Polish", "Łódź",
                     "&#321;\xF3"
                     "d&#378;"},
        EncodingCase{"AroundThePunctuationBlock", "\u1FFF\u2000\u2019\u213F\u2140",
                     "&#8191;&#8192;\x92&#8511;&#8512;"},
        EncodingCase{"Greek", "Ωμ", "&#937;&#956;"}, EncodingCase{"Emoji", "a😀b", "a&#128512;b"},
        // C1 controls are not characters of the code page, though its bytes 0x80-0x9F are.
        EncodingCase{"C1Control", "\u0081\u0080", "&#129;&#128;"},
        EncodingCase{"StrayContinuationByte", "a\x80z", "a&#65533;z"},
        EncodingCase{"LoneLeadByteAtEnd", "a\xC3", "a&#65533;"},
        EncodingCase{"TruncatedSequence", "\xE2\x82z", "&#65533;&#65533;z"},
        EncodingCase{"OverlongSlash", "\xC0\xAF", "&#65533;&#65533;"},
        EncodingCase{"OverlongThreeBytes", "\xE0\x80\xAF", "&#65533;&#65533;&#65533;"},
        EncodingCase{"EncodedSurrogate", "\xED\xA0\x80", "&#65533;&#65533;&#65533;"},
        EncodingCase{"BeyondUnicode", "\xF4\x90\x80\x80", "&#65533;&#65533;&#65533;&#65533;"},
        EncodingCase{"InvalidByteFF", "\xFF", "&#65533;"},
        EncodingCase{"LastCodePoint", "\xF4\x8F\xBF\xBF", "&#1114111;"},
        EncodingCase{"ReplacementCharacterTyped", "\uFFFD", "&#65533;"},
        EncodingCase{"NulKept", std::string("a\0b", 3), std::string("a\0b", 3)}),
    testing_support::CaseName());

TEST(Windows1252Output, EveryCharacterOfTheCodePageRoundTrips)
{
    // The 251 characters the code page holds, each written as its own single byte.
    const char32_t high[32] = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                               0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                               0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                               0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};
    for (unsigned byte = 1; byte < 256; ++byte) {
        char32_t character = byte;
        if (byte >= 0x80 && byte < 0xA0)
            character = high[byte - 0x80];
        if (character == 0)
            continue;
        std::string utf8;
        if (character < 0x80) {
            utf8 += static_cast<char>(character);
        } else if (character < 0x800) {
            utf8 += static_cast<char>(0xC0 | (character >> 6));
            utf8 += static_cast<char>(0x80 | (character & 0x3F));
        } else {
            utf8 += static_cast<char>(0xE0 | (character >> 12));
            utf8 += static_cast<char>(0x80 | ((character >> 6) & 0x3F));
            utf8 += static_cast<char>(0x80 | (character & 0x3F));
        }
        std::string out;
        pomerel::appendWindows1252(out, utf8);
        EXPECT_EQ(out, std::string(1, static_cast<char>(byte))) << "byte " << byte;
    }
}

} // namespace
