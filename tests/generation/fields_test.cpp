// SPDX-License-Identifier: GPL-3.0-or-later

#include "generation/generation.h"
#include "test_support.h"

#include <gtest/gtest.h>
#include <map>

namespace {

using pomerel::BoxTexts;
using pomerel::CvFields;

// Text boxes by their number on the main window (Text1 to Text14).
BoxTexts boxes(const std::map<int, std::string> &texts)
{
    BoxTexts result;
    for (const auto &[number, text] : texts)
        result[static_cast<std::size_t>(number - 1)] = text;
    return result;
}

struct FieldCase
{
    std::string name;
    std::string OC;
    std::map<int, std::string> texts;
    std::map<std::size_t, std::string> expected; // slots not listed are empty
};

class FieldList : public testing::TestWithParam<FieldCase>
{
};

TEST_P(FieldList, FillsEachSlotAsTheTableSays)
{
    const FieldCase &c = GetParam();
    const CvFields fields = pomerel::buildCvFields(c.OC, boxes(c.texts));
    for (std::size_t slot = 0; slot < pomerel::kFieldCount; ++slot) {
        const auto expected = c.expected.find(slot);
        EXPECT_EQ(fields[slot], expected == c.expected.end() ? "" : expected->second)
            << "slot " << slot;
    }
}

std::map<std::size_t, std::string> withName(std::map<std::size_t, std::string> slots,
                                            const std::string &name)
{
    slots[1] = name;
    for (std::size_t slot = 18; slot <= 26; ++slot)
        slots[slot] = name;
    return slots;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FieldList,
    testing::Values(
        FieldCase{"Empty", "logo.jpg", {}, {{0, "logo.jpg"}}},
        FieldCase{"OnlyFixedTelephone",
                  "logo.jpg",
                  {{11, "01 23 45 67 89"}},
                  {{0, "logo.jpg"}, {7, "Téléphone fixe"}, {8, "01 23 45 67 89"}}},
        FieldCase{"BlankIsNotEmpty", "p.jpg", {{10, " "}}, {{0, "p.jpg"}, {5, "E Mail"}, {6, " "}}},
        FieldCase{
            "AllContacts",
            "photo.bmp",
            {{10, "a@b.fr"}, {11, "01"}, {12, "06"}, {13, "1 rue Haute"}, {14, "75001 Paris"}},
            {{0, "photo.bmp"},
             {5, "E Mail"},
             {6, "a@b.fr"},
             {7, "Téléphone fixe"},
             {8, "01"},
             {9, "Téléphone Mobile"},
             {10, "06"},
             {11, "1 rue Haute"},
             {12, "75001 Paris"}}},
        FieldCase{"NameAndProfessionLines",
                  "logo.jpg",
                  {{6, "M. Jean Dupont"}, {7, "né en 1970"}, {8, "Menuisier"}, {9, "Ébéniste"}},
                  withName({{0, "logo.jpg"}, {2, "né en 1970"}, {3, "Menuisier"}, {4, "Ébéniste"}},
                           "M. Jean Dupont")},
        FieldCase{"TwoLines", "logo.jpg", {{1, "a\r\nb"}}, {{0, "logo.jpg"}, {13, "a<BR>\nb"}}},
        FieldCase{"EndsWithLineEnd", "l", {{2, "texte\r\n"}}, {{0, "l"}, {14, "texte<BR>\n"}}},
        FieldCase{"TwoEmptyLines", "l", {{3, "\r\n\r\n"}}, {{0, "l"}, {15, "<BR>\n<BR>\n"}}},
        FieldCase{"LoneCarriageReturn", "l", {{4, "a\rb"}}, {{0, "l"}, {16, "a<BR>b"}}},
        FieldCase{"LoneLineFeedStays", "l", {{5, "a\nb"}}, {{0, "l"}, {17, "a\nb"}}},
        FieldCase{"FiveSectionsInOrder",
                  "l",
                  {{1, "P"}, {2, "E"}, {3, "F"}, {4, "C"}, {5, "D"}},
                  {{0, "l"}, {13, "P"}, {14, "E"}, {15, "F"}, {16, "C"}, {17, "D"}}},
        // One-line boxes are never converted, even if a CR got into them.
        FieldCase{"OneLineBoxesUnconverted",
                  "l",
                  {{7, "x\ry"}, {13, "a\r\nb"}},
                  {{0, "l"}, {2, "x\ry"}, {11, "a\r\nb"}}},
        FieldCase{"MarkupAndAsterisksAsTyped",
                  "l",
                  {{8, "<b>&amp;*</b>"}, {1, "1 * 2 < 3 & \"q\""}},
                  {{0, "l"}, {3, "<b>&amp;*</b>"}, {13, "1 * 2 < 3 & \"q\""}}},
        FieldCase{"PhotoNameAsALinkToTheCopy", "photo #2.jpg", {}, {{0, "photo %232.jpg"}}},
        FieldCase{"UnicodeUnchanged",
                  "zdjęcie.jpg",
                  {{6, "Paweł Łukasz"}, {1, "Ωmega 😀"}},
                  withName({{0, "zdjęcie.jpg"}, {13, "Ωmega 😀"}}, "Paweł Łukasz")}),
    testing_support::CaseName());

} // namespace
