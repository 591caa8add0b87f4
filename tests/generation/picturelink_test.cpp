#include "generation/picturelink.h"
#include "test_support.h"

#include <gtest/gtest.h>

namespace {

struct LinkCase
{
    std::string name;
    std::string fileName;
    std::string link;
};

class PictureLink : public testing::TestWithParam<LinkCase>
{
};

TEST_P(PictureLink, NamesExactlyTheFileBesideThePage)
{
    EXPECT_EQ(pomerel::pictureLink(GetParam().fileName), GetParam().link);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PictureLink,
    testing::Values(
        // Names of ordinary characters are written as they stand, so pages stay as they were.
        LinkCase{"OrdinaryNameUnchanged", "Portrait d'été (2) - copie_1.jpg",
                 "Portrait d'été (2) - copie_1.jpg"},
        LinkCase{"LettersOutsideWindows1252Unchanged", "Łódź ÆØ.jpg", "Łódź ÆØ.jpg"},
        LinkCase{"BracesAndSemicolonUnchanged", "a;b{c}[d]^`~|=+,!@$.jpg",
                 "a;b{c}[d]^`~|=+,!@$.jpg"},
        LinkCase{"HashIsNoFragment", "photo #2.jpg", "photo %232.jpg"},
        LinkCase{"QuestionMarkIsNoQuery", "a?b.jpg", "a%3Fb.jpg"},
        LinkCase{"PercentIsNotDecoded", "Photo%20CV.jpg", "Photo%2520CV.jpg"},
        LinkCase{"AmpersandIsNoReference", "R&eacute;sum&eacute;.jpg",
                 "R%26eacute;sum%26eacute;.jpg"},
        LinkCase{"BackslashIsNoEscape", "moi\\2.jpg", "moi%5C2.jpg"},
        LinkCase{"QuoteTabAndLineEndsStayInside", "dit \"moi\"\t\r\n\x7f.jpg",
                 "dit %22moi%22%09%0D%0A%7F.jpg"},
        LinkCase{"ColonIsNoScheme", "mailto:moi.jpg", "mailto%3Amoi.jpg"},
        LinkCase{"BlanksAtEitherEndKept", "  moi  2.jpg ", "%20%20moi  2.jpg%20"},
        LinkCase{"OnlyBlanks", "  ", "%20%20"}),
    testing_support::CaseName());

} // namespace
