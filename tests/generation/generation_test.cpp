// SPDX-License-Identifier: GPL-3.0-or-later

#include "generation/browser.h"
#include "generation/error.h"
#include "generation/generation.h"
#include "generation/paths.h"
#include "test_support.h"

#include <gtest/gtest.h>

namespace {

using namespace testing_support;
using pomerel::ErrorNumber;
namespace fs = std::filesystem;

// Where tests run on Windows, the fixed browser may exist: never start it.
void generatePage(pomerel::RunData &data, FakeWindow &window)
{
    pomerel::generatePage(data, window, "C:\\absent\\browser.exe");
}

// A whole "SUITE" run into a temporary folder.
class Run : public testing::Test
{
protected:
    void SetUp() override
    {
        makeResources(m_depart, "<img src=\"*\">\r\n<h1>*</h1>\r\n<p>*</p>*\r\n");
        m_data.depart = utf8Of(m_depart);
        m_data.oa = m_oa.asDestination();
        m_data.texts[5] = "Agnès Łukasiewicz"; // Text6
    }

    ErrorNumber failingRun()
    {
        const int number = errorNumberOf([&] { generatePage(m_data, m_window); });
        EXPECT_NE(number, 0) << "the run did not fail";
        return static_cast<ErrorNumber>(number);
    }

    std::string expectedPage() const
    {
        return "<img src=\"logo.jpg\">\r\n<h1>Agn\xE8s &#321;ukasiewicz</h1>\r\n<p></p>\r\n";
    }

    TempFolder m_root{"pomerel-run"};
    fs::path m_depart = m_root.makeFolder("Pomerel");
    TempFolder m_oa{"pomerel-cv été"};
    pomerel::RunData m_data;
    FakeWindow m_window;
};

TEST_F(Run, WritesThePageThenGivesTheFinishedLookThenOpensIt)
{
    generatePage(m_data, m_window);
    EXPECT_EQ(readFile(m_oa.path() / "CV.html"), expectedPage());
    EXPECT_EQ(namesIn(m_oa.path()), (std::set<std::string>{"CV.html", "bandeau.gif", "logo.jpg"}));
    EXPECT_EQ(m_data.OC, "logo.jpg");
    // Where names are case-sensitive, the file opened is the one written.
    EXPECT_EQ(m_window.calls,
              (std::vector<std::string>{"finished", "open: " + m_oa.asDestination() + "CV.html"}));
}

TEST_F(Run, WithoutDestinationOnlyWarns)
{
    m_data.oa.clear();
    generatePage(m_data, m_window);
    EXPECT_EQ(m_window.calls,
              (std::vector<std::string>{"warn: Attention vous n'avez pas choisi de chemin pour la "
                                        "création de votre page"}));
    EXPECT_EQ(m_data.OC, "");
    EXPECT_TRUE(namesIn(m_oa.path()).empty());
    EXPECT_EQ(namesIn(m_depart), (std::set<std::string>{"bandeau.gif", "brt.ggg", "logo.jpg"}));
}

TEST_F(Run, SecondRunOverwritesEverythingWithTheNewValues)
{
    generatePage(m_data, m_window);
    m_data.texts[5] = "Zoé";
    m_data.texts[0] = "une\r\ndeux";
    generatePage(m_data, m_window);
    EXPECT_EQ(readFile(m_oa.path() / "CV.html"),
              "<img src=\"logo.jpg\">\r\n<h1>Zo\xE9</h1>\r\n<p></p>\r\n");
    EXPECT_EQ(m_window.calls.size(), 4u);
}

TEST_F(Run, DefaultPictureStaysAfterAFailureLaterInTheRun)
{
    fs::remove(m_depart / "brt.ggg");
    EXPECT_EQ(failingRun(), ErrorNumber::FileNotFound);
    EXPECT_EQ(m_data.OC, "logo.jpg");
}

struct CommandCase
{
    std::string name;
    std::string oa;
    std::string expected;
};

class BrowserCommandLine : public testing::TestWithParam<CommandCase>
{
};

TEST_P(BrowserCommandLine, IsTheBrowserThenTheFolderThenThePageWithoutQuotes)
{
    EXPECT_EQ(pomerel::browserCommandLine(GetParam().oa), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BrowserCommandLine,
    testing::Values(
        CommandCase{"Folder", "C:\\CV\\",
                    "C:\\Program Files\\Internet Explorer\\IEXPLORE.EXE C:\\CV\\cv.html"},
        CommandCase{"DriveRoot", "C:\\",
                    "C:\\Program Files\\Internet Explorer\\IEXPLORE.EXE C:\\cv.html"},
        CommandCase{"BlanksInTheFolder", "C:\\Program Files\\Mon CV\\",
                    "C:\\Program Files\\Internet Explorer\\IEXPLORE.EXE C:\\Program Files\\Mon "
                    "CV\\cv.html"},
        CommandCase{"AccentedFolder", "D:\\été\\",
                    "C:\\Program Files\\Internet Explorer\\IEXPLORE.EXE D:\\été\\cv.html"}),
    testing_support::CaseName());

TEST(OpenPage, WithoutThatBrowserTheDefaultBrowserOpensTheWrittenPage)
{
    FakeWindow window;
    const std::string oa = std::string("dossier") + pomerel::separator();
    pomerel::openPage(oa, window, "absent-browser.exe");
    EXPECT_EQ(window.calls, std::vector<std::string>{"open: " + oa + "CV.html"});
}

} // namespace
