// SPDX-License-Identifier: GPL-3.0-or-later

#include "generation/error.h"
#include "generation/generation.h"
#include "generation/pagetemplate.h"
#include "generation/paths.h"
#include "test_support.h"

#include <gtest/gtest.h>

namespace {

using namespace testing_support;
using pomerel::CvFields;
using pomerel::ErrorNumber;

// Slot n holds "vn", so the page shows which slot went where.
CvFields numberedFields()
{
    CvFields fields;
    for (std::size_t slot = 0; slot < fields.size(); ++slot)
        fields[slot] = std::string("v").append(std::to_string(slot));
    return fields;
}

std::string stars(std::size_t count)
{
    return std::string(count, '*');
}

struct FillCase
{
    std::string name;
    std::string templateBytes;
    std::string expected;
};

class TemplateFilling : public testing::TestWithParam<FillCase>
{
};

TEST_P(TemplateFilling, CopiesTheTemplateAndFillsEachPlaceholder)
{
    EXPECT_EQ(pageFor(GetParam().templateBytes, numberedFields()), GetParam().expected);
}

std::string allSlots()
{
    std::string page;
    for (int slot = 0; slot < 27; ++slot)
        page.append("v").append(std::to_string(slot));
    return page;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TemplateFilling,
    testing::Values(FillCase{"Empty", "", ""},
                    FillCase{"ExactlyTwentySeven", stars(27), allSlots() + "\r\n"},
                    FillCase{"ThreeUseTheFirstThreeSlots", "a*b*c*d\r\n", "av0bv1cv2d\r\n"},
                    FillCase{"TwoStarsSideBySide", "**", "v0v1\r\n"},
                    FillCase{"CounterRunsAcrossLines", "*\r\n*\r\n\r\n*", "v0\r\nv1\r\n\r\nv2\r\n"},
                    FillCase{"StarsInStyleRulesArePlaceholders", "p{margin:*}\r\n/*x*/",
                             "p{margin:v0}\r\n/v1xv2/\r\n"},
                    FillCase{"LastLineWithoutEndGetsOne", "a\r\nb", "a\r\nb\r\n"},
                    FillCase{"LastLineEndKept", "a\r\nb\r\n", "a\r\nb\r\n"},
                    FillCase{"EmptyLinesKept", "\r\n\r\na\r\n", "\r\n\r\na\r\n"},
                    FillCase{"LineFeedsAloneAreOrdinary", "a\n*\nb\n", "a\nv0\nb\n\r\n"},
                    FillCase{"LoneCarriageReturnEndsALine", "a\rb", "a\r\nb\r\n"},
                    FillCase{"LoneCarriageReturnAtEnd", "a\r", "a\r\n"},
                    FillCase{"CarriageReturnBeforeLineEnd", "a\r\r\nb", "a\r\n\r\nb\r\n"},
                    FillCase{"CarriageReturnsAlone", "\r\r", "\r\n\r\n"},
                    FillCase{"TemplateBytesUnchanged", std::string("caf\xE9 \x80 \xFF\0*", 10),
                             std::string("caf\xE9 \x80 \xFF\0v0\r\n", 13)}),
    testing_support::CaseName());

TEST(TemplateFilling, ValuesAreWrittenInTheCodePageWithReferences)
{
    CvFields fields;
    fields[0] = "Léa Łukasz 😀";
    EXPECT_EQ(pageFor("<h1>*</h1>", fields), "<h1>L\xE9"
                                             "a &#321;ukasz &#128512;</h1>\r\n");
}

TEST(TemplateFilling, StarsAndLineEndsInAValueAreNotTemplate)
{
    CvFields fields;
    fields[0] = "a*b<BR>\nc\rd";
    fields[1] = "second";
    EXPECT_EQ(pageFor("*|*", fields), "a*b<BR>\nc\rd|second\r\n");
}

// The file side: brt.ggg read from depart, CV.html written into oa.
class PageFile : public testing::Test
{
protected:
    void SetUp() override { makeResources(m_depart, "<p>*</p>\r\n<p>*</p>"); }

    void fill(const CvFields &fields = numberedFields())
    {
        pomerel::fillTemplate(utf8Of(m_depart), m_oa.asDestination(), fields);
    }

    ErrorNumber failingFill()
    {
        const int number = errorNumberOf([&] { fill(); });
        EXPECT_NE(number, 0) << "the fill did not fail";
        return static_cast<ErrorNumber>(number);
    }

    std::filesystem::path page() const { return m_oa.path() / "CV.html"; }

    TempFolder m_root{"pomerel-page"};
    std::filesystem::path m_depart = m_root.makeFolder("ressources");
    TempFolder m_oa{"pomerel-destination"};
};

TEST_F(PageFile, IsWrittenFromTheTemplate)
{
    fill();
    EXPECT_EQ(readFile(page()), "<p>v0</p>\r\n<p>v1</p>\r\n");
    EXPECT_EQ(namesIn(m_oa.path()), std::set<std::string>{"CV.html"});
}

TEST_F(PageFile, LongValuesReachTheFileWholeAndInOrder)
{
    // The page goes to the file in several writes, between values and inside the template.
    std::string typed;
    std::string written;
    for (int i = 0; i < 50000; ++i) {
        typed += "a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80";
        written += "a\xE9\x80&#128512;";
    }
    CvFields fields = numberedFields();
    fields[0] = typed;
    fields[1] = std::string(100000, 'x');
    writeFile(m_depart / "brt.ggg", "<p>*</p>\r\n<p>*|*</p>");
    fill(fields);
    EXPECT_TRUE(readFile(page()) == "<p>" + written + "</p>\r\n<p>" + fields[1] + "|v2</p>\r\n");
}

TEST_F(PageFile, EmptyTemplateMakesAnEmptyPage)
{
    writeFile(m_depart / "brt.ggg", "");
    fill();
    EXPECT_EQ(readFile(page()), "");
}

TEST_F(PageFile, SecondRunReplacesALongerPageCompletely)
{
    writeFile(page(), std::string(100000, 'x'));
    fill();
    EXPECT_EQ(readFile(page()), "<p>v0</p>\r\n<p>v1</p>\r\n");
}

TEST_F(PageFile, TemplateThatIsAFolderIsAnAccessError)
{
    std::filesystem::remove(m_depart / "brt.ggg");
    std::filesystem::create_directory(m_depart / "brt.ggg");
    EXPECT_EQ(failingFill(), ErrorNumber::PathFileAccessError);
    EXPECT_TRUE(namesIn(m_oa.path()).empty());
}

TEST_F(PageFile, MissingResourceFolderIsPathNotFound)
{
    std::filesystem::remove_all(m_depart);
    EXPECT_EQ(failingFill(), ErrorNumber::PathNotFound);
    EXPECT_TRUE(namesIn(m_oa.path()).empty());
}

TEST_F(PageFile, MissingDestinationIsPathNotFoundAndLeavesNothing)
{
    const std::string gone = m_oa.asDestination() + "absent" + pomerel::separator();
    try {
        pomerel::fillTemplate(utf8Of(m_depart), gone, numberedFields());
        FAIL() << "no error";
    } catch (const pomerel::Error &error) {
        EXPECT_EQ(error.number(), ErrorNumber::PathNotFound);
    }
    EXPECT_TRUE(namesIn(m_oa.path()).empty());
}

TEST_F(PageFile, AccentsAndBlanksInBothFolders)
{
    const TempFolder oa("Mes CV été Łódź");
    const std::filesystem::path depart = m_root.makeFolder("Ressources à part");
    makeResources(depart, "*");
    pomerel::fillTemplate(utf8Of(depart), oa.asDestination(), numberedFields());
    EXPECT_EQ(readFile(oa.path() / "CV.html"), "v0\r\n");
}

#ifndef _WIN32
TEST_F(PageFile, LinkInPlaceOfThePageIsReplacedNotWrittenThrough)
{
    const TempFolder elsewhere("pomerel-elsewhere");
    const std::filesystem::path target = elsewhere.path() / "precious.html";
    writeFile(target, "not to be touched");
    std::filesystem::create_symlink(target, page());
    fill();
    EXPECT_FALSE(std::filesystem::is_symlink(page()));
    EXPECT_EQ(readFile(page()), "<p>v0</p>\r\n<p>v1</p>\r\n");
    EXPECT_EQ(readFile(target), "not to be touched");
    EXPECT_EQ(namesIn(m_oa.path()), std::set<std::string>{"CV.html"});
}

TEST_F(PageFile, ReplacedPageLeavesOnlyTheNewPageBehind)
{
    // A second name of the old page, outside the destination, shows that its name in the
    // destination went and its bytes stayed as they were.
    writeFile(page(), "old page");
    const std::filesystem::path other = m_root.path() / "other-name.html";
    std::filesystem::create_hard_link(page(), other);
    fill();
    EXPECT_EQ(readFile(page()), "<p>v0</p>\r\n<p>v1</p>\r\n");
    EXPECT_EQ(readFile(other), "old page");
    EXPECT_EQ(std::filesystem::hard_link_count(other), 1u);
    EXPECT_EQ(std::filesystem::hard_link_count(page()), 1u);
    EXPECT_EQ(namesIn(m_oa.path()), std::set<std::string>{"CV.html"});
}

#endif

} // namespace
